#include "model/qvresultsview.h"

#include <gtest/gtest.h>

#include <array>

#include "foundation/klog.h"
#include "foundation/krint.h"
#include "foundation/tests/ktempfolder.h"
#include "model/tests/qvmodeltestsupport.h"

using QvResultsViewTest = ModelTest;

TEST_F(QvResultsViewTest, ColumnWidthsAreClampedAndStoredAsSettings) {
  QvResults results;
  QvResultsView& view = *results.View(0);
  struct Case {
    int32_t asked;
    int32_t stored;
    bool changed;
  } cases[] = {{150, 150, true},
               {150, 150, false},
               {2, QvResultsView::kMinColumnWidth, true},
               {50000, QvResultsView::kMaxColumnWidth, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asked);
    EXPECT_EQ(view.SetColumnWidth(4, c.asked), c.changed);
    const KRInt* node = KRegistry::GetInt(registry.get(), u"\\Event\\Results\\Columns\\Width4");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Value(), c.stored);
    EXPECT_EQ(QvResultsView::ColumnWidth(4), c.stored);
  }
  EXPECT_FALSE(view.SetColumnWidth(9, 100));
  EXPECT_FALSE(view.SetColumnWidth(-1, 100));
}

TEST_F(QvResultsViewTest, RelayoutPlacesTheColumnsSideBySide) {
  QvResults results;
  QvResultsView& view = *results.View(0);
  AddSetting(u"\\Event\\Results\\Columns\\Width0:Int=-40");  // edited by hand below the bound
  // The width replaced is logged here, not left waiting for the next test's log.
  KTempFolder folder;
  KLog log(folder.Path() + "/model.log");
  KLog::SetProgramLog(&log);
  view.RelayoutColumns(2000, false);
  KLog::SetProgramLog(nullptr);
  EXPECT_EQ(view.ColumnStart(0), 0);
  EXPECT_EQ(view.ColumnStart(1), QvResultsView::kMinColumnWidth);
  for (int32_t column = 1; column < QvResultsView::kColumnCount; ++column) {
    EXPECT_EQ(view.ColumnStart(column + 1) - view.ColumnStart(column),
              column + 1 < QvResultsView::kColumnCount ? QvResultsView::ColumnWidth(column)
                                                       : 2000 - view.ColumnStart(column));
  }
  view.SetColumnWidth(0, 100);
  view.RelayoutColumns(2000, false);
  EXPECT_EQ(view.ColumnStart(1), 100);
  // A column whose title needs more than its stored width takes the title's width.
  std::array<int32_t, QvResultsView::kColumnCount> least{};
  least[0] = 130;
  view.RelayoutColumns(2000, true, least);
  EXPECT_EQ(view.ColumnStart(1), 130);
  // A narrow pane keeps the widths; the last column ends where its width does.
  view.RelayoutColumns(10, true);
  EXPECT_EQ(view.ColumnStart(9), view.ColumnStart(8) + QvResultsView::ColumnWidth(8));
}

TEST_F(QvResultsViewTest, FittingToAPageKeepsLaneStatusIdAndTimesWholeAndCutsFreeTextsFirst) {
  QvResults results;
  QvResultsView& view = *results.View(0);
  using Widths = std::array<int32_t, QvResultsView::kColumnCount>;
  const Widths titles{30, 40, 20, 60, 60, 70, 50, 90, 40};
  const Widths longTexts{20, 80, 30, 150, 150, 300, 120, 70, 50};
  struct Case {
    const char* name;
    int32_t page;
    Widths widest;
    Widths laidOut;
  } cases[] = {
      {"fits: the last column takes the rest", 800, {}, {40, 90, 60, 100, 120, 100, 80, 90, 120}},
      {"the user's widths shrink towards the titles", 600, {}, {35, 65, 40, 80, 90, 85, 65, 90, 50}},
      {"free texts shrink, the id keeps its width", 600, longTexts, {30, 80, 30, 75, 75, 108, 61, 90, 51}},
      {"not even the titles fit: every column halves", 260, longTexts, {15, 40, 15, 30, 30, 35, 25, 45, 25}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view.FitColumns(c.page, titles, c.widest);
    Widths laidOut;
    for (int32_t column = 0; column < QvResultsView::kColumnCount; ++column) {
      laidOut[column] = view.ColumnStart(column + 1) - view.ColumnStart(column);
    }
    EXPECT_EQ(laidOut, c.laidOut);
  }
}

TEST_F(QvResultsViewTest, LaneSettingsAreCreatedAtStartAndSwitched) {
  AddSetting(u"\\Event\\Results\\Lanes\\Missing\\Lane3:Int=0");
  QvResultsView::Setup();
  for (int32_t lane = 0; lane < QvResultsView::kLaneSettingCount; ++lane) {
    SCOPED_TRACE(lane);
    EXPECT_EQ(QvResultsView::IsSpecialLengthSet(lane), lane != 2);
  }
  EXPECT_FALSE(QvResultsView::IsSpecialLengthSet(15));
  EXPECT_FALSE(QvResultsView::IsSpecialLengthSet(-1));
  EXPECT_TRUE(QvResultsView::EnableSpecialLength(2, true));
  EXPECT_FALSE(QvResultsView::EnableSpecialLength(2, true));
  EXPECT_TRUE(QvResultsView::EnableSpecialLength(14, false));
  EXPECT_FALSE(QvResultsView::IsSpecialLengthSet(14));
  EXPECT_FALSE(QvResultsView::EnableSpecialLength(15, false));
}

TEST(QvResultsView, WithoutSettingsNoLaneIsInUse) {
  EXPECT_FALSE(QvResultsView::IsSpecialLengthSet(0));
  EXPECT_FALSE(QvResultsView::EnableSpecialLength(0, true));
}

TEST(QvResultsView, KeepsThePositionOfTheLastWindow) {
  QvResults results;
  QvResultsView& view = *results.View(0);
  EXPECT_EQ(view.SelectedRow(), -1);
  view.SetRange1(KPoint(0, 12));
  view.SetRange2(KPoint(3, 4));
  EXPECT_EQ(view.GetRange1(), KPoint(0, 12));
  EXPECT_EQ(view.SelectedRow(), 4);
  EXPECT_EQ(view.GetResults(), &results);
}
