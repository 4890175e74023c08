#include <gtest/gtest.h>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"
#include "native/user/nonclientlayout.h"
#include "native/user/windowsystem.h"

namespace native {
// Comparison and printing for the tests' expectations; found by argument-dependent lookup.
static bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}
[[maybe_unused]] static std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}
}  // namespace native

namespace native::test {

TEST(WindowPos, PositionChangesBecomeSizeAndMoveThroughDefaultProcessing) {
  TestDriver driver;
  MessageSpy spy;
  HWND parent = spy.createTopLevel(RECT{0, 0, 400, 300}, WS_POPUP | WS_VISIBLE);
  HWND child = spy.createChild(parent, RECT{0, 0, 20, 20});
  struct Case {
    const char* name;
    RECT target;
    std::vector<Logged> sizeAndMove;
  };
  const Case cases[] = {
      {"moved and sized",
       {5, 6, 35, 46},
       {{child, WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40)}, {child, WM_MOVE, 0, MAKELPARAM(5, 6)}}},
      {"moved only", {7, 8, 37, 48}, {{child, WM_MOVE, 0, MAKELPARAM(7, 8)}}},
      {"sized only", {7, 8, 17, 18}, {{child, WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 10)}}},
      {"unchanged", {7, 8, 17, 18}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    spy.clear();
    MoveWindow(child, c.target.left, c.target.top, c.target.right - c.target.left,
               c.target.bottom - c.target.top, TRUE);
    std::vector<Logged> changed = spy.only({WM_WINDOWPOSCHANGED});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(spy.only({WM_SIZE, WM_MOVE}), c.sizeAndMove);
    RECT onScreen{};
    GetWindowRect(child, &onScreen);
    EXPECT_EQ(onScreen, c.target) << "the popup parent has no frame, so its client origin is the screen's";
  }
}

TEST(WindowPos, ReportedFlagsSayWhatDidNotChange) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{10, 10, 50, 50}, WS_POPUP | WS_VISIBLE);
  UINT reported = 0;
  spy.handler = [&](HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGED) {
      reported = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
    }
    return DefWindowProc(handle, message, wParam, lParam);
  };
  struct Case {
    int x, y, cx, cy;
    UINT expected;
  };
  const Case cases[] = {{10, 10, 40, 40, SWP_NOMOVE | SWP_NOSIZE},
                        {11, 10, 40, 40, SWP_NOSIZE},
                        {11, 10, 41, 40, SWP_NOMOVE},
                        {0, 0, 50, 50, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    MoveWindow(window, c.x, c.y, c.cx, c.cy, TRUE);
    EXPECT_EQ(reported & (SWP_NOMOVE | SWP_NOSIZE), c.expected);
  }
}

TEST(WindowPos, SyntheticRelayoutMessageOnlyResendsTheSize) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{10, 10, 210, 110}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  RECT rect{};
  GetWindowRect(window, &rect);
  WINDOWPOS position{window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     0x61E};
  spy.clear();
  SendMessage(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
  EXPECT_EQ(spy.only({WM_SIZE, WM_MOVE}),
            (std::vector<Logged>{{window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(200 - 8, 100 - 8 - 19)}}));
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_EQ(after, rect);
}

TEST(WindowPos, ClientAreaFollowsTheFrameStyles) {
  TestDriver driver;
  MessageSpy spy;
  HWND parent = spy.createTopLevel(RECT{0, 0, 1000, 800}, WS_POPUP | WS_VISIBLE);
  struct Case {
    const char* name;
    DWORD style;
    DWORD exStyle;
    RECT insets;  // left, top, right, bottom
  };
  const Case cases[] = {
      {"no frame", WS_POPUP, 0, {0, 0, 0, 0}},
      {"thin border", WS_POPUP | WS_BORDER, 0, {1, 1, 1, 1}},
      {"caption", WS_CAPTION | WS_SYSMENU, 0, {3, 3 + 19, 3, 3}},
      {"sizing frame and caption", WS_OVERLAPPEDWINDOW, 0, {4, 4 + 19, 4, 4}},
      {"modal dialog frame", WS_POPUP, WS_EX_DLGMODALFRAME, {3, 3, 3, 3}},
      {"border and client edge", WS_CHILD | WS_BORDER, WS_EX_CLIENTEDGE, {3, 3, 3, 3}},
      {"scroll bars", WS_CHILD | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, 16, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND window = CreateWindowEx(c.exStyle, spy.className(), u"", c.style, 100, 50, 300, 200,
                                 (c.style & WS_CHILD) != 0 ? parent : nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client,
              (RECT{0, 0, 300 - c.insets.left - c.insets.right, 200 - c.insets.top - c.insets.bottom}));
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(origin.x, 100 + c.insets.left);
    EXPECT_EQ(origin.y, 50 + c.insets.top);
    DestroyWindow(window);
  }
}

TEST(WindowPos, FrameHitTestFindsEdgesCornersAndCaptionBoxes) {
  TestDriver driver;
  NonClientLayout sizing = NonClientLayout::compute(WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 300, 200});
  NonClientLayout fixed = NonClientLayout::compute(WS_CAPTION | WS_SYSMENU, 0, RECT{0, 0, 300, 200});
  struct Case {
    const NonClientLayout* layout;
    POINT point;
    LRESULT expected;
  };
  const Case cases[] = {
      {&sizing, {150, 100}, HTCLIENT},      {&sizing, {400, 100}, HTNOWHERE},
      {&sizing, {1, 100}, HTLEFT},          {&sizing, {298, 100}, HTRIGHT},
      {&sizing, {150, 1}, HTTOP},           {&sizing, {150, 198}, HTBOTTOM},
      {&sizing, {10, 1}, HTTOPLEFT},        {&sizing, {1, 10}, HTTOPLEFT},
      {&sizing, {298, 198}, HTBOTTOMRIGHT}, {&sizing, {150, 12}, HTCAPTION},
      {&sizing, {285, 12}, HTCLOSE},        {&sizing, {268, 12}, HTMAXBUTTON},
      {&sizing, {250, 12}, HTMINBUTTON},    {&sizing, {10, 12}, HTSYSMENU},
      {&fixed, {1, 100}, HTBORDER},         {&fixed, {285, 12}, HTCLOSE},
      {&fixed, {268, 12}, HTCAPTION},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    EXPECT_EQ(c.layout->hitTest(c.point), c.expected);
  }
}

TEST(WindowPos, MaximiseMinimiseAndRestorePlaceTheWindow) {
  TestDriver driver(DesktopOptions{800, 600, 96});
  MessageSpy spy;
  HWND top = spy.createTopLevel(RECT{10, 10, 210, 110});
  HWND child = spy.createChild(top, RECT{5, 5, 25, 25});
  RECT parentClient{};
  GetClientRect(top, &parentClient);
  struct Step {
    const char* name;
    HWND window;
    int command;
    RECT expected;  // in the parent's client coordinates (the screen for the top-level window)
    WPARAM sizeKind;
  };
  const Step steps[] = {
      {"maximise to the desktop", top, SW_MAXIMIZE, {0, 0, 800, 600}, SIZE_MAXIMIZED},
      {"restore", top, SW_RESTORE, {10, 10, 210, 110}, SIZE_RESTORED},
      {"minimise along the bottom", top, SW_MINIMIZE, {0, 600 - 24, 160, 600}, SIZE_MINIMIZED},
      {"restore again", top, SW_RESTORE, {10, 10, 210, 110}, SIZE_RESTORED},
      {"maximise a child to the parent's client area", child, SW_MAXIMIZE, parentClient, SIZE_MAXIMIZED},
      {"minimise it from there",
       child,
       SW_MINIMIZE,
       {0, parentClient.bottom - 24, 160, parentClient.bottom},
       SIZE_MINIMIZED},
      {"restore brings it back maximised", child, SW_RESTORE, parentClient, SIZE_MAXIMIZED},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    spy.clear();
    ShowWindow(step.window, step.command);
    RECT rect{};
    GetWindowRect(step.window, &rect);
    MapWindowPoints(nullptr, step.window == child ? top : nullptr, &rect);
    EXPECT_EQ(rect, step.expected);
    std::vector<Logged> sizes = spy.only({WM_SIZE});
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().wParam, step.sizeKind);
    EXPECT_EQ(IsZoomed(step.window) != FALSE, step.sizeKind == SIZE_MAXIMIZED);
    EXPECT_EQ(IsIconic(step.window) != FALSE, step.sizeKind == SIZE_MINIMIZED);
  }
}

TEST(WindowPos, ShowAndHideReportTheFormerVisibility) {
  TestDriver driver;
  MessageSpy spy;
  HWND parent = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP);
  HWND child = spy.createChild(parent, RECT{0, 0, 10, 10}, WS_CHILD);
  EXPECT_FALSE(ShowWindow(child, SW_SHOW));
  EXPECT_FALSE(IsWindowVisible(child)) << "its parent is still hidden";
  EXPECT_FALSE(ShowWindow(parent, SW_SHOWNA));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_EQ(GetActiveWindow(), nullptr) << "SW_SHOWNA does not activate";
  spy.clear();
  EXPECT_TRUE(ShowWindow(child, SW_HIDE));
  EXPECT_EQ(spy.only({WM_SHOWWINDOW}), (std::vector<Logged>{{child, WM_SHOWWINDOW, FALSE, 0}}));
  EXPECT_FALSE(ShowWindow(child, SW_HIDE));
}

TEST(WindowPos, OwnedWindowsStayAboveTheirOwner) {
  TestDriver driver;
  MessageSpy spy;
  HWND owner = spy.createTopLevel(RECT{0, 0, 100, 100});
  HWND owned = spy.createTopLevel(RECT{10, 10, 50, 50}, WS_POPUP | WS_VISIBLE, owner);
  HWND other = spy.createTopLevel(RECT{20, 20, 80, 80});
  EXPECT_EQ(driver.topLevelWindows(), (std::vector<HWND>{other, owned, owner}));
  SetActiveWindow(owner);
  EXPECT_EQ(driver.topLevelWindows(), (std::vector<HWND>{owned, owner, other}));
  SetWindowPos(owned, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(driver.topLevelWindows(), (std::vector<HWND>{owned, owner, other})) << "not below its owner";
  HWND topmost = CreateWindowEx(WS_EX_TOPMOST, spy.className(), u"", WS_POPUP | WS_VISIBLE, 0, 0, 5, 5,
                                nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  EXPECT_EQ(driver.topLevelWindows(), (std::vector<HWND>{topmost, other, owned, owner}));
  EXPECT_EQ(GetTopWindow(nullptr), topmost);
  EXPECT_EQ(GetWindow(other, GW_HWNDNEXT), owned);
  EXPECT_EQ(GetWindow(other, GW_HWNDPREV), topmost);
}

TEST(WindowPos, WindowFromPointFindsTheTopmostVisibleWindow) {
  TestDriver driver;
  MessageSpy spy;
  HWND lower = spy.createTopLevel(RECT{0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
  HWND upper = spy.createTopLevel(RECT{100, 100, 300, 300}, WS_POPUP | WS_VISIBLE);
  HWND child = spy.createChild(upper, RECT{10, 10, 50, 50});
  HWND disabled = spy.createChild(upper, RECT{60, 60, 90, 90}, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  HWND hidden = spy.createChild(lower, RECT{0, 0, 50, 50}, WS_CHILD);
  struct Case {
    POINT point;
    HWND expected;
  };
  const Case cases[] = {
      {{50, 50}, lower},   {{150, 150}, upper}, {{115, 115}, child},
      {{170, 170}, upper}, {{10, 10}, lower},   {{500, 500}, GetDesktopWindow()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    EXPECT_EQ(WindowFromPoint(c.point), c.expected);
  }
  EXPECT_TRUE(IsWindow(disabled));
  EXPECT_TRUE(IsWindow(hidden));
}

TEST(WindowPos, PointsMapBetweenClientAreasAndTheScreen) {
  TestDriver driver;
  MessageSpy spy;
  HWND top = spy.createTopLevel(RECT{100, 50, 400, 350}, WS_POPUP | WS_BORDER | WS_VISIBLE);
  HWND child = spy.createChild(top, RECT{20, 30, 120, 130});
  POINT points[2] = {{0, 0}, {-5, 7}};
  EXPECT_EQ(MapWindowPoints(child, nullptr, points, 2), MAKELONG(121, 81));
  EXPECT_EQ(points[1].x, 116);
  EXPECT_EQ(points[1].y, 88);
  POINT back = points[1];
  ScreenToClient(child, &back);
  EXPECT_EQ(back.x, -5);
  EXPECT_EQ(back.y, 7);
  RECT rect{0, 0, 10, 10};
  MapWindowPoints(child, top, &rect);
  EXPECT_EQ(rect, (RECT{20, 30, 30, 40}));
  EXPECT_EQ(MapWindowPoints(child, reinterpret_cast<HWND>(std::intptr_t{12345}), points, 2), 0);
  EXPECT_FALSE(ClientToScreen(nullptr, &back));
}

}  // namespace native::test

namespace native::test {

TEST(WindowPos, OnlyASiblingGivesAPlaceInTheOrder) {
  TestDriver driver;
  MessageSpy spy;
  HWND parent = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
  HWND first = spy.createChild(parent, RECT{0, 0, 10, 10});
  HWND second = spy.createChild(parent, RECT{0, 0, 10, 10});
  HWND stranger = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  ASSERT_EQ(GetWindow(parent, GW_CHILD), first);
  SetWindowPos(second, stranger, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), first) << "a window of another parent leaves the order alone";
  SetWindowPos(first, second, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), second);
  EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), nullptr);
}

TEST(WindowPos, EmptyWindowKeepsItsClientOriginWhereItStands) {
  TestDriver driver;
  MessageSpy spy;
  HWND parent = spy.createTopLevel(RECT{100, 100, 300, 300}, WS_POPUP | WS_VISIBLE);
  // Windows are often made with no size and placed later; a frame larger than the window leaves no area.
  HWND child = spy.createChild(parent, RECT{30, 40, 30, 40}, WS_CHILD | WS_OVERLAPPEDWINDOW);
  POINT origin{0, 0};
  ClientToScreen(child, &origin);
  EXPECT_EQ(origin.x, 130);
  EXPECT_EQ(origin.y, 140);
  RECT client{};
  GetClientRect(child, &client);
  EXPECT_TRUE(IsRectEmpty(&client));
  MoveWindow(child, 30, 40, 100, 100, TRUE);
  GetClientRect(child, &client);
  EXPECT_EQ(client, (RECT{0, 0, 92, 100 - 8 - 19}));
}

}  // namespace native::test

namespace native::test {

TEST(WindowPos, ExtremeGeometryIsHeldWithinLimits) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP | WS_VISIBLE);
  const int limit = 1 << 24;
  struct Case {
    int x, y, cx, cy;
    RECT expected;
  };
  const Case cases[] = {
      {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, {limit, limit, 2 * limit, 2 * limit}},
      {INT32_MIN, 0, -5, 10, {-limit, 0, -limit, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    MoveWindow(window, c.x, c.y, c.cx, c.cy, TRUE);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect, c.expected);
    // However large the window, its pixels cost no more than the desktop's.
    const Surface& pixels = *WindowSystem::get().windows().find(window)->surface;
    EXPECT_LE(pixels.width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(pixels.height(), GetSystemMetrics(SM_CYSCREEN));
  }
}

TEST(WindowPos, WindowPartlyOffTheDesktopDrawsWhereItShowsAndPaintsWhatComesOn) {
  TestDriver driver;
  const COLORREF green = RGB(0, 128, 0);
  const COLORREF red = RGB(255, 0, 0);
  HBRUSH brush = CreateSolidBrush(green);
  WNDCLASS description{};
  description.lpfnWndProc = DefWindowProc;  // which paints the class brush
  description.lpszClassName = u"GreenWindow";
  description.hbrBackground = brush;
  ASSERT_NE(RegisterClass(&description), 0);
  HWND window = CreateWindowEx(0, u"GreenWindow", u"", WS_POPUP | WS_VISIBLE, -60, -30, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  driver.pumpUntilIdle();
  HDC dc = GetDC(window);
  SetPixel(dc, 70, 40, red);
  ReleaseDC(window, dc);
  EXPECT_EQ(driver.pixel(10, 10), red) << "window (70, 40) lies at (10, 10) on the desktop";
  EXPECT_EQ(driver.pixel(0, 0), green);
  EXPECT_EQ(driver.pixel(139, 69), green);
  // The part that was off the desktop comes on and is painted.
  MoveWindow(window, 20, 40, 200, 100, TRUE);
  driver.pumpUntilIdle();
  EXPECT_EQ(driver.pixel(20, 40), green);
  EXPECT_EQ(driver.pixel(219, 139), green);
  DestroyWindow(window);
  UnregisterClass(u"GreenWindow", nullptr);
  DeleteObject(brush);
}

}  // namespace native::test
