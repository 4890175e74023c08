// Faces, solids, solid series and sheets: which way a face looks, which of two faces must be drawn later,
// the orderings built on that test, and where boxes and wedges put their corners.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "chart/cf_3dboxhedra.h"
#include "chart/cf_3dfacet.h"
#include "chart/cf_3dphedraseries.h"
#include "chart/cf_3dradialhedra.h"
#include "chart/cf_3dsurface.h"
#include "chart/cf_kernel.h"
#include "chart/tests/charttestbed.h"

namespace {

struct Corner {
  double x, y, z;
};

std::unique_ptr<cf_3DFacet> Face(const std::vector<Corner>& corners) {
  auto face = std::make_unique<cf_3DFacet>();
  for (const Corner& c : corners) {
    face->AddPoint(cf_3DPoint(c.x, c.y, c.z));
  }
  return face;
}

// A square of side 10 at depth z from x0, wound to face the viewer.
std::unique_ptr<cf_3DFacet> Square(double x0, double z) {
  return Face({{x0, 0, z}, {x0 + 10, 0, z}, {x0 + 10, 10, z}, {x0, 10, z}});
}

// Seen from the front, without perspective, fitted into the test window.
class SolidTest : public ChartDrawTest {
 protected:
  cf_Kernel View(double elevation, double azimuth) {
    cf_Kernel kernel = StraightOn(100, 100, 100, {0, 0, 400, 300, ZAF_PIXEL});
    kernel.SetRotation(elevation, azimuth);
    kernel.Update();
    kernel.FitToDisplay(context);
    return kernel;
  }
  template <typename Object>
  void Place(Object& object, const cf_Kernel& kernel) {
    object.Project(kernel);
    object.ToScreen(kernel);
  }
};

TEST_F(SolidTest, FaceLooksAtTheViewerWhenItsFirstCornersTurnCounterClockwise) {
  struct Case {
    std::vector<Corner> corners;
    bool facing;
  };
  const Case cases[] = {
      {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, true},
      {{{0, 0, 0}, {0, 1, 0}, {1, 1, 0}}, false},
      {{{0, 0, 0}, {1, 1, 0}, {2, 2, 0}}, false},
      {{{0, 0, 0}, {1, 0, 0}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.corners.size() << " corners, facing " << c.facing);
    std::unique_ptr<cf_3DFacet> face = Face(c.corners);
    EXPECT_EQ(face->ComputeFacing(), c.facing);
  }
}

TEST_F(SolidTest, BackFaceIsDrawnOnlyWithoutCulling) {
  const cf_Kernel kernel = View(0, 0);
  for (uint8_t culling : {0, 1}) {
    SCOPED_TRACE(static_cast<int>(culling));
    std::unique_ptr<cf_3DFacet> back = Face({{0, 0, 0}, {0, 10, 0}, {10, 10, 0}, {10, 0, 0}});
    back->SetCulling(culling);
    Place(*back, kernel);
    const DrawState before = State();
    const std::size_t mark = Mark();
    back->DrawSecondary(context);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(CallsSince(mark).empty(), culling == 1);
    EXPECT_FALSE(back->IsFacing() && culling);
  }
}

TEST_F(SolidTest, FaceMustFollowAnotherOnlyWhenOverlappingInFrontOfItsPlane) {
  // The other face is the facing square at depth 0 from x 0; its plane function is 100 z.
  struct Case {
    std::string name;
    double x0, z;
    bool follows;
  };
  const Case cases[] = {
      {"in front", 0, 1, true},
      {"behind", 0, -1, false},
      {"within the coplanar band (4.9)", 0, 0.049, false},
      {"at the band's edge (5.0)", 0, 0.05, true},
      {"extents touching", 10, 1, true},
      {"extents apart", 10.5, 1, false},
  };
  const cf_Kernel kernel = View(0, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<cf_3DFacet> other = Square(0, 0);
    std::unique_ptr<cf_3DFacet> face = Square(c.x0, c.z);
    for (cf_3DFacet* f : {other.get(), face.get()}) {
      f->SetCulling(1);
      Place(*f, kernel);
    }
    ASSERT_TRUE(other->IsFacing());
    EXPECT_EQ(face->MustFollow(*other), c.follows);
    EXPECT_FALSE(other->MustFollow(*other));
  }
}

TEST_F(SolidTest, OverlapPassOrdersByTheTestAndEndsOnACycle) {
  struct Case {
    std::string name;
    std::map<int, int> follows;  // the member of the key must be drawn after the member of the value
    std::vector<int> start;
    std::vector<int> order;  // empty: any order, as long as the pass ends
  };
  const Case cases[] = {
      {"chain", {{3, 2}, {2, 1}}, {3, 2, 1}, {1, 2, 3}},
      {"nothing to do", {}, {2, 3, 1}, {2, 3, 1}},
      {"three in a cycle", {{1, 2}, {2, 3}, {3, 1}}, {1, 2, 3}, {}},
      {"two that each follow the other", {{1, 2}, {2, 1}}, {1, 2}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_ObjectSet<cf_3DPoint> set;
    for (int id : c.start) {
      set.Add(std::make_unique<cf_3DPoint>(id, 0, 0));
    }
    int tests = 0;
    set.OverlapPass([&](const cf_3DPoint& a, const cf_3DPoint& b) {
      ++tests;
      const auto it = c.follows.find(static_cast<int>(a.GetX()));
      return it != c.follows.end() && it->second == static_cast<int>(b.GetX());
    });
    const int n = set.Count();
    EXPECT_LE(tests, n * n * n);
    std::vector<int> order;
    for (int32_t i = 1; i <= n; ++i) {
      order.push_back(static_cast<int>(set.At(i)->GetX()));
    }
    if (!c.order.empty()) {
      EXPECT_EQ(order, c.order);
    }
  }
}

TEST_F(SolidTest, BoxFacesWindOutwardsAndSortByDepth) {
  // From any view at most one face of each opposite pair looks at the viewer (table order: planes y1, z1,
  // x1, x2, z2, y2), and a box without width shows none of the four faces that span its width.
  const std::pair<double, double> views[] = {{20, -30}, {0, 0}, {60, -80}, {90, 0}, {10, -45}};
  for (const auto& [elevation, azimuth] : views) {
    SCOPED_TRACE(testing::Message() << elevation << "/" << azimuth);
    const cf_Kernel kernel = View(elevation, azimuth);
    std::array<std::unique_ptr<cf_3DFacet>, 6> faces = cf_3DFacet::BoxFaces(-10, 10, -20, 20, -5, 5);
    int facing = 0;
    for (auto& face : faces) {
      face->SetCulling(1);
      Place(*face, kernel);
      facing += face->IsFacing() ? 1 : 0;
    }
    EXPECT_GE(facing, 1);
    EXPECT_LE(facing, 3);
    for (const auto& [a, b] : {std::pair{0, 5}, std::pair{1, 4}, std::pair{2, 3}}) {
      EXPECT_FALSE(faces[a]->IsFacing() && faces[b]->IsFacing()) << a << " " << b;
    }
    cf_3DColumnHedra box(-10, 10, -20, 20, -5, 5, nullptr);
    cf_3DColumnHedra flat(3, 3, -20, 20, -5, 5, nullptr);
    Place(box, kernel);
    Place(flat, kernel);
    ASSERT_EQ(box.Count(), 6);
    ASSERT_EQ(flat.Count(), 6);
    for (int32_t i = 1; i <= 6; ++i) {
      if (i > 1) {
        EXPECT_LE(box.At(i - 1)->GetProjMinZ(), box.At(i)->GetProjMinZ());
      }
      const cf_3DFacet& face = *flat.At(i);
      EXPECT_FALSE(face.GetMinX() != face.GetMaxX() && face.IsFacing());
    }
  }
}

TEST_F(SolidTest, SolidsKeepTheirTransformationAboutTheirTranslation) {
  cf_3DBarHedra bar(0, 4, 1.5, 2.5, 0, 1, nullptr);
  bar.Translate(5, 0, 0);
  bar.Scale(2, 2, 2);
  EXPECT_EQ(bar.GetBoxMinX(), 5 + 2 * (5 - 5));
  EXPECT_EQ(bar.GetBoxMaxX(), 5 + 2 * (9 - 5));
  EXPECT_EQ(bar.Reference().GetBoxY(), 4);
  // A solid added after the series moved and grew joins it.
  cf_3DPhedraSeries series;
  series.Translate(1, 2, 3);
  series.Scale(2, 1, 1);
  series.AddColumn(0, 1, 0, 1, 0, 1);
  EXPECT_EQ(series.GetBoxMinX(), 1);
  EXPECT_EQ(series.GetBoxMaxX(), 3);
  EXPECT_EQ(series.GetBoxMinZ(), 3);
  series.Reset();
  EXPECT_EQ(series.Count(), 0);
  EXPECT_EQ(series.GetBoxMaxX(), 0);
}

TEST_F(SolidTest, SeriesDrawsNearerReferencePointsLastAndTiesByDepthKey) {
  struct Case {
    std::string name;
    uint8_t depthSort;
    std::vector<std::pair<double, double>> columns;  // centre x and z, added in this order
    std::vector<double> order;                       // centre x in drawing order
  };
  const Case cases[] = {
      {"by depth", 1, {{0, -10}, {20, 10}, {10, 0}}, {0, 10, 20}},
      {"same depth: larger key |x| first", 1, {{-10, 0}, {30, 0}, {15, 0}}, {30, 15, -10}},
      {"unsorted", 0, {{20, 10}, {0, -10}, {10, 0}}, {20, 0, 10}},
  };
  const cf_Kernel kernel = View(0, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_3DPhedraSeries series;
    series.SetDepthSort(c.depthSort);
    for (const auto& [x, z] : c.columns) {
      series.AddColumn(x - 1, x + 1, 0, 5, z - 1, z + 1);
    }
    Place(series, kernel);
    std::vector<double> order;
    for (int32_t i = 1; i <= series.Count(); ++i) {
      order.push_back(series.At(i)->Reference().GetX());
    }
    EXPECT_EQ(order, c.order);
  }
}

TEST_F(SolidTest, WedgeIsPushedOutAlongItsMiddleAngle) {
  struct Case {
    double explode;
    double shift, rim;
  };
  const Case cases[] = {{0, 0, 10}, {10, 1, 11}};
  const double start = 0, end = M_PI / 2, mid = M_PI / 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.explode);
    cf_DispAttribs attribs;
    cf_3DRadialHedra wedge(cf_3DPoint(7, 2, 7), cf_3DPoint(0, 6, 0), 10, start, end, 50, c.explode, &attribs);
    const cf_3DPoint& centre = wedge.GetMark(cf_3DRadialHedra::kCentre0);
    EXPECT_NEAR(centre.GetX(), c.shift * std::cos(mid), 1e-12);
    EXPECT_NEAR(centre.GetZ(), -c.shift * std::sin(mid), 1e-12);
    EXPECT_EQ(centre.GetY(), 2);
    EXPECT_EQ(wedge.GetMark(cf_3DRadialHedra::kCentre1).GetY(), 4);
    const cf_3DPoint& rimStart = wedge.GetMark(cf_3DRadialHedra::kStart0);
    EXPECT_NEAR(std::hypot(rimStart.GetX() - centre.GetX(), rimStart.GetZ() - centre.GetZ()), c.rim, 1e-12);
    EXPECT_EQ(wedge.Count(), 4);
  }
}

TEST_F(SolidTest, EmptyWedgeAndEmptySolidsDrawNothingOfTheirOwn) {
  const cf_Kernel kernel = View(30, 0);
  cf_DispAttribs attribs;
  cf_3DRadialHedra empty(cf_3DPoint(0, 0, 0), cf_3DPoint(0, 5, 0), 40, 1.0, 1.0, 100, 10, &attribs);
  cf_3DRadialHedra quarter(cf_3DPoint(0, 0, 0), cf_3DPoint(0, 5, 0), 40, 0, 1.5, 100, 10, &attribs);
  cf_3DBarHedra reset(0, 4, 0, 1, 0, 1, &attribs);
  reset.Reset();
  cf_3DSurface sheet(&attribs);
  sheet.AddStrip(0, 0, 0, 0, 0, 1);
  sheet.SetCulling(1);
  struct Case {
    std::string name;
    cf_Virt3DObj* object;
    bool draws;
  };
  const Case cases[] = {{"empty wedge", &empty, false},
                        {"quarter wedge", &quarter, true},
                        {"reset box", &reset, false},
                        {"strip of one point, culled", &sheet, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Place(*c.object, kernel);
    const DrawState before = State();
    const std::size_t mark = Mark();
    c.object->DrawSecondary(context);
    EXPECT_EQ(State(), before);
    bool drew = false;
    for (const std::string& call : CallsSince(mark)) {
      drew = drew || call.rfind("Ellipse", 0) == 0 || call.rfind("Polygon", 0) == 0 ||
             call.rfind("Line", 0) == 0;
    }
    EXPECT_EQ(drew, c.draws);
  }
}

TEST_F(SolidTest, SheetWithoutOutlinesDrawsEdgesInTheFillColourAndRestoresIt) {
  const cf_Kernel kernel = View(20, -30);
  cf_DispAttribs attribs;
  attribs.SetForeColor(4);
  attribs.SetBackColor(9);
  for (uint8_t outline : {0, 1}) {
    SCOPED_TRACE(static_cast<int>(outline));
    cf_3DSurface sheet(&attribs);
    sheet.SetOutlineFacets(outline);
    sheet.AddStrip(0, 10, 0, 5, 0, 4);
    sheet.AddStrip(10, 20, 5, 2, 0, 4);
    EXPECT_EQ(sheet.GetProjMinX(), 0);
    Place(sheet, kernel);
    EXPECT_EQ(sheet.GetProjMaxX(), 0);
    EXPECT_LT(sheet.ProjMinX(), sheet.ProjMaxX());
    const std::size_t mark = Mark();
    sheet.DrawPrimary(context);
    EXPECT_EQ(attribs.ForeColor(), 4);
    const std::vector<std::string> calls = CallsSince(mark);
    const bool outlined = std::find(calls.begin(), calls.end(), "SetForeground 4") != calls.end();
    EXPECT_EQ(outlined, outline == 1);
  }
}

}  // namespace
