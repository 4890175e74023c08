#include <gtest/gtest.h>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"
#include "native/user/nonclientlayout.h"
#include "native/user/nonclienttracker.h"

namespace native::test {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE;

// The vertical bar of a window at (100, 100)-(400, 300) on the screen.
RECT verticalBar(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return NonClientLayout::compute(static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)), 0, rect)
      .verticalScroll;
}

struct ScrollEvent {
  WORD code;
  int position;
  bool operator==(const ScrollEvent&) const = default;
};

std::vector<ScrollEvent> scrollEvents(const MessageSpy& spy) {
  std::vector<ScrollEvent> events;
  for (const Logged& entry : spy.only({WM_VSCROLL})) {
    events.push_back(ScrollEvent{LOWORD(entry.wParam), static_cast<SHORT>(HIWORD(entry.wParam))});
  }
  return events;
}

}  // namespace

TEST(ScrollBars, InfoIsClampedAndTheBarShowsOnlyWithSomethingToScroll) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  RECT before{};
  GetClientRect(window, &before);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 500, 0};
  EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, TRUE), 90) << "the position stops a page before the end";
  EXPECT_NE(GetWindowLong(window, GWL_STYLE) & WS_VSCROLL, 0);
  RECT with{};
  GetClientRect(window, &with);
  EXPECT_EQ(before.right - with.right, GetSystemMetrics(SM_CXVSCROLL)) << "the client area gives room";
  SCROLLINFO read{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &read));
  EXPECT_EQ(read.nMax, 99);
  EXPECT_EQ(read.nPage, 10u);
  EXPECT_EQ(read.nPos, 90);
  SCROLLINFO fits{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 9, 10, 0, 0};
  SetScrollInfo(window, SB_VERT, &fits, TRUE);
  EXPECT_EQ(GetWindowLong(window, GWL_STYLE) & WS_VSCROLL, 0) << "nothing to scroll: hidden";
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 0);
  fits.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(window, SB_VERT, &fits, TRUE);
  EXPECT_NE(GetWindowLong(window, GWL_STYLE) & WS_VSCROLL, 0) << "shown disabled";
  SCROLLINFO wrongSize{sizeof(SCROLLINFO) + 4, SIF_ALL, 0, 5, 0, 0, 0};
  EXPECT_EQ(SetScrollInfo(window, SB_VERT, &wrongSize, TRUE), 0);
  EXPECT_EQ(SetScrollInfo(window, SB_CTL, &info, TRUE), 0) << "a window has no control bar";
}

TEST(ScrollBars, PositionRangeShowAndEnable) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kStyle);
  EXPECT_TRUE(SetScrollRange(window, SB_VERT, 10, 20, TRUE));
  int minimum = 0;
  int maximum = 0;
  GetScrollRange(window, SB_VERT, &minimum, &maximum);
  EXPECT_EQ(minimum, 10);
  EXPECT_EQ(maximum, 20);
  EXPECT_EQ(SetScrollPos(window, SB_VERT, 15, TRUE), 10) << "answers the previous position";
  SetScrollPos(window, SB_VERT, 99, TRUE);
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 20);
  EXPECT_TRUE(ShowScrollBar(window, SB_BOTH, TRUE));
  EXPECT_EQ(GetWindowLong(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
  EXPECT_TRUE(ShowScrollBar(window, SB_HORZ, FALSE));
  EXPECT_EQ(GetWindowLong(window, GWL_STYLE) & WS_HSCROLL, 0);
  EXPECT_TRUE(EnableScrollBar(window, SB_VERT, ESB_DISABLE_BOTH));
  EXPECT_FALSE(EnableScrollBar(window, SB_VERT, 9));
}

TEST(ScrollBars, ArrowsAndPageAreasSendTheirCodesThenEndScroll) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kStyle);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 0, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  driver.pumpUntilIdle();
  RECT bar = verticalBar(window);
  int x = (bar.left + bar.right) / 2;
  struct Case {
    const char* name;
    int y;
    WORD code;
  };
  const Case cases[] = {
      {"down arrow", bar.bottom - 3, SB_LINEDOWN},
      {"up arrow", bar.top + 3, SB_LINEUP},
      {"below the thumb", bar.bottom - 30, SB_PAGEDOWN},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    spy.clear();
    driver.advanceClock(1000);  // no double clicks between cases
    driver.click(x, test.y);
    driver.pumpUntilIdle();
    EXPECT_EQ(scrollEvents(spy), (std::vector<ScrollEvent>{{test.code, 0}, {SB_ENDSCROLL, 0}}));
  }
  EnableScrollBar(window, SB_VERT, ESB_DISABLE_RTDN);
  spy.clear();
  driver.advanceClock(1000);
  driver.click(x, bar.bottom - 3);
  driver.pumpUntilIdle();
  EXPECT_TRUE(scrollEvents(spy).empty()) << "a disabled arrow does nothing";
}

TEST(ScrollBars, HeldArrowRepeatsWhileThePointerStaysOnIt) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kStyle);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 0, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  driver.pumpUntilIdle();
  RECT bar = verticalBar(window);
  int x = (bar.left + bar.right) / 2;
  spy.clear();
  driver.mouseMove(x, bar.bottom - 3);
  driver.mouseDown();
  driver.pumpUntilIdle();
  driver.advanceClock(NonClientTracker::kRepeatDelayMs - 1);
  driver.pumpUntilIdle();
  EXPECT_EQ(scrollEvents(spy).size(), 1u) << "no repeat before the delay";
  driver.advanceClock(1);
  driver.pumpUntilIdle();
  driver.advanceClock(NonClientTracker::kRepeatPeriodMs);
  driver.pumpUntilIdle();
  EXPECT_EQ(scrollEvents(spy).size(), 3u);
  driver.mouseMove(x, bar.top + 3);  // off the down arrow: no more steps
  driver.advanceClock(NonClientTracker::kRepeatPeriodMs);
  driver.pumpUntilIdle();
  EXPECT_EQ(scrollEvents(spy).size(), 3u);
  driver.mouseUp();
  driver.advanceClock(1000);
  driver.pumpUntilIdle();
  EXPECT_EQ(scrollEvents(spy), (std::vector<ScrollEvent>{
                                   {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
}

TEST(ScrollBars, DraggingTheThumbTracksThenSetsThePosition) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kStyle);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 40099, 100, 0, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  driver.pumpUntilIdle();
  RECT bar = verticalBar(window);
  int x = (bar.left + bar.right) / 2;
  int arrow = bar.right - bar.left;
  spy.clear();
  driver.mouseMove(x, bar.top + arrow + 3);  // on the thumb at the top
  driver.mouseDown();
  driver.mouseMove(x, bar.bottom);  // past the end of the track
  driver.pumpUntilIdle();
  SCROLLINFO tracking{sizeof(SCROLLINFO), SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(window, SB_VERT, &tracking);
  EXPECT_EQ(tracking.nTrackPos, 40000);
  EXPECT_EQ(tracking.nPos, 0) << "the window sets the position itself";
  driver.mouseUp();
  driver.pumpUntilIdle();
  // 40000 does not fit 16 signed bits: it travels as its low word.
  const int wrapped = static_cast<SHORT>(40000);
  EXPECT_EQ(
      scrollEvents(spy),
      (std::vector<ScrollEvent>{{SB_THUMBTRACK, wrapped}, {SB_THUMBPOSITION, wrapped}, {SB_ENDSCROLL, 0}}));
}

}  // namespace native::test
