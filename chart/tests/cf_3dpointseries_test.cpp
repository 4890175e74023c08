// Points and point series through the stages: extents in each stage, scaling about the accumulated
// translation, flat points, marker sizes relative to the plot box, empty series, and attributes owned or
// shared by the objects.

#include "chart/cf_3dpointseries.h"

#include "chart/tests/charttestbed.h"

namespace {

cf_3DPointSeries SeriesOf(std::initializer_list<cf_3DPoint> points) {
  cf_3DPointSeries series;
  for (const cf_3DPoint& point : points) {
    series.AddPoint(point);
  }
  return series;
}

TEST(cf_3DPointSeries, KeepsExtentsInEveryStage) {
  cf_Kernel kernel(100, 100, 100);
  kernel.SetRotation(0, 0);
  struct Case {
    const char* name;
    cf_3DPointSeries series;
    double maxX, minX, midX, maxZ, minZ;
  };
  const Case cases[] = {
      {"none", SeriesOf({}), 0, 0, 0, 0, 0},
      {"one", SeriesOf({{4, 1, -2}}), 4, 4, 4, -2, -2},
      {"x 3, 1, 2 and a repeated maximum", SeriesOf({{3, 0, 5}, {1, 0, 6}, {2, 0, 4}, {3, 0, 5}}), 3, 1, 2, 6,
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_3DPointSeries series = c.series;
    series.Project(kernel);
    EXPECT_EQ(series.GetMaxX(), c.maxX);
    EXPECT_EQ(series.GetMinX(), c.minX);
    EXPECT_EQ(series.GetBoxMaxX(), c.maxX);
    EXPECT_EQ(series.GetBoxMinX(), c.minX);
    EXPECT_EQ(series.GetProjMaxX(), c.maxX) << "seen straight on, projection keeps x";
    EXPECT_EQ(series.GetProjMinX(), c.minX);
    EXPECT_EQ(series.GetProjMidX(), c.midX);
    EXPECT_EQ(series.GetProjMaxZ(), c.maxZ);
    EXPECT_EQ(series.GetProjMinZ(), c.minZ);
    series.ToScreen(kernel);
    EXPECT_TRUE(series.IsFitted());
  }
}

TEST(cf_3DPointSeries, ScalesAboutItsTranslation) {
  cf_3DPointSeries series = SeriesOf({{2, 1, 0}, {4, 3, 0}});
  series.Translate(10, 0, 0);
  series.Scale(2, 3, 1);
  EXPECT_EQ(series.GetPoint(1)->GetBoxX(), 14) << "(12 - 10) x 2 + 10";
  EXPECT_EQ(series.GetPoint(2)->GetBoxX(), 18);
  EXPECT_EQ(series.GetPoint(2)->GetBoxY(), 9);
  EXPECT_EQ(series.GetTranslationX(), 10);
  EXPECT_EQ(series.GetScaleX(), 2);
  EXPECT_EQ(series.GetBoxMinX(), 14);
  EXPECT_EQ(series.GetBoxMaxX(), 18);
  EXPECT_EQ(series.GetMaxX(), 4) << "data extents never move";
  EXPECT_EQ(series.GetPoint(0), std::nullopt);
  EXPECT_EQ(series.GetPoint(3), std::nullopt);

  series.Clear();
  EXPECT_EQ(series.GetPointCount(), 0);
  EXPECT_EQ(series.GetBoxMaxX(), 0);
  EXPECT_EQ(series.GetTranslationX(), 10) << "clearing keeps translation and scale";
  EXPECT_EQ(series.GetScaleX(), 2);
}

TEST(cf_3DPointSeries, FlatPointsProjectToTheirBoxPosition) {
  cf_Kernel kernel(100, 100, 100);
  cf_3DPoint flat(10, 20, 30);
  flat.Set2D(true);
  cf_3DPointSeries series = SeriesOf({{10, 20, 30}, flat});
  series.Project(kernel);
  flat.Project(kernel);
  EXPECT_NE(series.GetPoint(1)->GetProjX(), 10) << "the default view turns ordinary points";
  for (const cf_3DPoint& point : {*series.GetPoint(2), flat}) {
    EXPECT_EQ(point.GetProjX(), 10);
    EXPECT_EQ(point.GetProjY(), 20);
    EXPECT_EQ(point.GetProjZ(), 30);
  }
}

TEST_F(ChartDrawTest, MarkersTakeTheirSizeFromTheBackFace) {
  // Seen straight on, a 100 x 75 box fills the 400 x 300 window exactly: its back face is 400 x 300 and a
  // relative size of 5 gives 300 x 5 x 0.005 = 7 pixels.
  const cf_Kernel kernel = StraightOn(100, 75, 10, {0, 0, 400, 300, ZAF_PIXEL});
  ASSERT_EQ(kernel.BackFaceRect(), cf_2DRect(0, 0, 400, 300));

  cf_3DPointSeries series;
  series.AddPoint(cf_3DPoint(1, 1, 1));
  series.FitToViewport(kernel);
  series.AddPoint(cf_3DPoint(2, 2, 2));
  EXPECT_EQ(series.GetPoint(1)->GetMarkerSize(), 5) << "points keep the size they were added with";
  EXPECT_EQ(series.GetPoint(2)->GetMarkerSize(), 7);
  EXPECT_FALSE(series.GetPoint(2)->IsRelativeSizing());

  cf_3DPoint point;
  point.SetRelativeMarkerSize(10);
  point.FitToViewport(kernel);
  EXPECT_EQ(point.GetMarkerSize(), 15);
  point.SetRelativeSizing(false);
  EXPECT_EQ(point.GetMarkerSize(), 5);
}

TEST(cf_Virt3DObj, CopiesOwnAttributesAndSharesSharedOnes) {
  cf_DispAttribs shared;
  cf_Virt3DObj sharing(&shared);
  cf_Virt3DObj owning;
  owning.DispAttribs()->SetForeColor(4);
  owning.SetNoPen(1);

  const cf_Virt3DObj sharingCopy(sharing);
  cf_Virt3DObj owningCopy;
  owningCopy = owning;
  EXPECT_EQ(sharingCopy.HasDispAttribs(), true);
  EXPECT_EQ(const_cast<cf_Virt3DObj&>(sharingCopy).DispAttribs(), &shared);
  EXPECT_NE(owningCopy.DispAttribs(), owning.DispAttribs());
  EXPECT_EQ(owningCopy.DispAttribs()->ForeColor(), 4);
  EXPECT_EQ(owningCopy.NoPen(), 1);
  EXPECT_FALSE(owningCopy.HasTextAttribs());

  owningCopy.SetDispAttribs(&shared);
  EXPECT_EQ(owningCopy.DispAttribs(), &shared);
  owningCopy.SetDispAttribs(nullptr);
  EXPECT_FALSE(owningCopy.HasDispAttribs());
}

}  // namespace
