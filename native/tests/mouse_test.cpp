#include <gtest/gtest.h>

#include <functional>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"

namespace native::test {

namespace {
constexpr std::initializer_list<UINT> kButtonMessages = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
}

TEST(Mouse, CapturedPointerReachesTheWindowInItsClientCoordinatesEvenWhenNegative) {
  TestDriver driver;
  MessageSpy spy;
  HWND top = spy.createTopLevel(RECT{100, 100, 300, 300}, WS_POPUP | WS_VISIBLE);
  HWND child = spy.createChild(top, RECT{10, 10, 60, 60});
  SetCapture(child);
  spy.clear();
  driver.mouseMove(50, 40);
  driver.mouseDown();
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_MOUSEMOVE, WM_LBUTTONDOWN}),
            (std::vector<Logged>{
                {child, WM_MOUSEMOVE, 0, MAKELPARAM(-60, -70)},
                {child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-60, -70)},
            }));
  std::vector<Logged> moves = spy.only({WM_MOUSEMOVE});
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), -60);
  EXPECT_EQ(GET_Y_LPARAM(moves[0].lParam), -70);
  EXPECT_TRUE(spy.only({WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEACTIVATE}).empty())
      << "the capture decides the target without asking anyone";
  ReleaseCapture();
  spy.clear();
  driver.mouseUp();
  driver.pumpUntilIdle();
  EXPECT_TRUE(spy.only({WM_LBUTTONUP}).empty()) << "released over no window, the button-up reaches nobody";
}

TEST(Mouse, DoubleClicksOnlyForClassesThatAskAndWithinTimeAndDistance) {
  // The double-click time is 500 ms; the second press pairs within 2 pixels of the first on each axis.
  struct Case {
    const char* name;
    bool doubleClickClass;
    std::uint64_t pauseMs;
    int dx;
    int dy;
    UINT second;
    bool middleClickBetween = false;
  };
  const Case cases[] = {
      {"class with CS_DBLCLKS", true, 0, 0, 0, WM_LBUTTONDBLCLK},
      {"class without", false, 0, 0, 0, WM_LBUTTONDOWN},
      {"a user's double click, 150 ms later and a pixel aside", true, 150, 1, 1, WM_LBUTTONDBLCLK},
      {"at the double-click time", true, 500, 0, 0, WM_LBUTTONDBLCLK},
      {"after it", true, 501, 0, 0, WM_LBUTTONDOWN},
      {"at the distance to the right", true, 0, 2, 0, WM_LBUTTONDBLCLK},
      {"beyond it to the right", true, 0, 3, 0, WM_LBUTTONDOWN},
      {"at the distance below", true, 0, 0, 2, WM_LBUTTONDBLCLK},
      {"beyond it below", true, 0, 0, 3, WM_LBUTTONDOWN},
      {"at the time and the distance up and to the left", true, 500, -2, -2, WM_LBUTTONDBLCLK},
      {"beyond the distance to the left", true, 0, -3, 0, WM_LBUTTONDOWN},
      {"beyond the distance above", true, 0, 0, -3, WM_LBUTTONDOWN},
      {"a middle click between keeps them apart", true, 150, 1, 1, WM_LBUTTONDOWN, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    MessageSpy spy;
    HWND window = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE, nullptr,
                                     c.doubleClickClass ? spy.doubleClickClassName() : spy.className());
    driver.click(50, 50);
    driver.advanceClock(c.pauseMs);
    if (c.middleClickBetween) {
      driver.click(50, 50, TestDriver::Middle);
    }
    driver.click(50 + c.dx, 50 + c.dy);
    driver.click(50 + c.dx, 50 + c.dy);
    driver.pumpUntilIdle();
    UINT third = !c.doubleClickClass            ? WM_LBUTTONDOWN
                 : c.second == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN
                                                : WM_LBUTTONDBLCLK;
    EXPECT_EQ(spy.numbersOf(kButtonMessages),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, c.second, WM_LBUTTONUP, third, WM_LBUTTONUP}))
        << "a double click needs the class, and the third click starts a new pair";
    EXPECT_TRUE(IsWindow(window));
  }
}

TEST(Mouse, PressesCarryTheModifiersHeldOnEitherSide) {
  struct Case {
    const char* name;
    std::vector<UINT> held;  // as the X host names them
    WPARAM keys;
  };
  const Case cases[] = {
      {"right Ctrl with left Shift", {VK_LSHIFT, VK_RCONTROL}, MK_LBUTTON | MK_CONTROL | MK_SHIFT},
      {"right Shift with left Ctrl", {VK_LCONTROL, VK_RSHIFT}, MK_LBUTTON | MK_CONTROL | MK_SHIFT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    MessageSpy spy;
    HWND window = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
    for (UINT key : c.held) {
      driver.keyDown(key);
    }
    driver.mouseMove(20, 20);
    driver.mouseDown();
    driver.pumpUntilIdle();
    EXPECT_EQ(spy.only({WM_LBUTTONDOWN}),
              (std::vector<Logged>{{window, WM_LBUTTONDOWN, c.keys, MAKELPARAM(20, 20)}}));
  }
}

TEST(Mouse, APressIsHandedBackOnlyAsDeliveredLastAndOnlyOnce) {
  using Change = std::function<void(TestDriver&, HWND other, MSG & press)>;
  struct Case {
    const char* name;
    Change beforeAsking;
    BOOL handedBack;
    std::size_t pressesSince;  // the presses delivered once the press was asked for
  };
  const Case cases[] = {
      {"the press as delivered", [](TestDriver&, HWND, MSG&) {}, TRUE, 1},
      // The first asking's press is delivered again; the second asking's is not.
      {"asked for a second time", [](TestDriver&, HWND, MSG& press) { RoutePressAgain(press); }, FALSE, 1},
      {"another window", [](TestDriver&, HWND other, MSG& press) { press.hwnd = other; }, FALSE, 0},
      {"another message", [](TestDriver&, HWND, MSG& press) { press.message = WM_RBUTTONDOWN; }, FALSE, 0},
      {"another point", [](TestDriver&, HWND, MSG& press) { press.lParam = MAKELPARAM(21, 20); }, FALSE, 0},
      {"its release delivered since",
       [](TestDriver& driver, HWND, MSG&) {
         driver.mouseUp();
         driver.pumpUntilIdle();
       },
       FALSE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    MessageSpy spy;
    HWND window = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
    HWND other = spy.createTopLevel(RECT{200, 0, 300, 100}, WS_POPUP | WS_VISIBLE);
    driver.mouseMove(20, 20);
    driver.mouseDown();
    driver.pumpUntilIdle();
    MSG press{window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20), 0, POINT{}};
    spy.clear();
    c.beforeAsking(driver, other, press);
    EXPECT_EQ(RoutePressAgain(press), c.handedBack);
    driver.pumpUntilIdle();
    EXPECT_EQ(spy.only({WM_LBUTTONDOWN}).size(), c.pressesSince);
  }
}

TEST(Mouse, PressInAnInactiveWindowAsksTheClickedWindowAndItsParents) {
  struct Case {
    const char* name;
    LRESULT answer;
    bool activates;
    bool delivered;
  };
  const Case cases[] = {
      {"activate", MA_ACTIVATE, true, true},
      {"activate and eat", MA_ACTIVATEANDEAT, true, false},
      {"no activation", MA_NOACTIVATE, false, true},
      {"no activation, eaten", MA_NOACTIVATEANDEAT, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    MessageSpy spy;
    HWND a = spy.createTopLevel(RECT{0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
    HWND a1 = spy.createChild(a, RECT{10, 10, 60, 60});
    HWND b = spy.createTopLevel(RECT{300, 0, 400, 100}, WS_POPUP | WS_VISIBLE);
    spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      return message == WM_MOUSEACTIVATE && window == a ? c.answer
                                                        : DefWindowProc(window, message, wParam, lParam);
    };
    spy.clear();
    driver.click(20, 20);
    driver.pumpUntilIdle();
    LPARAM hitAndMessage = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
    EXPECT_EQ(spy.only({WM_MOUSEACTIVATE}), (std::vector<Logged>{
                                                {a1, WM_MOUSEACTIVATE, handleWord(a), hitAndMessage},
                                                {a, WM_MOUSEACTIVATE, handleWord(a), hitAndMessage},
                                            }));
    EXPECT_EQ(GetActiveWindow(), c.activates ? a : b);
    if (c.activates) {
      EXPECT_EQ(spy.only({WM_ACTIVATE}).back(), (Logged{a, WM_ACTIVATE, WA_CLICKACTIVE, handleParam(b)}));
    }
    EXPECT_EQ(spy.numbersOf({WM_LBUTTONDOWN}).size(), c.delivered ? 1u : 0u);
    EXPECT_EQ(spy.numbersOf({WM_LBUTTONUP}).size(), 1u);
    spy.clear();
    driver.click(20, 20);
    driver.pumpUntilIdle();
    EXPECT_EQ(spy.only({WM_MOUSEACTIVATE}).empty(), c.activates) << "an active window is not asked again";
  }
}

TEST(Mouse, DisabledWindowsGetNoInput) {
  TestDriver driver;
  MessageSpy spy;
  HWND top = spy.createTopLevel(RECT{0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
  HWND disabledChild = spy.createChild(top, RECT{10, 10, 60, 60}, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  spy.clear();
  driver.click(20, 20);
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_LBUTTONDOWN}),
            (std::vector<Logged>{{top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20)}}))
      << "the parent of a disabled child takes the click";

  EnableWindow(top, FALSE);
  unsigned beeps = driver.beepCount();
  spy.clear();
  driver.click(100, 100);
  driver.pumpUntilIdle();
  EXPECT_TRUE(spy.only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE}).empty());
  EXPECT_EQ(spy.only({WM_SETCURSOR}).front().lParam, MAKELPARAM(HTERROR, WM_MOUSEMOVE));
  EXPECT_EQ(driver.beepCount(), beeps + 1) << "pressing on a disabled window beeps";
  EXPECT_TRUE(IsWindow(disabledChild));
}

TEST(Mouse, PointerOverTheFrameGetsNonClientMessagesAndFrameCursors) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  // An icon (160 x 24 at the desktop's bottom-left corner) keeps its sizing frame but cannot be sized.
  HWND icon = spy.createTopLevel(RECT{500, 100, 800, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ShowWindow(icon, SW_MINIMIZE);
  struct Case {
    POINT point;
    LRESULT hit;
    LPCWSTR cursor;
    HWND under;
  };
  const Case cases[] = {
      {{101, 200}, HTLEFT, IDC_SIZEWE, window},          {{250, 101}, HTTOP, IDC_SIZENS, window},
      {{398, 298}, HTBOTTOMRIGHT, IDC_SIZENWSE, window}, {{250, 110}, HTCAPTION, IDC_ARROW, window},
      {{250, 200}, HTCLIENT, IDC_ARROW, window},         {{1, 1012}, HTBORDER, IDC_ARROW, icon},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hit);
    SetCursor(nullptr);
    spy.clear();
    driver.mouseMove(c.point.x, c.point.y);
    driver.pumpUntilIdle();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, c.cursor));
    if (c.hit == HTCLIENT) {
      EXPECT_EQ(spy.only({WM_MOUSEMOVE}).size(), 1u);
    } else {
      EXPECT_EQ(spy.only({WM_NCMOUSEMOVE}),
                (std::vector<Logged>{{c.under, WM_NCMOUSEMOVE, static_cast<WPARAM>(c.hit),
                                      MAKELPARAM(c.point.x, c.point.y)}}));
    }
  }
}

TEST(Mouse, MovesCoalesceAndSetCursorPosAlwaysProducesAMove) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
  spy.clear();
  for (int x = 1; x <= 20; ++x) {
    driver.mouseMove(x, 5);
  }
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_MOUSEMOVE}), (std::vector<Logged>{{window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 5)}}));
  spy.clear();
  driver.keyDown(VK_SHIFT);
  SetCursorPos(20, 5);
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_MOUSEMOVE}),
            (std::vector<Logged>{{window, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(20, 5)}}))
      << "the same position, the new key state";
  POINT position{};
  GetCursorPos(&position);
  EXPECT_EQ(position.x, 20);
  SetCursorPos(-50, 5000);
  GetCursorPos(&position);
  EXPECT_EQ(position.x, 0);
  EXPECT_EQ(position.y, 1023) << "the pointer stays on the desktop";
}

}  // namespace native::test
