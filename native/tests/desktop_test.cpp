#include <gtest/gtest.h>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"
#include "native/user/windowsystem.h"

namespace native::test {

TEST(Desktop, EnvironmentOverridesOnlyWithSaneValues) {
  struct Case {
    const char* size;
    const char* dpi;
    int width;
    int height;
    int resolution;
    bool sizeGiven;
  };
  const Case cases[] = {
      {nullptr, nullptr, 1280, 1024, 96, false},    {"1024x768", "120", 1024, 768, 120, true},
      {"1024x", "96", 1280, 1024, 96, false},       {"x768", nullptr, 1280, 1024, 96, false},
      {"10x10", "10", 1280, 1024, 96, false},       {"99999x768", nullptr, 1280, 1024, 96, false},
      {"800x600z", "96dpi", 1280, 1024, 96, false}, {"-800x600", "-1", 1280, 1024, 96, false},
      {"64x16384", "480", 64, 16384, 480, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.size ? c.size : "(none)") << " " << (c.dpi ? c.dpi : "(none)"));
    DesktopOptions options = DesktopOptions::parse(c.size, c.dpi);
    EXPECT_EQ(options.width, c.width);
    EXPECT_EQ(options.height, c.height);
    EXPECT_EQ(options.dpi, c.resolution);
    EXPECT_EQ(options.sizeGiven, c.sizeGiven);
  }
}

TEST(Desktop, ScreenMetricsAreTheDesktopsSize) {
  TestDriver driver(DesktopOptions{1024, 768, 96});
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(desktop.right, 1024);
  EXPECT_EQ(desktop.bottom, 768);
  EXPECT_EQ(GetSystemMetrics(-1), 0);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(999), RGB(0, 0, 0));
}

TEST(Desktop, VersionIsNtFourWhenTheRecordSizeIsRight) {
  TestDriver driver;
  OSVERSIONINFO info{};
  EXPECT_FALSE(GetVersionEx(&info)) << "the caller must say how large its record is";
  EXPECT_FALSE(GetVersionEx(nullptr));
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionEx(&info));
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(info.dwMajorVersion, 4u);
  EXPECT_EQ(info.dwMinorVersion, 0u);
  EXPECT_TRUE(MessageBeep(0));
  EXPECT_EQ(driver.beepCount(), 1u);
}

TEST(Desktop, CaretStartsHiddenAndShowAndHideNest) {
  TestDriver driver;
  MessageSpy spy;
  HWND owner = spy.createTopLevel(RECT{0, 0, 100, 100});
  HWND other = spy.createTopLevel(RECT{0, 0, 100, 100});
  Caret& caret = WindowSystem::get().caret();
  EXPECT_FALSE(ShowCaret(owner)) << "no caret yet";
  ASSERT_TRUE(CreateCaret(owner, nullptr, 0, 14));
  EXPECT_FALSE(caret.visible());
  EXPECT_FALSE(ShowCaret(other)) << "another window's caret";
  EXPECT_TRUE(ShowCaret(owner));
  EXPECT_TRUE(caret.visible());
  EXPECT_TRUE(HideCaret(nullptr));
  EXPECT_TRUE(HideCaret(owner));
  EXPECT_TRUE(ShowCaret(owner));
  EXPECT_FALSE(caret.visible()) << "hidden twice, shown once";
  EXPECT_TRUE(ShowCaret(owner));
  EXPECT_TRUE(SetCaretPos(5, 6));
  EXPECT_EQ(caret.rect().left, 5);
  EXPECT_EQ(caret.rect().right, 5 + GetSystemMetrics(SM_CXBORDER)) << "width 0 is the thin line";
  EXPECT_EQ(caret.rect().bottom, 6 + 14);
  DestroyWindow(owner);
  EXPECT_FALSE(caret.visible()) << "the caret goes with its window";
  EXPECT_FALSE(DestroyCaret());
  SetCaretBlinkTime(250);
  EXPECT_EQ(GetCaretBlinkTime(), 250u);
}

TEST(Desktop, CursorsAreStandardSharedOrMadeFromPlanes) {
  TestDriver driver;
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow);
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
  EXPECT_EQ(LoadCursor(nullptr, u"Named"), nullptr) << "no cursor resources";
  EXPECT_TRUE(DestroyCursor(arrow));
  EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow) << "shared shapes stay";

  // 20 pixels wide: rows of 4 bytes (padded to 16 bits).
  std::vector<BYTE> andPlane(4 * 3, 0xFF);
  std::vector<BYTE> xorPlane(4 * 3, 0x00);
  xorPlane[5] = 0x81;
  HCURSOR made = CreateCursor(nullptr, 25, 1, 20, 3, andPlane.data(), xorPlane.data());
  ASSERT_NE(made, nullptr);
  const CursorShape* shape = WindowSystem::get().cursors().find(made);
  EXPECT_EQ(shape->xorPlane, xorPlane);
  EXPECT_EQ(shape->hotSpot.x, 19) << "the hot spot lies on the shape";
  EXPECT_EQ(SetCursor(made), arrow);
  EXPECT_EQ(GetCursor(), made);
  EXPECT_TRUE(DestroyCursor(made));
  EXPECT_EQ(GetCursor(), nullptr);
  const int badSizes[][2] = {{0, 3}, {20, 0}, {257, 3}, {-1, -1}};
  for (const auto& size : badSizes) {
    EXPECT_EQ(CreateCursor(nullptr, 0, 0, size[0], size[1], andPlane.data(), xorPlane.data()), nullptr);
  }
  EXPECT_EQ(CreateCursor(nullptr, 0, 0, 1, 1, nullptr, xorPlane.data()), nullptr);
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(ShowCursor(TRUE), 0);
}

TEST(Rects, EdgesAreHalfOpen) {
  RECT rect{10, 20, 30, 40};
  EXPECT_TRUE(PtInRect(&rect, POINT{10, 20}));
  EXPECT_FALSE(PtInRect(&rect, POINT{30, 20}));
  EXPECT_FALSE(PtInRect(&rect, POINT{10, 40}));
  RECT touching{30, 20, 40, 40};
  RECT overlap{};
  EXPECT_FALSE(IntersectRect(&overlap, &rect, &touching));
  EXPECT_TRUE(IsRectEmpty(&overlap));
  RECT joined{};
  EXPECT_TRUE(UnionRect(&joined, &rect, &touching));
  const RECT both{10, 20, 40, 40};
  EXPECT_TRUE(EqualRect(&joined, &both));
  RECT empty{5, 5, 5, 9};
  EXPECT_TRUE(UnionRect(&joined, &empty, &rect));
  EXPECT_TRUE(EqualRect(&joined, &rect)) << "an empty rectangle adds nothing";
}

TEST(Packing, MouseHalvesAreSignedAndWordsAreUnsigned) {
  LPARAM packed = MAKELPARAM(-60, -70);
  EXPECT_EQ(GET_X_LPARAM(packed), -60);
  EXPECT_EQ(GET_Y_LPARAM(packed), -70);
  EXPECT_EQ(LOWORD(packed), 0xFFC4);
  EXPECT_EQ(HIWORD(static_cast<WPARAM>(MAKEWPARAM(1, 0xFFFF))), 0xFFFF);
  EXPECT_GT(packed, 0) << "packed words travel zero-extended";
  EXPECT_EQ(RGB(1, 2, 3), 0x00030201u);
  EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
  EXPECT_EQ(PALETTEINDEX(5), 0x01000005u);
  EXPECT_EQ(WS_CAPTION, WS_BORDER | WS_DLGFRAME);
  EXPECT_EQ(SC_CLOSE & 0xF, 0u);
  EXPECT_EQ(sizeof(WPARAM), sizeof(void*));
  EXPECT_EQ(sizeof(LPARAM), sizeof(void*));
  EXPECT_EQ(sizeof(LONG_PTR), sizeof(void*));
}

}  // namespace native::test
