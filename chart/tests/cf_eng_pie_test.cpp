// The polar base and the pie engines: the view and box they start with, where the slice boundaries lie,
// which slices are drawn in which colours, and the wedges of the exploded pie.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/cf_3dphedraseries.h"
#include "chart/cf_eng_pie.h"
#include "chart/tests/builtview.h"
#include "chart/tests/charttestbed.h"

namespace {

using E = cf_ChartEngine;
constexpr double kPi = 3.141592653;

TEST(PolarEngines, StartWithASquareFloorSeenFromAbove) {
  struct Case {
    std::string name;
    std::unique_ptr<cf_eng_Polar> engine;
    double elevation;
    double depthPercent;  // asked for before placing
  };
  Case cases[] = {
      {"flat pie: straight down", std::make_unique<cf_eng_Pie2D>(), 90, 100},
      {"raised pie", std::make_unique<cf_eng_Pie3D>(), 30, 100},
      {"exploded pie", std::make_unique<cf_eng_XPie2D3D>(), 30, 100},
      {"a deeper box keeps a square floor", std::make_unique<cf_eng_Pie3D>(), 30, 40},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_Kernel& kernel = c.engine->GetKernel();
    c.engine->SetBoxProportions(5, c.depthPercent);
    EXPECT_EQ(kernel.ExtentX(), 100);
    EXPECT_EQ(kernel.ExtentY(), 5);
    EXPECT_EQ(kernel.ExtentZ(), 100);
    EXPECT_EQ(kernel.Elevation(), c.elevation);
    EXPECT_EQ(kernel.Azimuth(), 0);
    EXPECT_EQ(kernel.Perspective(), 0);
    EXPECT_EQ(c.engine->BoxMinY(), kernel.MinY());
    EXPECT_EQ(c.engine->Floor().rim[cf_PolarDisc::kFront].GetBoxZ(), kernel.MaxZ());
  }
}

TEST(PieEngines, BoundariesLieAtTheCumulativeSharesOfTheMagnitudes) {
  struct Case {
    std::string name;
    std::vector<Series> series;
    std::vector<double> shares;
  };
  const Case cases[] = {
      {"1, 1, 2", {{1}, {1}, {2}}, {25, 50, 100}},
      {"magnitudes", {{-1}, {3}}, {25, 100}},
      {"sums of a series", {{1, -2}, {1}}, {75, 100}},
      {"a total of 0.001 counts as none", {{0.0005}, {-0.0005}}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto view = Built(E::kPie, E::k2D, cf_ChartModel::kCounted, c.series);
    const auto& pie = dynamic_cast<const cf_eng_Pie2D&>(*view->GetEngine());
    ASSERT_EQ(pie.FloorBoundaries().size(), c.shares.size());
    for (std::size_t i = 0; i < c.shares.size(); ++i) {
      const cf_PieBoundary& boundary = pie.FloorBoundaries()[i];
      EXPECT_NEAR(boundary.share, c.shares[i], 1e-9);
      const double angle = c.shares[i] * 2 * kPi / 100;
      EXPECT_NEAR(boundary.point->GetBoxX(), pie.Radius() * std::cos(angle), 1e-6);
      EXPECT_NEAR(boundary.point->GetBoxZ(), -pie.Radius() * std::sin(angle), 1e-6);
      EXPECT_EQ(boundary.point->GetBoxY(), pie.GetKernel().MinY());
    }
  }
}

class PieDrawTest : public ChartDrawTest {
 protected:
  // The fill colour of every filled ellipse or sector drawn, in order.
  std::vector<int> Fills(int32_t type, int32_t dimension, const std::vector<Series>& series) {
    auto view = Built(type, dimension, cf_ChartModel::kCounted, series);
    for (std::size_t s = 0; s < series.size(); ++s) {
      view->GetSeriesAttribs(static_cast<int32_t>(s + 1)).SetBackColor(static_cast<bf_Color>(9 + s));
    }
    const std::size_t mark = Mark();
    const DrawState before = State();
    view->GetEngine()->Draw(context);
    EXPECT_EQ(State(), before);
    std::vector<int> fills;
    int background = display.palette.colorBackground;
    for (const std::string& call : CallsSince(mark)) {
      if (call.rfind("SetBackground ", 0) == 0) {
        background = std::stoi(call.substr(14));
      } else if (call.rfind("Ellipse", 0) == 0 && call.back() == '1') {
        fills.push_back(background);
      }
    }
    return fills;
  }
};

TEST_F(PieDrawTest, SlicesAreDrawnInTheColoursOfTheSeriesTheyEndAtAndEmptyOnesNotAtAll) {
  struct Case {
    std::string name;
    int32_t type, dimension;
    std::vector<Series> series;
    std::vector<int> fills;  // after the floor's white ellipse
  };
  const Case cases[] = {
      {"three slices: the last boundary's first", E::kPie, 1, {{1}, {1}, {2}}, {9, 10, 11}},
      {"a zero share draws nothing", E::kPie, 1, {{1}, {0}, {2}}, {9, 11}},
      {"a total of zero draws no slice", E::kPie, 1, {{0}, {0}}, {}},
      {"one series fills the disc", E::kPie, 1, {{4}}, {9}},
      {"one whole slice among empty ones", E::kPie, 1, {{0}, {3}, {0}}, {10}},
      {"raised: floor slices, then top sectors", E::kPie, 2, {{1}, {0}, {2}}, {9, 11, 9, 11}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> fills = Fills(c.type, c.dimension, c.series);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front(), bf_White);
    fills.erase(fills.begin());
    EXPECT_EQ(fills, c.fills);
  }
}

TEST(PieEngines, ExplodedPieBuildsAWedgePerSeriesPushedOutByATenth) {
  for (std::size_t count : {1u, 2u, 3u}) {
    SCOPED_TRACE(count);
    auto view = Built(E::kXPie, E::k2D, cf_ChartModel::kCounted, std::vector<Series>(count, Series{2}));
    const cf_ChartEngine& engine = *view->GetEngine();
    EXPECT_EQ(engine.Dimension(), E::k3D);
    ASSERT_EQ(engine.SeriesObjects().size(), 1u);
    const auto& wedges = dynamic_cast<const cf_3DPhedraSeries&>(*engine.SeriesObjects().front());
    EXPECT_EQ(wedges.Count(), static_cast<int32_t>(count));
  }
}

TEST(PieEngines, ThicknessSetsTheHeightOfTheTopAndItsBoundaries) {
  auto view = Built(E::kPie, E::k3D, cf_ChartModel::kCounted, {{1}, {3}});
  auto& pie = dynamic_cast<cf_eng_Pie3D&>(*view->GetEngine());
  const double full = pie.PieHeight();
  EXPECT_EQ(full, pie.GetKernel().ExtentY());
  pie.SetThickness(50);
  EXPECT_EQ(pie.PieHeight(), full / 2);
  for (const cf_PieBoundary& boundary : pie.TopBoundaries()) {
    EXPECT_EQ(boundary.point->GetBoxY(), pie.GetKernel().MinY() + full / 2);
  }
}

}  // namespace
