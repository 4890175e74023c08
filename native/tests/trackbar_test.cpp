#include <gtest/gtest.h>

#include "native/tests/controlharness.h"

namespace native::test {

namespace {

// The thumb's centre travels from 8 pixels inside the left edge to 9 inside the right one: from x = 28 to
// x = 211 here, with the thumb across y = 24..44.
constexpr RECT kSliderRect{20, 20, 220, 50};
constexpr int kFirstCentre = 28;
constexpr int kLastCentre = 211;
constexpr int kThumbY = 34;

using Scrolls = std::vector<std::pair<WORD, int>>;

HWND slider(ControlHarness& h, DWORD style = TBS_HORZ, const RECT& rect = kSliderRect) {
  InitCommonControls();
  HWND control = h.create(TRACKBAR_CLASS, style, rect);
  h.spy.clear();
  return control;
}

LRESULT positionOf(HWND control) {
  return SendMessage(control, TBM_GETPOS, 0, 0);
}

}  // namespace

TEST(Trackbar, ClassComesWithInitCommonControls) {
  ControlHarness h;
  EXPECT_EQ(h.create(TRACKBAR_CLASS, 0, kSliderRect), nullptr);
  InitCommonControls();
  InitCommonControls();
  EXPECT_NE(h.create(TRACKBAR_CLASS, 0, kSliderRect), nullptr);
}

TEST(Trackbar, RangeHalvesAreSignedAndThePositionStaysInside) {
  ControlHarness h;
  HWND control = slider(h);
  SendMessage(control, TBM_SETRANGE, TRUE, MAKELPARAM(static_cast<WORD>(-32767), 32767));
  EXPECT_EQ(SendMessage(control, TBM_GETRANGEMIN, 0, 0), -32767);
  EXPECT_EQ(SendMessage(control, TBM_GETRANGEMAX, 0, 0), 32767);
  struct Case {
    LPARAM asked;
    LRESULT kept;
  };
  for (Case c : {Case{-5, -5}, Case{-40000, -32767}, Case{40000, 32767}, Case{0, 0}}) {
    SCOPED_TRACE(c.asked);
    SendMessage(control, TBM_SETPOS, TRUE, c.asked);
    EXPECT_EQ(positionOf(control), c.kept);
  }
  SendMessage(control, TBM_SETRANGE, FALSE, MAKELPARAM(10, 20));
  EXPECT_EQ(positionOf(control), 10) << "a new range pulls the position in";
  EXPECT_TRUE(h.scrolls(control).empty()) << "the program's changes are not reported";
}

TEST(Trackbar, KeysStepByLineAndPageAndReport) {
  ControlHarness h;
  HWND control = slider(h);
  SendMessage(control, TBM_SETPAGESIZE, 0, 10);
  SendMessage(control, TBM_SETLINESIZE, 0, 2);
  SendMessage(control, TBM_SETPOS, TRUE, 50);
  SetFocus(control);
  struct Step {
    UINT key;
    WORD code;
    LRESULT position;
  };
  const Step steps[] = {{VK_RIGHT, SB_LINEDOWN, 52}, {VK_UP, SB_LINEUP, 50},   {VK_NEXT, SB_PAGEDOWN, 60},
                        {VK_PRIOR, SB_PAGEUP, 50},   {VK_END, SB_BOTTOM, 100}, {VK_DOWN, SB_LINEDOWN, 100},
                        {VK_HOME, SB_TOP, 0},        {VK_LEFT, SB_LINEUP, 0}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.key);
    h.spy.clear();
    h.driver.pressKey(step.key);
    h.pump();
    EXPECT_EQ(positionOf(control), step.position);
    EXPECT_EQ(h.scrolls(control), (Scrolls{{step.code, 0}, {SB_ENDSCROLL, 0}}));
  }
}

TEST(Trackbar, ThumbDragMovesItAndReportsThePosition) {
  ControlHarness h;
  HWND control = slider(h);
  h.driver.mouseMove(kFirstCentre, kThumbY);
  h.driver.mouseDown();
  h.driver.mouseMove((kFirstCentre + kLastCentre) / 2, kThumbY);
  h.pump();
  EXPECT_EQ(positionOf(control), 50) << "the thumb moves while dragged";
  h.driver.mouseMove(kLastCentre + 40, kThumbY);
  h.driver.mouseUp();
  h.pump();
  EXPECT_EQ(positionOf(control), 100);
  EXPECT_EQ(h.scrolls(control),
            (Scrolls{{SB_THUMBTRACK, 50}, {SB_THUMBTRACK, 100}, {SB_THUMBPOSITION, 100}, {SB_ENDSCROLL, 0}}));
  EXPECT_EQ(GetFocus(), control);
}

TEST(Trackbar, ChannelPressPagesTowardThePointer) {
  ControlHarness h;
  HWND control = slider(h);
  h.driver.mouseMove(kLastCentre, kThumbY);
  h.driver.mouseDown();
  h.pump();
  EXPECT_EQ(positionOf(control), 20);
  h.driver.advanceClock(400);
  h.pump();
  EXPECT_EQ(positionOf(control), 40) << "held, it repeats";
  h.driver.mouseUp();
  h.pump();
  EXPECT_EQ(h.scrolls(control), (Scrolls{{SB_PAGEDOWN, 0}, {SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 0}}));
}

TEST(Trackbar, VerticalHasItsMinimumAtTheTopAndSendsVerticalScrolls) {
  ControlHarness h;
  HWND control = slider(h, TBS_VERT | TBS_NOTICKS, RECT{20, 20, 50, 220});
  SendMessage(control, TBM_SETPOS, TRUE, 50);
  h.driver.click(34, 30);
  h.pump();
  EXPECT_EQ(positionOf(control), 30);
  EXPECT_EQ(h.spy.only({WM_VSCROLL}).size(), 2u);
  EXPECT_TRUE(h.spy.only({WM_HSCROLL}).empty());
}

TEST(Trackbar, BackgroundComesFromTheParentsStaticColour) {
  ControlHarness h;
  HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
  h.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_CTLCOLORSTATIC) {
      return reinterpret_cast<LRESULT>(green);
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND control = slider(h);
  EXPECT_EQ(h.driver.pixel(kSliderRect.left + 1, kSliderRect.top + 1), RGB(0, 200, 0));
  DestroyWindow(control);
  DeleteObject(green);
}

}  // namespace native::test
