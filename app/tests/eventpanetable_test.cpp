#include "app/eventpanetable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/tests/testpanewindow.h"
#include "framework/core/zafwindow.h"
#include "model/qvchartview.h"
#include "model/qvresultsview.h"
#include "toolkit/kzgeomrc.h"

namespace {

// The built-in layout: a chart pane under a results pane over the top 26 %.
const std::vector<EventLayoutEntry> kBuiltIn = {LayoutEntry(PaneKind::kChart, {0, 26, 100, 100}),
                                                LayoutEntry(PaneKind::kResults, {0, 0, 100, 26})};

// An event window stand-in with test makers for results and chart windows.
class EventPaneTableTest : public testing::Test {
 protected:
  // "left,top,right,bottom/rightOffset,bottomOffset" of the pane's constraints.
  static std::string Constraints(const EventPane& pane) {
    const auto& c = pane.Constraints();
    return std::to_string(c[0]->Value()) + "," + std::to_string(c[1]->Value()) + "," +
           std::to_string(c[2]->Value()) + "," + std::to_string(c[3]->Value()) + "/" +
           std::to_string(c[2]->EdgeOffset()) + "," + std::to_string(c[3]->EdgeOffset());
  }
  PaneModel ModelFor(PaneKind kind) {
    PaneModel model;
    if (kind == PaneKind::kResults) {
      model.resultsView = &resultsView;
    } else if (kind == PaneKind::kChart) {
      model.chartView = &chartView;
    }
    return model;
  }
  EventPaneTable::ModelFor Models() {
    return [this](PaneKind kind) { return ModelFor(kind); };
  }
  bool InEventWindow(TestPaneWindow* window) const { return window->Parent() == &eventWindow; }

  QvResultsView resultsView{nullptr};
  QvChartView chartView{nullptr};
  TestPaneWindowMaker resultsMaker{PaneKind::kResults};
  TestPaneWindowMaker chartMaker{PaneKind::kChart};
  ZafWindow eventWindow{0, 0, 500, 350};
  KZGeomMgr manager;
  EventPaneTable table{eventWindow, manager};
};

}  // namespace

TEST_F(EventPaneTableTest, TheBuiltInLayoutShowsResultsOverTheChart) {
  table.Build(kBuiltIn, nullptr);
  table.Layout(Models());
  ASSERT_EQ(chartMaker.made.size(), 1u);
  ASSERT_EQ(resultsMaker.made.size(), 1u);
  TestPaneWindow* chart = chartMaker.made[0];
  TestPaneWindow* results = resultsMaker.made[0];
  EXPECT_EQ(chart->model.chartView, &chartView);
  EXPECT_EQ(results->model.resultsView, &resultsView);
  EXPECT_TRUE(InEventWindow(chart));
  EXPECT_TRUE(InEventWindow(results));
  EXPECT_EQ(Constraints(*table.Panes()[0]), "0,26,100,100/-1,-1");
  EXPECT_EQ(Constraints(*table.Panes()[1]), "0,0,100,26/-1,-2");
  EXPECT_EQ(manager.ConstraintCount(), 8);
  EXPECT_EQ(table.Current(PaneKind::kSummary), nullptr);
  EXPECT_EQ(table.Current(PaneKind::kResults), results);
  EXPECT_EQ(table.Current(PaneKind::kChart), chart);
  table.ReleaseViews();
  EXPECT_FALSE(chart->HasView());
  EXPECT_FALSE(results->HasView());
}

TEST_F(EventPaneTableTest, OnlyTheFirstPaneOfAKindShowsItsWindow) {
  table.Build(
      {LayoutEntry(PaneKind::kResults, {0, 0, 50, 26}), LayoutEntry(PaneKind::kChart, {0, 26, 100, 100}),
       LayoutEntry(PaneKind::kChart, {50, 0, 100, 26})},
      nullptr);
  table.Layout(Models());
  ASSERT_EQ(chartMaker.made.size(), 2u);
  EXPECT_TRUE(InEventWindow(chartMaker.made[0]));
  EXPECT_FALSE(InEventWindow(chartMaker.made[1]));
  EXPECT_FALSE(chartMaker.made[1]->HasView());
  EXPECT_EQ(Constraints(*table.Panes()[0]), "0,0,100,26/-1,-2")
      << "the results pane took the second chart's space";
  EXPECT_TRUE(table.Panes()[2]->current.IsNone());
  EXPECT_EQ(table.Current(PaneKind::kChart), chartMaker.made[0]);
}

TEST_F(EventPaneTableTest, ACurrentWindowStaysWhileItHasAView) {
  table.Build(
      {LayoutEntry(PaneKind::kChart, {0, 0, 100, 50}), LayoutEntry(PaneKind::kChart, {0, 50, 100, 100})},
      nullptr);
  table.Layout(Models());
  TestPaneWindow* first = chartMaker.made[0];
  TestPaneWindow* second = chartMaker.made[1];
  second->TakeModel(ModelFor(PaneKind::kChart));
  table.SetCurrent(PaneKind::kChart, second);
  table.ChooseCurrentWindows();
  EXPECT_EQ(table.Current(PaneKind::kChart), second);
  second->ReleaseView();
  table.ChooseCurrentWindows();
  EXPECT_EQ(table.Current(PaneKind::kChart), first);
  first->ReleaseView();
  table.ChooseCurrentWindows();
  EXPECT_EQ(table.Current(PaneKind::kChart), nullptr);
}

TEST_F(EventPaneTableTest, AnEnlargedChartFillsTheWindowUntilItIsRestored) {
  table.Build(kBuiltIn, nullptr);
  table.Layout(Models());
  TestPaneWindow* chart = chartMaker.made[0];
  TestPaneWindow* results = resultsMaker.made[0];
  EXPECT_FALSE(table.Enlarge(results)) << "no chart pane's window";
  EXPECT_FALSE(table.Restore(chart)) << "nothing enlarged";
  ASSERT_TRUE(table.Enlarge(chart));
  EXPECT_FALSE(table.Enlarge(chart)) << "enlarged already";
  EXPECT_EQ(Constraints(*table.Panes()[0]), "0,0,100,100/-1,-1");
  EXPECT_FALSE(InEventWindow(results));
  EXPECT_TRUE(table.Panes()[1]->Has(EventPane::kDetachedByEnlarge));
  EXPECT_EQ(manager.ConstraintCount(), 4);
  EXPECT_TRUE(table.IsEnlarged());

  ASSERT_TRUE(table.Restore(chart));
  EXPECT_EQ(Constraints(*table.Panes()[0]), "0,26,100,100/-1,-1");
  EXPECT_TRUE(InEventWindow(results));
  EXPECT_FALSE(table.Panes()[1]->Has(EventPane::kDetachedByEnlarge));
  EXPECT_EQ(manager.ConstraintCount(), 8);
  EXPECT_FALSE(table.IsEnlarged());
}

TEST_F(EventPaneTableTest, WithoutMakersTheWindowHasNoPanesToShow) {
  PaneWindowMakers::Register(PaneKind::kChart, nullptr);
  table.Build({LayoutEntry(PaneKind::kChart, {0, 0, 100, 100})}, nullptr);
  table.Layout(Models());
  EXPECT_EQ(manager.ConstraintCount(), 0);
  EXPECT_EQ(table.Current(PaneKind::kChart), nullptr);
}
