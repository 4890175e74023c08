#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "framework/core/zafscrollbar.h"
#include "framework/data/zafscrolldata.h"
#include "framework/win32/tests/zaffieldtestbed.h"
#include "framework/win32/zafscrollscale.h"
#include "framework/win32/zafwindowprocedure.h"

namespace {

using ScrollBarNativeTest = ZafFieldTest;

TEST(ScrollScale, RangesFitSixteenBitPositions) {
  struct Case {
    const char* name;
    ZafScrollStruct scroll;
    int32_t scale;
    int16_t top;
    int16_t position;
    int16_t page;
    int32_t readBack;  // the value the control's position stands for
  };
  const Case cases[] = {
      {"0..100", {40, 0, 100, 1, 1}, 1, -32667, -32727, 1, 40},
      {"negative minimum", {-5, -50, 50, 10, 1}, 1, -32667, -32722, 10, -5},
      {"65535 values", {65534, 0, 65534, 1, 1}, 2, -1, 0, 0, 65534},
      {"200000 values round down", {1003, 0, 199999, 4000, 1}, 4, 17232, -32517, 1000, 1000},
      {"whole 32-bit range", {0, INT_MIN, INT_MAX, 1, 1}, 1, -32768, -32767, 1, INT_MIN},
      {"empty range", {10, 10, 0, 1, 1}, 65537, -32768, -32767, 0, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ZafNativeScroll native = ZafScaleScroll(c.scroll);
    EXPECT_EQ(native.scale, c.scale);
    EXPECT_EQ(native.top, c.top);
    EXPECT_EQ(native.position, c.position);
    EXPECT_EQ(native.page, c.page);
    EXPECT_EQ(ZafScrollValueAt(c.scroll, native.scale, native.position, false), c.readBack);
  }
}

// A window that records the scroll events its own bars send it.
class ScrolledWindow : public ZafWindow {
 public:
  ScrolledWindow() : ZafWindow(0, 0, 20, 10) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == VerticalScrollEvent || event.type == HorizontalScrollEvent) {
      reports.push_back({event.type, event.Scroll().delta});
    }
    return ZafWindow::Event(event);
  }
  std::vector<std::pair<ZafEventType, int32_t>> reports;
};

ZafEventRecord ScrollMessage(native::UINT message, native::WORD code, int16_t thumb = 0) {
  return ZafNativeEvent(nullptr, message, native::MAKEWPARAM(code, static_cast<native::WORD>(thumb)), 0);
}

struct Report {
  ZafEventType type;
  ZafScrollStruct scroll;
};
std::vector<Report> userReports;

ZafLong RecordReport(ZafWindowObject*, ZafEventRecord& event, ZafLong code) {
  EXPECT_EQ(code, ChosenEvent);
  userReports.push_back({event.type, event.Scroll()});
  return 0;
}

TEST(ScrollBarMessages, ScrollCodesMoveTheDataAndReportTheChange) {
  struct Case {
    const char* name;
    int32_t type;
    native::WORD code;
    int16_t thumb;
    int32_t current;
    int32_t expected;
    ZafEventType event;  // 0: nothing reported
  };
  // Data 0..100, page 10, line 2.
  const Case cases[] = {
      {"line down", ZAF_VERTICAL_SCROLL, native::SB_LINEDOWN, 0, 50, 52, 1051},
      {"line up", ZAF_HORIZONTAL_SCROLL, native::SB_LINEUP, 0, 50, 48, 1050},
      {"page down held at the maximum", ZAF_HORIZONTAL_SLIDER, native::SB_PAGEDOWN, 0, 95, 100, 1059},
      {"line down at the maximum", ZAF_VERTICAL_SCROLL, native::SB_LINEDOWN, 0, 100, 100, 0},
      {"thumb position", ZAF_VERTICAL_SCROLL, native::SB_THUMBPOSITION, -32767 + 30, 0, 30, 1005},
      {"thumb track", ZAF_HORIZONTAL_SLIDER, native::SB_THUMBTRACK, -32767 + 70, 0, 70, 1004},
      {"top", ZAF_VERTICAL_SCROLL, native::SB_TOP, 0, 50, 0, 1056},
      {"bottom", ZAF_VERTICAL_SCROLL, native::SB_BOTTOM, 0, 50, 100, 1057},
      {"end of scrolling", ZAF_VERTICAL_SCROLL, native::SB_ENDSCROLL, 0, 50, 50, 0},
      {"vertical slider line down", ZAF_VERTICAL_SLIDER, native::SB_LINEDOWN, 0, 50, 48, 1051},
      {"vertical slider page up", ZAF_VERTICAL_SLIDER, native::SB_PAGEUP, 0, 50, 60, 1058},
      {"vertical slider top", ZAF_VERTICAL_SLIDER, native::SB_TOP, 0, 50, 100, 1056},
      {"vertical slider thumb", ZAF_VERTICAL_SLIDER, native::SB_THUMBPOSITION, -32767 + 30, 0, 70, 1005},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    userReports.clear();
    ScrolledWindow window;
    auto* free = new ZafScrollBar(0, 0, 10, 10, 0, 100, c.current, 2, 10, c.type);
    free->SetSupportObject(false);
    free->SetUserFunction(&RecordReport);
    window.Add(free);
    free->Event(ScrollMessage(native::WM_VSCROLL, c.code, c.thumb));
    EXPECT_EQ(free->ScrollData()->Current(), c.expected);
    if (c.event == 0) {
      EXPECT_TRUE(userReports.empty());
    } else {
      ASSERT_EQ(userReports.size(), 1u);
      EXPECT_EQ(userReports[0].type, c.event);
      EXPECT_EQ(userReports[0].scroll, (ZafScrollStruct{c.expected, 0, 100, 10, c.expected - c.current}));
    }
    EXPECT_TRUE(window.reports.empty()) << "a free bar tells only its user function";
  }
}

TEST(ScrollBarMessages, AWindowsOwnBarsTellTheWindowTheSignedChange) {
  ScrolledWindow window;
  auto* vertical = new ZafScrollBar(0, 0, 0, 0, 0, 100, 50, 1, 10, ZAF_VERTICAL_SCROLL);
  auto* horizontal = new ZafScrollBar(0, 0, 0, 0, 0, 100, 50, 1, 10, ZAF_HORIZONTAL_SCROLL);
  window.Add(vertical);
  window.Add(horizontal);
  ASSERT_EQ(window.VerticalScrollBar(), vertical);
  ASSERT_EQ(window.HorizontalScrollBar(), horizontal);
  userReports.clear();
  vertical->SetUserFunction(&RecordReport);
  // The window's own native messages reach its bars.
  window.Event(ScrollMessage(native::WM_VSCROLL, native::SB_PAGEDOWN));
  window.Event(ScrollMessage(native::WM_HSCROLL, native::SB_LINEUP));
  const std::vector<std::pair<ZafEventType, int32_t>> expected = {{VerticalScrollEvent, 10},
                                                                  {HorizontalScrollEvent, -1}};
  EXPECT_EQ(window.reports, expected);
  EXPECT_TRUE(userReports.empty());
  EXPECT_EQ(vertical->ScrollData()->Current(), 60);
  EXPECT_EQ(horizontal->ScrollData()->Current(), 49);
}

TEST(ScrollBarMessages, ScrollByEventsStayInsideTheRange) {
  struct Case {
    ZafEventType type;
    int32_t change;
    int32_t expected;
  };
  const Case cases[] = {
      {ScrollVerticalByEvent, 30, 80},
      {ScrollHorizontalByEvent, -70, -20},
      {ScrollVerticalByEvent, 500, 100},
      {ScrollHorizontalByEvent, INT_MIN, -20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    ZafScrollBar bar(0, 0, 10, 10, -20, 100, 50, 1, 1, ZAF_VERTICAL_SLIDER);
    ZafEventRecord event(c.type, 0);
    event.SetScroll({0, 0, 0, 0, c.change});
    EXPECT_EQ(bar.Event(event), c.type);
    EXPECT_EQ(bar.ScrollData()->Current(), c.expected);
  }
}

TEST(ScrollBarMessages, AutomaticSizeFixesTheThickness) {
  const int32_t barWidth = native::GetSystemMetrics(native::SM_CXVSCROLL);
  const int32_t barHeight = native::GetSystemMetrics(native::SM_CYHSCROLL);
  struct Case {
    int32_t type;
    int32_t width;
    int32_t height;
  };
  const Case cases[] = {
      {ZAF_VERTICAL_SLIDER, 23, 100},       {ZAF_HORIZONTAL_SLIDER, 100, 23},
      {ZAF_VERTICAL_SCROLL, barWidth, 100}, {ZAF_HORIZONTAL_SCROLL, 100, barHeight},
      {ZAF_CORNER_SCROLL, 100, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ZafScrollBar bar(0, 0, 1, 1, 0, 10, 0, 1, 1, c.type);
    bar.SetRegion({5, 5, 104, 104, ZAF_PIXEL});
    EXPECT_EQ(bar.Event(ZafEventRecord(FitEvent, 0)), FitEvent);
    EXPECT_EQ(bar.Region().Width(), c.width);
    EXPECT_EQ(bar.Region().Height(), c.height);
  }
}

native::SCROLLINFO InfoOf(native::HWND window, int bar) {
  native::SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = native::SIF_ALL;
  native::GetScrollInfo(window, bar, &info);
  return info;
}

TEST_F(ScrollBarNativeTest, ControlsHoldTheScaledDataAndGiveItBack) {
  struct Case {
    const char* name;
    int32_t type;
    int32_t minimum;
    int32_t maximum;
    int32_t current;
    int32_t readBack;
  };
  const Case cases[] = {
      {"scroll bar", ZAF_HORIZONTAL_SCROLL, 0, 100, 37, 37},
      {"large range", ZAF_VERTICAL_SCROLL, 0, 199999, 1003, 1000},
      {"slider", ZAF_HORIZONTAL_SLIDER, -50, 50, 20, 20},
      {"vertical slider", ZAF_VERTICAL_SLIDER, 0, 100, 30, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* bar = new ZafScrollBar(0, 0, 1, 1, c.minimum, c.maximum, c.current, 1, 1, c.type);
    bar->SetSupportObject(false);
    Add(bar);
    ASSERT_NE(bar->ScreenID(), nullptr);
    const ZafNativeScroll native = ZafScaleScroll(bar->ScrollData()->Scroll());
    if (ZafScrollBar::IsSlider(c.type)) {
      const auto position = native::SendMessage(bar->ScreenID(), native::TBM_GETPOS, 0, 0);
      EXPECT_EQ(position,
                c.type == ZAF_VERTICAL_SLIDER ? native.top - (native.position + 32767) : native.position);
    } else {
      const native::SCROLLINFO info = InfoOf(bar->ScreenID(), native::SB_CTL);
      EXPECT_EQ(info.nMin, -32767);
      EXPECT_EQ(info.nMax, native.top + native.page - 1);
      EXPECT_EQ(info.nPos, native.position);
    }
    bar->ScrollFromNative();
    EXPECT_EQ(bar->ScrollData()->Current(), c.readBack);
    root->Subtract(bar);
    delete bar;
  }
}

TEST_F(ScrollBarNativeTest, AWindowsOwnBarIsTheBuiltInBarOfItsWindow) {
  auto* bar = new ZafScrollBar(0, 0, 0, 0, 0, 100, 25, 1, 10, ZAF_VERTICAL_SCROLL);
  root->Add(bar);
  driver.pumpUntilIdle();
  EXPECT_EQ(bar->ScreenID(), host);
  const native::SCROLLINFO info = InfoOf(host, native::SB_VERT);
  EXPECT_EQ(info.nPos, -32767 + 25);
  EXPECT_EQ(info.nPage, 10u);
  bar->ScrollData()->SetCurrent(75);
  EXPECT_EQ(InfoOf(host, native::SB_VERT).nPos, -32767 + 75) << "a change of the data reaches the bar";
  root->Subtract(bar);
  delete bar;
}

}  // namespace
