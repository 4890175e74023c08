// The flat cartesian engines: which engine the view makes, where each engine puts the model's points, and
// the view settings that would otherwise break the box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_3dpointseries.h"
#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_chartview.h"
#include "chart/cf_xyz.h"
#include "chart/tests/builtview.h"

namespace {

struct Point {
  double x, y, z;
};

TEST(Cart2DEngines, PlaceEachPointByTypeAndDomainModeWithoutTouchingTheModel) {
  struct Case {
    std::string name;
    int32_t type, mode;
    std::vector<Series> series;
    std::size_t object;
    std::vector<Point> points;
  };
  constexpr double third = 1.0 / 3, sixth = 1.0 / 6;
  const Case cases[] = {
      {"line, zero-based", cf_ChartEngine::kLine, 2, {{5, 7}}, 0, {{0, 5, 0}, {1, 7, 0}}},
      {"line, counted", cf_ChartEngine::kLine, 1, {{5, 7}}, 0, {{1, 5, 0}, {2, 7, 0}}},
      {"line, third series", cf_ChartEngine::kLine, 2, {{5}, {6}, {1}}, 2, {{0, 1, 2}}},
      {"points, counted", cf_ChartEngine::kPointSer, 1, {{4}}, 0, {{1, 4, 0}}},
      {"area closes on 0",
       cf_ChartEngine::kArea,
       1,
       {{4, 5, 6}},
       0,
       {{1, 0, 0}, {1, 4, 0}, {2, 5, 0}, {3, 6, 0}, {3, 0, 0}}},
      {"first column of series 1",
       cf_ChartEngine::kCol,
       1,
       {{2, 3}, {4, 5}},
       0,
       {{0.5 + third - sixth, 0, 0},
        {0.5 + third - sixth, 2, 0},
        {0.5 + third + sixth, 2, 0},
        {0.5 + third + sixth, 0, 0}}},
      {"first column of series 2",
       cf_ChartEngine::kCol,
       1,
       {{2, 3}, {4, 5}},
       1,
       {{0.5 + 2 * third - sixth, 0, 0},
        {0.5 + 2 * third - sixth, 4, 0},
        {0.5 + 2 * third + sixth, 4, 0},
        {0.5 + 2 * third + sixth, 0, 0}}},
      {"a short series repeats its last value",
       cf_ChartEngine::kCol,
       1,
       {{2, 3}, {4}},
       3,
       {{1.5 + 2 * third - sixth, 0, 0},
        {1.5 + 2 * third - sixth, 4, 0},
        {1.5 + 2 * third + sixth, 4, 0},
        {1.5 + 2 * third + sixth, 0, 0}}},
      {"unknown mode counts",
       cf_ChartEngine::kCol,
       7,
       {{2}},
       0,
       {{0.75, 0, 0}, {0.75, 2, 0}, {1.25, 2, 0}, {1.25, 0, 0}}},
      {"bars lie along x",
       cf_ChartEngine::kBar,
       1,
       {{3}},
       0,
       {{0, 0.75, 0}, {3, 0.75, 0}, {3, 1.25, 0}, {0, 1.25, 0}}},
      {"stack up",
       cf_ChartEngine::kStack,
       2,
       {{3}, {-2}, {4}},
       0,
       {{0, 0, 0}, {0, 3, 0}, {1, 3, 0}, {1, 0, 0}}},
      {"stack down",
       cf_ChartEngine::kStack,
       2,
       {{3}, {-2}, {4}},
       1,
       {{0, -2, 0}, {0, 0, 0}, {1, 0, 0}, {1, -2, 0}}},
      {"stack on the first",
       cf_ChartEngine::kStack,
       2,
       {{3}, {-2}, {4}},
       2,
       {{0, 3, 0}, {0, 7, 0}, {1, 7, 0}, {1, 3, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto view = Built(c.type, cf_ChartEngine::k2D, c.mode, c.series);
    const cf_ChartEngine::ObjectList& objects = view->GetEngine()->SeriesObjects();
    ASSERT_LT(c.object, objects.size());
    const auto& built = dynamic_cast<const cf_3DPointSeries&>(*objects[c.object]);
    ASSERT_EQ(built.GetPointCount(), static_cast<int32_t>(c.points.size()));
    for (std::size_t i = 0; i < c.points.size(); ++i) {
      SCOPED_TRACE(i);
      const cf_3DPoint point = built.GetPointCopy(static_cast<int32_t>(i + 1));
      EXPECT_NEAR(point.GetMinX(), c.points[i].x, 1e-9);
      EXPECT_NEAR(point.GetMinY(), c.points[i].y, 1e-9);
      EXPECT_NEAR(point.GetMinZ(), c.points[i].z, 1e-9);
    }
    for (std::size_t s = 0; s < c.series.size(); ++s) {
      EXPECT_EQ(view->GetModel()->SelectSeries(static_cast<int32_t>(s + 1)).Count(),
                static_cast<int32_t>(c.series[s].size()));
    }
  }
}

TEST(Cart2DEngines, ViewSettingsAreHeldToWhatTheBoxCanTake) {
  struct Case {
    std::string name;
    int (*apply)(cf_ChartView&);
    int result;
    double boxHeight, boxDepth;
  };
  const Case cases[] = {
      {"proportions", [](cf_ChartView& v) { return v.SetBoxProportions(50, 25); }, 1, 50, 25},
      {"zero height", [](cf_ChartView& v) { return v.SetBoxProportions(0, 25); }, 0, 1, 25},
      {"negative depth", [](cf_ChartView& v) { return v.SetBoxProportions(50, -10); }, 0, 50, 1},
      {"zero box height", [](cf_ChartView& v) { return v.SetBoxHeight(0); }, 0, 1, 50},
      {"negative box height", [](cf_ChartView& v) { return v.SetBoxHeight(-3); }, 0, 1, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_ChartView view(cf_ChartEngine::kLine, cf_ChartEngine::k2D, cf_ChartModel::kZeroBased);
    EXPECT_EQ(c.apply(view), c.result);
    const cf_Kernel& kernel = view.GetEngine()->GetKernel();
    EXPECT_NEAR(kernel.ExtentY(), kernel.ExtentX() * c.boxHeight / 100, 1e-9);
    EXPECT_NEAR(kernel.ExtentZ(), kernel.ExtentX() * c.boxDepth / 100, 1e-9);
  }
}

TEST(Cart2DEngines, LabelsGoToTheirGroupWithFractionalPositionsAndNumbers) {
  struct Case {
    std::string name;
    int32_t kind;
    bool number;
    const char16_t* expectedText;
    cf_DataGroup& (cf_ChartModel::*group)();
    double (cf_XYZ::*position)() const;
  };
  const Case cases[] = {
      {"domain number", 1, true, u"0.143", &cf_ChartModel::GetDomain, &cf_XYZ::X},
      {"range number", 6, true, u"0.143", &cf_ChartModel::GetRange, &cf_XYZ::Y},
      {"group number", 5, true, u"0.143", &cf_ChartModel::GetGroups, &cf_XYZ::Z},
      {"domain text", 5, false, u"Gun", &cf_ChartModel::GetDomain, &cf_XYZ::X},
      {"range text", 2, false, u"Gun", &cf_ChartModel::GetRange, &cf_XYZ::Y},
      {"group text", 8, false, u"Gun", &cf_ChartModel::GetGroups, &cf_XYZ::Z},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_ChartView view(cf_ChartEngine::kLine, cf_ChartEngine::k2D, cf_ChartModel::kZeroBased);
    cf_DataGroup& group = (view.GetModel()->*c.group)();
    group.Clear();
    const cf_XYZ& label =
        c.number ? view.AddNumberLabel(0.143, c.kind, -2.5) : *view.AddLabel(u"Gun", c.kind, -2.5);
    ASSERT_EQ(group.Count(), 1);
    EXPECT_EQ(&group.GetPoint(1), &label);
    EXPECT_EQ(std::u16string(label.Label()->Text()), c.expectedText);
    EXPECT_EQ((label.*c.position)(), -2.5);
  }
  cf_ChartView view(cf_ChartEngine::kLine, cf_ChartEngine::k2D, cf_ChartModel::kZeroBased);
  EXPECT_EQ(view.AddLabel(u"Gun", 3, 1), nullptr);
}

TEST(Cart2DEngines, ViewAnswersFollowTheirRules) {
  struct Case {
    std::string name;
    double (*answer)(cf_ChartView&);
    double expected;
  };
  const auto margins = [](cf_ChartView& v) {
    v.SetPlotSize(80, 60);
    const cf_Kernel& k = v.GetEngine()->GetKernel();
    return k.TopMargin() * 1000 + k.BottomMargin() * 100 + k.LeftMargin() + k.RightMargin() / 100;
  };
  const Case cases[] = {
      {"plot size sets margins", margins, 10 * 1000 + 10 * 100 + 20 + 0.2},
      {"axis 0 is bottom X", [](cf_ChartView& v) { return double(v.GetAxis(0).AxisNumber()); }, 2},
      {"axis 9 is bottom X", [](cf_ChartView& v) { return double(v.GetAxis(9).AxisNumber()); }, 2},
      {"axis 4 is left Y", [](cf_ChartView& v) { return double(v.GetAxis(4).AxisNumber()); }, 4},
      {"clear without update", [](cf_ChartView& v) { return double(v.ClearData(0)); }, 255},
      {"clear with update", [](cf_ChartView& v) { return double(v.ClearLegend(1)); }, 1},
      {"clear with flag 3", [](cf_ChartView& v) { return double(v.ClearTitles(3)); }, 2},
      {"zero factor answers the range before",
       [](cf_ChartView& v) {
         v.AddValue(1, 5);
         v.AddValue(1, 10);
         v.SetZeroFactor(0);
         return double(v.SetZeroFactor(1) * 10 + v.SetZeroFactor(0));
       },
       10},
      {"value range reached",
       [](cf_ChartView& v) {
         v.AddValue(1, 5);
         return double(v.SetValueRange(0, 4));
       },
       1},
      {"rotation held", [](cf_ChartView& v) { return double(v.SetRotation(100, 10)) + v.GetElevation(); },
       90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_ChartView view(cf_ChartEngine::kLine, cf_ChartEngine::k2D, cf_ChartModel::kZeroBased);
    EXPECT_NEAR(c.answer(view), c.expected, 1e-9);
  }
}

// A perspective shortcut's answer (counted in thousands) and the perspective it leaves in the kernel.
double PerspectiveShortcut(cf_ChartView& v, int (cf_ChartView::*set)()) {
  v.SetPerspective(50);
  return (v.*set)() * 1000 + v.GetEngine()->GetKernel().Perspective();
}

TEST(Cart2DEngines, ViewReadsEachMarginAndSetsThePerspectiveShortcuts) {
  struct Case {
    std::string name;
    double (*answer)(cf_ChartView&);
    double expected;
  };
  const Case cases[] = {
      {"top margin", [](cf_ChartView& v) { return v.SetMargins(11, 12, 13, 14), v.GetTopMargin(); }, 11},
      {"bottom margin", [](cf_ChartView& v) { return v.SetMargins(11, 12, 13, 14), v.GetBottomMargin(); },
       12},
      {"left margin", [](cf_ChartView& v) { return v.SetMargins(11, 12, 13, 14), v.GetLeftMargin(); }, 13},
      {"right margin", [](cf_ChartView& v) { return v.SetMargins(11, 12, 13, 14), v.GetRightMargin(); }, 14},
      {"full perspective",
       [](cf_ChartView& v) { return PerspectiveShortcut(v, &cf_ChartView::SetPerspectiveFull); }, 1001},
      {"half perspective",
       [](cf_ChartView& v) { return PerspectiveShortcut(v, &cf_ChartView::SetPerspectiveHalf); }, 1000.5},
      {"no perspective",
       [](cf_ChartView& v) { return PerspectiveShortcut(v, &cf_ChartView::SetPerspectiveNone); }, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_ChartView view(cf_ChartEngine::kLine, cf_ChartEngine::k2D, cf_ChartModel::kZeroBased);
    EXPECT_EQ(c.answer(view), c.expected);
  }
}

}  // namespace
