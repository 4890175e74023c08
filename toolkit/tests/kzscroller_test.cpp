#include "toolkit/kzscroller.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kperiodictask.h"
#include "framework/data/zafscrolldata.h"
#include "toolkit/tests/kzpanetestbed.h"

namespace {

// A pane that paints each cell in a colour of its row and column, records the cells it draws, and
// scrolls by itself at the rate it is given.
class RecordingPane : public KZScroller {
 public:
  RecordingPane() : KZScroller(0, 0, 0, 0) {}
  void DrawCell(KPoint cell) override {
    drawn.push_back(cell);
    BeginDraw();
    ZafPaletteStruct palette = CellPalette(cell, ZAF_PM_BACKGROUND, PaletteState());
    // Six colours of the display's table that differ from one another and from the background.
    palette.colorBackground = static_cast<uint8_t>(9 + (cell.x + cell.y * 5) % 6);
    const KZDrawingState previous = ApplyPalette(palette);
    FillUnits({cell.x, cell.y, cell.x, cell.y}, 0, true);
    SetDrawingState(previous);
    EndDraw();
  }
  int32_t AutoScrollRate(int32_t) override { return rate; }

  std::vector<KPoint> drawn;
  int32_t rate = 0;
};

using KZScrollerTest = KZPaneTest;

}  // namespace

TEST_F(KZScrollerTest, UnitsAndPixelsConvertRoundingDownAndShiftingRightAlignedContents) {
  constexpr uint32_t kRight = KZScroller::kAlignRight;
  struct Case {
    const char* name;
    KPoint unit;
    KPoint extent;
    KPoint position;
    uint32_t options;
    KPoint pixel;
    KPoint expectedUnit;
    KPoint unitIn;
    KRect expectedPixels;  // of the single cell unitIn
  } cases[] = {
      {"-1 px is unit -1", {16, 16}, {50, 50}, {0, 0}, 0, {-1, -1}, {-1, -1}, {0, 0}, {0, 0, 15, 15}},
      {"-16 px is unit -1", {16, 16}, {50, 50}, {0, 0}, 0, {-16, -17}, {-1, -2}, {1, 2}, {16, 32, 31, 47}},
      {"the position", {16, 10}, {50, 50}, {3, 4}, 0, {31, 9}, {4, 4}, {4, 5}, {16, 10, 31, 19}},
      {"a unit of 1", {1, 1}, {500, 500}, {2, 0}, 0, {-1, 7}, {1, 7}, {2, 3}, {0, 3, 0, 3}},
      {"32: narrow, shifted", {20, 16}, {3, 50}, {0, 0}, kRight, {40, 0}, {0, 0}, {}, {40, 0, 59, 15}},
      {"32: wide, not", {20, 16}, {30, 50}, {0, 0}, kRight, {40, 0}, {2, 0}, {}, {0, 0, 19, 15}},
  };
  RecordingPane* pane = ShowPane(new RecordingPane, 100, 80);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pane->SetOptions(c.options);
    pane->SetUnitSize(c.unit);
    pane->ChangeExtent(c.extent);
    pane->SetPosition(c.position);
    ASSERT_EQ(pane->Position(), c.position);
    EXPECT_EQ(pane->PixelToUnit(c.pixel), c.expectedUnit);
    EXPECT_EQ(pane->CellRegion(c.unitIn), c.expectedPixels);
    EXPECT_EQ(pane->PixelToUnit(c.expectedPixels), (KRect{c.unitIn.x, c.unitIn.y, c.unitIn.x, c.unitIn.y}));
  }
}

TEST_F(KZScrollerTest, SettersClampAndTheScrollBarFollows) {
  struct Case {
    const char* name;
    KPoint unit;
    KPoint extent;
    KPoint position;
    KPoint expectedUnit;
    KPoint expectedExtent;
    KPoint expectedPosition;
  } cases[] = {
      {"beyond the end: extent - page", {10, 10}, {30, 50}, {99, 99}, {10, 10}, {30, 50}, {20, 42}},
      {"contents within the page: 0", {10, 10}, {5, 3}, {4, 2}, {10, 10}, {5, 3}, {0, 0}},
      {"nothing at all", {10, 10}, {0, 0}, {1, 1}, {10, 10}, {0, 0}, {0, 0}},
      {"negative values", {-4, 0}, {-1, -7}, {-3, -3}, {1, 1}, {0, 0}, {0, 0}},
  };
  // 100 x 80 pixels: a page of 10 x 8 units of 10 pixels.
  RecordingPane* pane = ShowPane(new RecordingPane, 100, 80, true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pane->SetUnitSize(c.unit);
    pane->ChangeExtent(c.extent);
    pane->SetPosition(c.position);
    pane->Refresh();
    EXPECT_EQ(pane->UnitSize(), c.expectedUnit);
    EXPECT_EQ(pane->Extent(), c.expectedExtent);
    EXPECT_EQ(pane->Position(), c.expectedPosition);
    const ZafScrollData& bar = *pane->VerticalScrollBar()->ScrollData();
    EXPECT_EQ(bar.Current(), c.expectedPosition.y);
    EXPECT_EQ(bar.Minimum(), 0);
    EXPECT_EQ(bar.Maximum(), std::max(0, c.expectedExtent.y - pane->ClientHeight()));
    EXPECT_EQ(bar.Showing(), pane->ClientHeight());
    EXPECT_EQ(bar.Delta(), 1);
  }
  // With option 4 a unit is the client's whole width.
  pane->SetOptions(KZScroller::kUnitWidthIsPage);
  pane->UpdateScroll();
  EXPECT_EQ(pane->UnitSize().x, 100);
  EXPECT_EQ(pane->ClientWidth(), 1);
}

TEST_F(KZScrollerTest, ScrollingLessThanAPageCopiesAndRedrawsOnlyTheUncoveredStrip) {
  struct Case {
    const char* name;
    uint32_t options;
    KPoint from;
    KPoint by;
    KRect redrawn;  // the cells drawn after the scroll, in units
  } cases[] = {
      {"three rows down", 0, {0, 0}, {0, 3}, {0, 10, 9, 12}},
      {"three rows up", 0, {0, 10}, {0, -3}, {0, 7, 9, 9}},
      {"two columns right", 0, {0, 0}, {2, 0}, {10, 0, 11, 9}},
      {"one column left", 0, {5, 0}, {-1, 0}, {4, 0, 4, 9}},
      {"a page down redraws all", 0, {0, 0}, {0, 10}, {0, 10, 9, 19}},
      {"a page up redraws all", 0, {0, 20}, {0, -10}, {0, 10, 9, 19}},
      {"both axes redraw all", 0, {0, 0}, {1, 1}, {1, 1, 10, 10}},
      {"option 8 never copies", KZScroller::kNeverCopy, {0, 0}, {0, 1}, {0, 1, 9, 10}},
      {"16: the partly visible row too", KZScroller::kPartialUnitsVisible, {0, 0}, {0, 3}, {0, 10, 10, 13}},
      {"16: columns and the partial row", KZScroller::kPartialUnitsVisible, {0, 0}, {2, 0}, {10, 0, 12, 10}},
      {"off the contents' end: no partly visible row", 0, {20, 0}, {-1, 0}, {19, 0, 19, 9}},
  };
  // 210 x 168 pixels of 20 x 16 units: 10 whole columns and rows and a part of an eleventh.
  RecordingPane* pane = ShowPane(new RecordingPane, 210, 168);
  pane->SetUnitSize({20, 16});
  pane->ChangeExtent({30, 100});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pane->SetOptions(c.options);
    pane->SetPosition(c.from);
    pane->Refresh();
    driver.pumpUntilIdle();
    pane->drawn.clear();
    pane->ScrollBy(c.by.x, c.by.y, true);
    std::vector<KPoint> expected;
    for (int32_t row = c.redrawn.top; row <= c.redrawn.bottom; ++row) {
      for (int32_t column = c.redrawn.left; column <= c.redrawn.right; ++column) {
        expected.push_back({column, row});
      }
    }
    EXPECT_EQ(pane->drawn, expected);
    // What the copy left on the screen is what a full redraw paints.
    const std::vector<native::COLORREF> scrolled = CellColours(*pane);
    pane->RedrawRegion(pane->LocalRegion(), RedisplayEvent);
    EXPECT_EQ(scrolled, CellColours(*pane));
  }
}

TEST_F(KZScrollerTest, AutoScrollStepsAtTheRateAndSpeedsUpAtHighRates) {
  struct Event {
    uint32_t at;  // milliseconds after the drag left the cells
    int32_t row;  // the position after the event
  };
  struct Case {
    const char* name;
    int32_t rate;
    std::vector<Event> events;
  } cases[] = {
      {"6 a second: every 166 ms", 6, {{0, 1}, {100, 1}, {165, 1}, {166, 2}, {300, 2}, {332, 3}}},
      {"rate 0 never steps", 0, {{0, 0}, {200, 0}, {5000, 0}}},
      // 2 rows every 50 ms, then 4 every 100 and 8 every 200 while every event brings a step.
      {"40 a second", 40, {{0, 2}, {50, 4}, {100, 8}, {200, 12}, {300, 20}, {400, 20}, {500, 28}}},
  };
  RecordingPane* pane = ShowPane(new RecordingPane, 100, 80);
  pane->SetUnitSize({10, 10});
  pane->ChangeExtent({10, 1000});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pane->rate = c.rate;
    pane->SetPosition({0, 0});
    EXPECT_FALSE(pane->AutoScrollCheck({0, 3})) << "inside the page: no auto-scroll";
    KPeriodicTask::VirtualClock clock(5000);
    uint32_t elapsed = 0;
    for (const Event& event : c.events) {
      clock.Advance(event.at - elapsed);
      elapsed = event.at;
      // The pointer stays below the page.
      const KPoint below{0, pane->Position().y + 12};
      ASSERT_TRUE(pane->AutoScrollCheck(below));
      pane->AutoScrollStep(below);
      EXPECT_EQ(pane->Position().y, event.row) << "at " << event.at;
    }
  }
}

TEST_F(KZScrollerTest, AnEmptyPanePaintsOnlyItsBackgroundAndItsEmptyText) {
  const KString message(u"No results yet");
  RecordingPane* pane = ShowPane(new RecordingPane, 200, 60);
  for (const KString* text : {static_cast<const KString*>(nullptr), &message}) {
    SCOPED_TRACE(text != nullptr);
    pane->SetEmptyText(text);
    pane->drawn.clear();
    pane->Refresh();
    driver.pumpUntilIdle();
    EXPECT_TRUE(pane->drawn.empty());
    EXPECT_EQ(DarkColumns(*pane, 0, 199, 0, 59).empty(), text == nullptr);
  }
}
