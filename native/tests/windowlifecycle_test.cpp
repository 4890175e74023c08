#include <gtest/gtest.h>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"

namespace native::test {

TEST(WindowLifecycle, CreationMessagesComeInOrderWithTheClientGeometry) {
  TestDriver driver;
  MessageSpy spy;
  HWND parent = spy.createTopLevel(RECT{0, 0, 400, 300}, WS_POPUP | WS_VISIBLE);
  spy.clear();
  HWND child = spy.createChild(parent, RECT{10, 20, 110, 70}, WS_CHILD | WS_BORDER, 5);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(spy.numbersOf({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}),
            (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
  std::vector<Logged> sizeAndMove = spy.only({WM_SIZE, WM_MOVE});
  ASSERT_EQ(sizeAndMove.size(), 2u);
  EXPECT_EQ(sizeAndMove[0].lParam, MAKELPARAM(98, 48)) << "the thin border takes one pixel on each side";
  EXPECT_EQ(sizeAndMove[1].lParam, MAKELPARAM(11, 21));
  EXPECT_EQ(GetWindowLong(child, GWL_ID), 5);
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_FALSE(IsWindowVisible(child));
}

TEST(WindowLifecycle, DestroyTakesOwnedWindowsThenChildrenWithNcDestroyLast) {
  TestDriver driver;
  MessageSpy spy;
  HWND top = spy.createTopLevel(RECT{0, 0, 200, 200});
  HWND child = spy.createChild(top, RECT{0, 0, 50, 50});
  HWND grandchild = spy.createChild(child, RECT{0, 0, 10, 10});
  HWND owned = spy.createTopLevel(RECT{10, 10, 60, 60}, WS_POPUP | WS_VISIBLE, child);
  ASSERT_EQ(GetWindow(owned, GW_OWNER), top) << "a child given as owner stands for its top-level window";
  spy.clear();
  EXPECT_TRUE(DestroyWindow(top));
  EXPECT_EQ(spy.only({WM_DESTROY, WM_NCDESTROY}), (std::vector<Logged>{
                                                      {owned, WM_DESTROY, 0, 0},
                                                      {owned, WM_NCDESTROY, 0, 0},
                                                      {top, WM_DESTROY, 0, 0},
                                                      {child, WM_DESTROY, 0, 0},
                                                      {grandchild, WM_DESTROY, 0, 0},
                                                      {grandchild, WM_NCDESTROY, 0, 0},
                                                      {child, WM_NCDESTROY, 0, 0},
                                                      {top, WM_NCDESTROY, 0, 0},
                                                  }));
  for (HWND window : {top, child, grandchild, owned}) {
    EXPECT_FALSE(IsWindow(window));
  }
  EXPECT_FALSE(DestroyWindow(top));
  EXPECT_EQ(SendMessage(top, WM_USER, 0, 0), 0) << "a stale handle reaches nothing";
}

TEST(WindowLifecycle, RefusedCreationLeavesNoWindow) {
  TestDriver driver;
  MessageSpy spy;
  struct Case {
    const char* name;
    UINT refusing;
    LRESULT answer;
    std::vector<UINT> expected;
  };
  const Case cases[] = {
      {"WM_NCCREATE answers FALSE", WM_NCCREATE, FALSE, {WM_NCCREATE, WM_NCDESTROY}},
      {"WM_CREATE answers -1", WM_CREATE, -1, {WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    spy.clear();
    HWND seen = nullptr;
    spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      seen = window;
      return message == c.refusing ? c.answer : DefWindowProc(window, message, wParam, lParam);
    };
    EXPECT_EQ(spy.createTopLevel(RECT{0, 0, 10, 10}), nullptr);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(spy.numbersOf({WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}), c.expected);
  }
  spy.handler = nullptr;
  EXPECT_TRUE(driver.topLevelWindows().empty());
  EXPECT_EQ(CreateWindowEx(0, spy.className(), u"", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr)
      << "a child window needs a parent";
}

// A stand-in for the framework's procedure: it reaches its object through the user data, so it must never see
// a message before the user data is set; at WM_NCDESTROY it puts the class procedure back and passes on.
struct FrameworkObject {
  std::vector<UINT> received;
};

LRESULT frameworkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* object = reinterpret_cast<FrameworkObject*>(GetWindowLong(window, GWL_USERDATA));
  object->received.push_back(message);
  auto classProcedure = reinterpret_cast<WNDPROC>(GetClassLong(window, GCL_WNDPROC));
  if (message == WM_NCDESTROY) {
    SetWindowLong(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(classProcedure));
  }
  return CallWindowProc(classProcedure, window, message, wParam, lParam);
}

TEST(WindowLifecycle, SubclassingKeepsTheClassProcedureReachable) {
  TestDriver driver;
  MessageSpy spy;
  FrameworkObject object;
  HWND window = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP);
  auto classProcedure = reinterpret_cast<WNDPROC>(GetClassLong(window, GCL_WNDPROC));
  EXPECT_EQ(GetWindowLong(window, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(classProcedure));
  EXPECT_EQ(spy.numbersOf({WM_NCCREATE, WM_CREATE}), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}))
      << "creation messages go to the class procedure";

  SetWindowLong(window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(&object));
  EXPECT_EQ(SetWindowLong(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&frameworkProcedure)),
            reinterpret_cast<LONG_PTR>(classProcedure));
  EXPECT_EQ(GetClassLong(window, GCL_WNDPROC), reinterpret_cast<ULONG_PTR>(classProcedure));
  EXPECT_EQ(SetWindowLong(window, GWL_WNDPROC, 0), 0) << "a null procedure is refused";
  spy.clear();
  EXPECT_EQ(SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"renamed")), TRUE);
  EXPECT_EQ(driver.text(window), u"renamed");
  EXPECT_EQ(spy.numbersOf({WM_SETTEXT}), (std::vector<UINT>{WM_SETTEXT})) << "the subclass passed it on";

  DestroyWindow(window);
  EXPECT_EQ(object.received, (std::vector<UINT>{WM_SETTEXT, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(spy.numbersOf({WM_DESTROY, WM_NCDESTROY}), (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
}

TEST(WindowLifecycle, TextMessagesCopyWithinTheBuffer) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"Lane 4"));
  EXPECT_EQ(SendMessage(window, WM_GETTEXTLENGTH, 0, 0), 6);
  struct Case {
    WPARAM capacity;
    LRESULT copied;
    std::u16string text;
  };
  const Case cases[] = {{16, 6, u"Lane 4"}, {7, 6, u"Lane 4"}, {6, 5, u"Lane "}, {1, 0, u""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.capacity);
    WCHAR buffer[17];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(SendMessage(window, WM_GETTEXT, c.capacity, reinterpret_cast<LPARAM>(buffer)), c.copied);
    EXPECT_EQ(std::u16string(buffer), c.text);
    EXPECT_EQ(buffer[c.capacity], u'#') << "nothing written past the capacity";
  }
  EXPECT_EQ(SendMessage(window, WM_GETTEXT, 0, 0), 0);
  SendMessage(window, WM_SETTEXT, 0, 0);
  EXPECT_EQ(SendMessage(window, WM_GETTEXTLENGTH, 0, 0), 0) << "a null text clears";
}

TEST(WindowLifecycle, CloseDestroysByDefaultAndAltF4AsksToClose) {
  TestDriver driver;
  MessageSpy spy;
  HWND first = spy.createTopLevel(RECT{0, 0, 100, 100});
  SendMessage(first, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(first));

  HWND second = spy.createTopLevel(RECT{0, 0, 100, 100});
  spy.clear();
  driver.keyDown(VK_MENU);
  driver.pressKey(VK_F4);
  driver.keyUp(VK_MENU);
  driver.pumpUntilIdle();
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(spy.only({WM_SYSCOMMAND}), (std::vector<Logged>{{second, WM_SYSCOMMAND, SC_CLOSE, 0}}));
}

TEST(WindowLifecycle, ChildrenFollowCreationOrderAndNewTopLevelWindowsComeToTheFront) {
  TestDriver driver;
  MessageSpy spy;
  HWND parent = spy.createTopLevel(RECT{0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
  HWND first = spy.createChild(parent, RECT{0, 0, 10, 10});
  HWND second = spy.createChild(parent, RECT{0, 0, 10, 10});
  HWND third = spy.createChild(parent, RECT{0, 0, 10, 10});
  EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
  EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), third);
  EXPECT_EQ(GetWindow(third, GW_HWNDNEXT), nullptr);
  HWND later = spy.createTopLevel(RECT{0, 0, 50, 50}, WS_POPUP | WS_VISIBLE);
  EXPECT_EQ(GetWindow(later, GW_HWNDNEXT), parent) << "a new top-level window lies in front of the older";
}

TEST(WindowLifecycle, MenuGivenAtCreationIsTheMenuBar) {
  TestDriver driver;
  MessageSpy spy;
  HMENU bar = CreateMenu();
  AppendMenu(bar, MF_STRING, 10, u"&File");
  HWND framed = CreateWindowEx(0, spy.className(), u"framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               150, nullptr, bar, nullptr, nullptr);
  EXPECT_EQ(GetMenu(framed), bar);
  RECT window{};
  RECT client{};
  GetWindowRect(framed, &window);
  GetClientRect(framed, &client);
  EXPECT_GE(window.bottom - window.top - client.bottom,
            GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU))
      << "the client area makes room for the bar from the start";
  auto notAMenu = reinterpret_cast<HMENU>(std::intptr_t{0x4321});
  HWND plain = CreateWindowEx(0, spy.className(), u"plain", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr,
                              notAMenu, nullptr, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(GetMenu(plain), nullptr) << "a handle that is no menu leaves the window without a bar";
}

TEST(WindowLifecycle, DestroyFreesTheWindowsSystemMenuCopy) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 200, 150});
  HMENU copy = GetSystemMenu(window, FALSE);
  ASSERT_TRUE(IsMenu(copy));
  DestroyWindow(window);
  EXPECT_FALSE(IsMenu(copy));
}

}  // namespace native::test
