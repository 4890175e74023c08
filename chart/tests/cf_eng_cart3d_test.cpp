// The 3-D cartesian engines and the chart-type factory: which engine each type and dimension gives, which
// solids and sheets the engines build from the model, and the ranges they plot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <typeindex>
#include <vector>

#include "chart/cf_3dphedraseries.h"
#include "chart/cf_3dsurface.h"
#include "chart/cf_eng_cart3d.h"
#include "chart/cf_eng_pie.h"
#include "chart/tests/builtview.h"

namespace {

using E = cf_ChartEngine;

TEST(ChartFactory, GivesTheEngineOfEachTypeAndDimensionAndPointsForTheRest) {
  struct Case {
    int32_t type, dimension;
    std::type_index engine;
    int32_t reportedDimension;
  };
  const std::vector<Case> named = {
      {E::kArea, 1, typeid(cf_eng_Area2D), 1},         {E::kArea, 2, typeid(cf_eng_Area3D), 2},
      {E::kBar, 1, typeid(cf_eng_Bar2D), 1},           {E::kBar, 2, typeid(cf_eng_Bar3D), 2},
      {E::kCol, 1, typeid(cf_eng_Col2D), 1},           {E::kCol, 2, typeid(cf_eng_Col3D), 2},
      {E::kLine, 1, typeid(cf_eng_Line2D), 1},         {E::kLine, 2, typeid(cf_eng_Line3D), 2},
      {E::kPie, 1, typeid(cf_eng_Pie2D), 1},           {E::kPie, 2, typeid(cf_eng_Pie3D), 2},
      {E::kPointSer, 1, typeid(cf_eng_PointSer2D), 1}, {E::kPointSer, 2, typeid(cf_eng_PointSer3D), 2},
      {E::kRibbon, 1, typeid(cf_eng_Ribbon2D), 1},     {E::kRibbon, 2, typeid(cf_eng_Ribbon3D), 2},
      {E::kStack, 1, typeid(cf_eng_Stack2D), 1},       {E::kStack, 2, typeid(cf_eng_Stack3D), 2},
      {E::kXPie, 1, typeid(cf_eng_XPie2D3D), 2},       {E::kXPie, 2, typeid(cf_eng_XPie2D3D), 2},
  };
  // Every other pair falls back to flat points.
  for (int32_t type = -1; type <= 10; ++type) {
    for (int32_t dimension = 0; dimension <= 3; ++dimension) {
      SCOPED_TRACE(testing::Message() << type << "/" << dimension);
      Case expected{type, dimension, typeid(cf_eng_PointSer2D), 1};
      for (const Case& c : named) {
        if (c.type == type && c.dimension == dimension) {
          expected = c;
        }
      }
      cf_ChartView view(type, dimension, cf_ChartModel::kZeroBased);
      const cf_ChartEngine& engine = *view.GetEngine();
      EXPECT_EQ(std::type_index(typeid(engine)), expected.engine);
      EXPECT_EQ(view.GetDimension(), expected.reportedDimension);
      EXPECT_EQ(view.GetModel()->GetEngine(), view.GetEngine());
    }
  }
}

// Data extents: x, y and z from and to.
struct Box {
  double x1, x2, y1, y2, z1, z2;
};

bool Near(const Box& a, const Box& b) {
  const double da[] = {a.x1, a.x2, a.y1, a.y2, a.z1, a.z2};
  const double db[] = {b.x1, b.x2, b.y1, b.y2, b.z1, b.z2};
  for (std::size_t i = 0; i < 6; ++i) {
    if (std::abs(da[i] - db[i]) > 1e-9) {
      return false;
    }
  }
  return true;
}

// The data extents of each solid or face of the object, in drawing order.
template <typename Composite>
std::vector<Box> MemberExtents(const Composite& composite) {
  std::vector<Box> boxes;
  for (int32_t i = 1; i <= composite.Count(); ++i) {
    const cf_Virt3DObj& m = *composite.At(i);
    boxes.push_back({m.GetMinX(), m.GetMaxX(), m.GetMinY(), m.GetMaxY(), m.GetMinZ(), m.GetMaxZ()});
  }
  return boxes;
}

TEST(Cart3DEngines, BuildSolidsAndSheetsFromTheSeries) {
  struct Case {
    std::string name;
    int32_t type, mode;
    std::vector<Series> series;
    std::size_t objects;  // series objects built
    std::size_t object;   // from 0
    std::size_t members;  // solids or faces of that object
    Box member;           // the data extents of one of them
  };
  const Case cases[] = {
      {"bar of 4 at point 2", E::kBar, 1, {{1, 4}}, 1, 0, 2, {0, 4, 1.5, 2.5, 0, 1}},
      {"column of -3, series 2", E::kCol, 2, {{1}, {-3}}, 2, 1, 1, {0, 1, -3, 0, 2, 3}},
      {"a series without points has no solids", E::kCol, 2, {{}, {5}}, 1, 0, 1, {0, 1, 0, 5, 2, 3}},
      {"stack up", E::kStack, 2, {{3}, {-2}}, 1, 0, 2, {0, 1, 0, 3, 0, 1}},
      {"stack down", E::kStack, 2, {{3}, {-2}}, 1, 0, 2, {0, 1, -2, 0, 0, 1}},
      {"area: left wall", E::kArea, 1, {{2, -2}}, 1, 0, 5, {1, 1, 0, 2, 0, 1}},
      {"area: top", E::kArea, 1, {{2, -2}}, 1, 0, 5, {1, 2, -2, 2, 0, 1}},
      {"area: along 0 from the crossing", E::kArea, 1, {{2, -2}}, 1, 0, 5, {1.5, 2, 0, 0, 0, 1}},
      {"area: along 0 under all", E::kArea, 1, {{-1, -3}}, 1, 0, 5, {1, 2, 0, 0, 0, 1}},
      {"area: nothing along 0 above it", E::kArea, 1, {{1, 3}}, 1, 0, 4, {2, 2, 0, 3, 0, 1}},
      {"area: front face", E::kArea, 2, {{1, 3}}, 1, 0, 4, {0, 1, 0, 3, 1, 1}},
      {"ribbon: series two units apart", E::kRibbon, 2, {{5}, {1, 2, 4}}, 1, 0, 2, {1, 2, 2, 4, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto view = Built(c.type, E::k3D, c.mode, c.series);
    const cf_ChartEngine::ObjectList& objects = view->GetEngine()->SeriesObjects();
    ASSERT_EQ(objects.size(), c.objects);
    std::vector<Box> members;
    if (auto* solids = dynamic_cast<cf_3DPhedraSeries*>(objects[c.object].get())) {
      members = MemberExtents(*solids);
    } else if (auto* sheet = dynamic_cast<cf_3DSurface*>(objects[c.object].get())) {
      members = MemberExtents(*sheet);
    }
    ASSERT_EQ(members.size(), c.members);
    EXPECT_TRUE(std::any_of(members.begin(), members.end(), [&](const Box& b) { return Near(b, c.member); }));
  }
}

TEST(Cart3DEngines, PlotTheirRanges) {
  struct Case {
    std::string name;
    int32_t type, mode;
    Box range;
  };
  // Series (1, 4) and (2, 6): values from 0 (the model takes the axis down to it) to 6, two series.
  const Case cases[] = {
      {"bars, counted", E::kBar, 1, {0, 6, 0, 3, 0, 3}},
      {"columns, zero-based", E::kCol, 2, {0, 2, 0, 6, 0, 3}},
      {"stacks: one depth", E::kStack, 1, {0, 3, 0, 10, 0, 1}},
      {"area, counted: one more each side", E::kArea, 1, {0, 3, 0, 6, 0, 4}},
      {"ribbon, zero-based", E::kRibbon, 2, {0, 1, 0, 6, 0, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto view = Built(c.type, E::k3D, c.mode, {{1, 4}, {2, 6}});
    const cf_ChartEngine& engine = *view->GetEngine();
    const double got[] = {engine.RangeMinX(), engine.RangeMaxX(), engine.RangeMinY(),
                          engine.RangeMaxY(), engine.RangeMinZ(), engine.RangeMaxZ()};
    const double want[] = {c.range.x1, c.range.x2, c.range.y1, c.range.y2, c.range.z1, c.range.z2};
    for (std::size_t i = 0; i < 6; ++i) {
      EXPECT_NEAR(got[i], want[i], 1e-9) << i;
    }
  }
}

}  // namespace
