#include <gtest/gtest.h>

#include "native/tests/controlharness.h"

namespace native::test {

namespace {

// A vertical bar 17 wide: arrows of 17 at each end, the track between.
constexpr RECT kBarRect{20, 20, 37, 220};
constexpr int kBarX = 28;

using Scrolls = std::vector<std::pair<WORD, int>>;

HWND verticalBar(ControlHarness& h, int minimum, int maximum, int position, UINT page = 0) {
  HWND bar = h.create(kScrollBarClass, SBS_VERT, kBarRect);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS | SIF_PAGE, minimum, maximum, page, position, 0};
  SetScrollInfo(bar, SB_CTL, &info, TRUE);
  h.pump();
  h.spy.clear();
  return bar;
}

SCROLLINFO infoOf(HWND bar) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(bar, SB_CTL, &info);
  return info;
}

}  // namespace

TEST(ScrollBarControl, ArrowsAndTroughReportWithoutMovingTheThumb) {
  struct Case {
    const char* name;
    int y;
    WORD code;
  };
  const Case cases[] = {
      {"up arrow", kBarRect.top + 5, SB_LINEUP},
      {"down arrow", kBarRect.bottom - 5, SB_LINEDOWN},
      {"trough above the thumb", kBarRect.top + 60, SB_PAGEUP},
      {"trough below the thumb", kBarRect.bottom - 40, SB_PAGEDOWN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlHarness h;
    HWND bar = verticalBar(h, 0, 100, 50);
    h.driver.click(kBarX, c.y);
    h.pump();
    EXPECT_EQ(h.scrolls(bar), (Scrolls{{c.code, 0}, {SB_ENDSCROLL, 0}}));
    EXPECT_EQ(h.spy.only({WM_HSCROLL}).size(), 0u) << "a vertical bar sends WM_VSCROLL";
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 50) << "the owner moves the thumb, not the bar";
  }
}

TEST(ScrollBarControl, HeldArrowRepeatsAfterTheDelay) {
  ControlHarness h;
  HWND bar = verticalBar(h, 0, 100, 50);
  h.driver.mouseMove(kBarX, kBarRect.bottom - 5);
  h.driver.mouseDown();
  h.pump();
  h.driver.advanceClock(399);
  h.pump();
  EXPECT_EQ(h.scrolls(bar).size(), 1u);
  h.driver.advanceClock(1);
  h.pump();
  h.driver.advanceClock(50);
  h.pump();
  EXPECT_EQ(h.scrolls(bar), (Scrolls{{SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}, {SB_LINEDOWN, 0}}));
  h.driver.mouseMove(200, 200);
  h.driver.advanceClock(50);
  h.pump();
  EXPECT_EQ(h.scrolls(bar).size(), 3u) << "off the arrow, no more repeats";
  h.driver.mouseUp();
  h.pump();
  EXPECT_EQ(h.scrolls(bar).back(), (std::pair<WORD, int>{SB_ENDSCROLL, 0}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(ScrollBarControl, ThumbDragTracksAndEndsWithTheSignedPosition) {
  ControlHarness h;
  HWND bar = verticalBar(h, -32767, 32767, -32767);
  // The thumb sits at the top of the track, just below the up arrow.
  int thumbY = kBarRect.top + 17 + 8;
  h.driver.mouseMove(kBarX, thumbY);
  h.driver.mouseDown();
  h.driver.mouseMove(kBarX, thumbY + 30);
  h.pump();
  SCROLLINFO during = infoOf(bar);
  EXPECT_EQ(during.nPos, -32767) << "the position waits for the owner";
  EXPECT_GT(during.nTrackPos, -32767);
  EXPECT_LT(during.nTrackPos, 0);
  h.driver.mouseMove(kBarX, thumbY + 45);
  h.driver.mouseUp();
  h.pump();
  Scrolls scrolls = h.scrolls(bar);
  ASSERT_EQ(scrolls.size(), 4u);
  EXPECT_EQ(scrolls[0], (std::pair<WORD, int>{SB_THUMBTRACK, during.nTrackPos}));
  EXPECT_EQ(scrolls[1].first, SB_THUMBTRACK);
  EXPECT_LT(scrolls[1].second, 0) << "negative positions travel as signed 16-bit words";
  EXPECT_EQ(scrolls[2], (std::pair<WORD, int>{SB_THUMBPOSITION, scrolls[1].second}));
  EXPECT_EQ(scrolls[3], (std::pair<WORD, int>{SB_ENDSCROLL, 0}));
  EXPECT_EQ(infoOf(bar).nTrackPos, -32767) << "the thumb goes back until the owner sets the position";
}

TEST(ScrollBarControl, KeysReportWhileFocused) {
  ControlHarness h;
  HWND bar = verticalBar(h, 0, 100, 50);
  SetFocus(bar);
  const std::pair<UINT, WORD> keys[] = {{VK_UP, SB_LINEUP},    {VK_RIGHT, SB_LINEDOWN},
                                        {VK_PRIOR, SB_PAGEUP}, {VK_NEXT, SB_PAGEDOWN},
                                        {VK_HOME, SB_TOP},     {VK_END, SB_BOTTOM}};
  for (auto [key, code] : keys) {
    SCOPED_TRACE(code);
    h.spy.clear();
    h.driver.pressKey(key);
    h.pump();
    EXPECT_EQ(h.scrolls(bar), (Scrolls{{code, 0}, {SB_ENDSCROLL, 0}}));
  }
}

TEST(ScrollBarControl, ScrollInfoWithTheControlBarIsClampedLikeBuiltInBars) {
  ControlHarness h;
  HWND bar = h.create(kScrollBarClass, SBS_HORZ, RECT{20, 20, 220, 37});
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, -10, 10, 5, 99, 0};
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 6) << "the last position leaves room for the page";
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 6);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, -50, TRUE), 6);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), -10);
  int minimum = 0;
  int maximum = 0;
  ASSERT_EQ(GetScrollRange(bar, SB_CTL, &minimum, &maximum), TRUE);
  EXPECT_EQ(minimum, -10);
  EXPECT_EQ(maximum, 10);
  SCROLLINFO wrongSize = info;
  wrongSize.cbSize = 0;
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &wrongSize, TRUE), 0);
  EXPECT_EQ(GetScrollInfo(bar, SB_CTL, &wrongSize), FALSE);
  h.spy.clear();
  h.driver.click(25, 28);
  h.pump();
  EXPECT_EQ(h.spy.only({WM_HSCROLL}).size(), 2u) << "a horizontal bar sends WM_HSCROLL";
}

}  // namespace native::test
