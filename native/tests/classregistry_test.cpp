#include <gtest/gtest.h>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"

namespace native::test {

namespace {
LRESULT plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(window, message, wParam, lParam);
}

WNDCLASS classNamed(LPCWSTR name) {
  WNDCLASS description{};
  description.lpfnWndProc = plainProcedure;
  description.lpszClassName = name;
  return description;
}
}  // namespace

TEST(ClassRegistry, RefusesUnusableRegistrations) {
  TestDriver driver;
  WNDCLASS taken = classNamed(u"Taken");
  ASSERT_NE(RegisterClass(&taken), 0);
  WNDCLASS noProcedure = classNamed(u"NoProcedure");
  noProcedure.lpfnWndProc = nullptr;
  WNDCLASS negativeExtra = classNamed(u"NegativeExtra");
  negativeExtra.cbWndExtra = -4;
  struct Case {
    const char* name;
    WNDCLASS description;
  };
  const Case cases[] = {
      {"same name, other case", classNamed(u"tAKEN")},
      {"no procedure", noProcedure},
      {"negative extra bytes", negativeExtra},
      {"empty name", classNamed(u"")},
      {"no name", classNamed(nullptr)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RegisterClass(&c.description), 0);
  }
  EXPECT_EQ(RegisterClass(nullptr), 0);
}

TEST(ClassRegistry, ClassStaysWhileItHasWindows) {
  TestDriver driver;
  WNDCLASS description = classNamed(u"Busy");
  ASSERT_NE(RegisterClass(&description), 0);
  HWND window = CreateWindowEx(0, u"busy", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(UnregisterClass(u"Busy", nullptr));
  DestroyWindow(window);
  EXPECT_TRUE(UnregisterClass(u"Busy", nullptr));
  EXPECT_FALSE(UnregisterClass(u"Busy", nullptr));
  WNDCLASS info{};
  EXPECT_FALSE(GetClassInfo(nullptr, u"Busy", &info));
}

TEST(ClassRegistry, DialogClassAtomCreatesWindowsWithDefaultProcessing) {
  TestDriver driver;
  HWND dialog = CreateWindowEx(0, MAKEINTATOM(kDialogClassAtom), u"Dialog", WS_POPUP | WS_CAPTION, 0, 0, 100,
                               80, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetClassLong(dialog, GCL_WNDPROC), reinterpret_cast<ULONG_PTR>(&DefWindowProc));
  EXPECT_EQ(driver.text(dialog), u"Dialog");
  EXPECT_FALSE(UnregisterClass(MAKEINTATOM(kDialogClassAtom), nullptr)) << "system classes stay";
}

TEST(ClassRegistry, ClassInfoAnswersWhatWasRegistered) {
  TestDriver driver;
  WNDCLASS description = classNamed(u"Described");
  description.style = CS_DBLCLKS;
  description.cbWndExtra = 16;
  description.hCursor = LoadCursor(nullptr, IDC_IBEAM);
  ATOM atom = RegisterClass(&description);
  ASSERT_NE(atom, 0);
  WNDCLASS byName{};
  WNDCLASS byAtom{};
  ASSERT_TRUE(GetClassInfo(nullptr, u"DESCRIBED", &byName));
  ASSERT_TRUE(GetClassInfo(nullptr, MAKEINTATOM(atom), &byAtom));
  for (const WNDCLASS* info : {&byName, &byAtom}) {
    EXPECT_EQ(info->style, CS_DBLCLKS);
    EXPECT_EQ(info->lpfnWndProc, &plainProcedure);
    EXPECT_EQ(info->cbWndExtra, 16);
    EXPECT_EQ(info->hCursor, LoadCursor(nullptr, IDC_IBEAM));
    EXPECT_EQ(std::u16string(info->lpszClassName), u"Described");
  }
  EXPECT_EQ(CreateWindowEx(0, u"Unknown", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
}

TEST(ClassRegistry, WindowExtraBytesHoldPointerSizedWordsInsideTheirRange) {
  TestDriver driver;
  WNDCLASS description = classNamed(u"Extra");
  description.cbWndExtra = 2 * sizeof(LONG_PTR);
  ASSERT_NE(RegisterClass(&description), 0);
  HWND window = CreateWindowEx(0, u"Extra", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  const LONG_PTR pointerSized = static_cast<LONG_PTR>(0x123456789ABCDEF0ull);
  EXPECT_EQ(SetWindowLong(window, sizeof(LONG_PTR), pointerSized), 0);
  EXPECT_EQ(GetWindowLong(window, sizeof(LONG_PTR)), pointerSized);
  const int outside[] = {static_cast<int>(sizeof(LONG_PTR)) + 1, 2 * static_cast<int>(sizeof(LONG_PTR)),
                         1 << 30};
  for (int index : outside) {
    SCOPED_TRACE(index);
    EXPECT_EQ(SetWindowLong(window, index, 7), 0);
    EXPECT_EQ(GetWindowLong(window, index), 0);
  }
}

}  // namespace native::test
