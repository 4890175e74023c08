#include "chart/cf_chartengine.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "chart/cf_3dbitmap.h"
#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_3dpointseries.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_chartview.h"
#include "chart/cf_dispattribs.h"
#include "chart/cf_eng_cart3d.h"
#include "chart/tests/builtview.h"
#include "chart/tests/charttestbed.h"
#include "chart/tests/charttestengine.h"

namespace {

// What the walls answer: fill colours of the back wall, the left wall and the floor, the fore colour, and
// whether each is shown.
struct Walls {
  bf_Color back, left, floor, fore;
  bool backShown, leftShown, floorShown;

  bool operator==(const Walls&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Walls& w) {
  return out << int(w.back) << " " << int(w.left) << " " << int(w.floor) << " fore " << int(w.fore)
             << " shown " << w.backShown << w.leftShown << w.floorShown;
}

Walls WallsOf(cf_ChartEngine& engine) {
  return {engine.BackColor(),       engine.LeftWallColor(),   engine.FloorColor(),  engine.WallForeColor(),
          engine.IsBackWallShown(), engine.IsLeftWallShown(), engine.IsFloorShown()};
}

TEST(cf_ChartEngine, WallColoursAndFlagsReachTheirOwnWall) {
  struct Case {
    const char* name;
    std::function<void(cf_ChartEngine&)> apply;
    Walls expected;
  } cases[] = {
      {"as made", [](cf_ChartEngine&) {}, {7, 7, 8, 0, true, true, true}},
      {"back colour", [](cf_ChartEngine& e) { e.SetBackColor(3); }, {3, 7, 8, 0, true, true, true}},
      {"left wall colour", [](cf_ChartEngine& e) { e.SetLeftWallColor(4); }, {7, 4, 8, 0, true, true, true}},
      {"floor colour", [](cf_ChartEngine& e) { e.SetFloorColor(5); }, {7, 7, 5, 0, true, true, true}},
      {"fore colour of all three",
       [](cf_ChartEngine& e) { e.SetWallForeColor(9); },
       {7, 7, 8, 9, true, true, true}},
      {"back wall hidden", [](cf_ChartEngine& e) { e.ShowBackWall(false); }, {7, 7, 8, 0, false, true, true}},
      {"left wall hidden", [](cf_ChartEngine& e) { e.ShowLeftWall(false); }, {7, 7, 8, 0, true, false, true}},
      {"floor hidden", [](cf_ChartEngine& e) { e.ShowFloor(false); }, {7, 7, 8, 0, true, true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEngine engine;
    c.apply(engine);
    EXPECT_EQ(WallsOf(engine), c.expected);
    // The attributes the walls draw with are the ones answered.
    EXPECT_EQ(engine.GetWallAttribs(1).BackColor(), c.expected.floor);
    EXPECT_EQ(engine.GetWallAttribs(2).BackColor(), c.expected.left);
    EXPECT_EQ(engine.GetWallAttribs(3).BackColor(), c.expected.back);
    for (int32_t wall : {1, 2, 3}) {
      EXPECT_EQ(engine.GetWallAttribs(wall).ForeColor(), c.expected.fore) << wall;
    }
  }
}

TEST(cf_ChartEngine, TheBitmapFileIsNamedOrNot) {
  struct Case {
    const char16_t* name;
    bool has;
  } cases[] = {{u"start.bmp", true}, {u"", false}};
  for (const Case& c : cases) {
    TestEngine engine;
    EXPECT_FALSE(engine.HasBitmapFile());
    engine.SetBitmapFile(c.name);
    EXPECT_EQ(engine.HasBitmapFile(), c.has);
    EXPECT_EQ(std::u16string(engine.BitmapFile().Text()), c.name);
    EXPECT_EQ(engine.GetBitmap().HasFile(), c.has) << "the bitmap draws that file";
  }
}

TEST(cf_ChartEngine, ANewKernelTakesThePlaceOfTheOldAndIsOwnedAsAsked) {
  TestEngine engine;
  cf_Kernel* first = &engine.GetKernel();
  EXPECT_EQ(engine.SetKernel(nullptr, true, true), 0);
  EXPECT_EQ(&engine.GetKernel(), first) << "no kernel changes nothing";

  struct Step {
    const char* name;
    bool deleteOld, owns;
  } steps[] = {
      {"the owned first kernel is deleted; the engine owns the second", true, true},
      {"the owned second kernel is kept for the caller; the third stays the caller's", false, false},
      {"the third, not owned, survives deleteOld; the engine owns the fourth", true, true},
      {"the fourth given again is not deleted as the old one", true, true},
  };
  auto second = new cf_Kernel(50, 50, 50);
  auto third = std::make_unique<cf_Kernel>(60, 60, 60);
  auto fourth = new cf_Kernel(70, 70, 70);
  cf_Kernel* given[] = {second, third.get(), fourth, fourth};
  std::unique_ptr<cf_Kernel> keptSecond;
  for (std::size_t at = 0; at < std::size(steps); ++at) {
    SCOPED_TRACE(steps[at].name);
    EXPECT_EQ(engine.SetKernel(given[at], steps[at].deleteOld, steps[at].owns), 1);
    EXPECT_EQ(&engine.GetKernel(), given[at]);
    EXPECT_EQ(engine.GetBitmap().Kernel(), given[at]);
    if (at == 1) {
      keptSecond.reset(second);
    }
  }
  // The leak and use-after-free checks of the sanitized build see the rest: the engine deletes the fourth.
  EXPECT_EQ(keptSecond->MaxX(), 25);
  EXPECT_EQ(third->MaxX(), 30);
}

// The axes' styles and whether each is shown, axis 1 to 7.
std::string Axes(const cf_ChartEngine& engine) {
  std::ostringstream out;
  for (uint32_t n = 1; n <= cf_ChartEngine::kAxisCount; ++n) {
    out << engine.GetAxis(n)->GetStyle() << (engine.GetAxis(n)->IsVisible() ? "+ " : " ");
  }
  return out.str();
}

std::string View(const cf_Kernel& kernel) {
  std::ostringstream out;
  out << kernel.Elevation() << " " << kernel.Azimuth() << " " << kernel.Perspective();
  return out.str();
}

// Items of the bottom and left Z axes after a build, both axes shown.
std::string ZAxisItems(int32_t dimension) {
  cf_ChartView view(cf_ChartEngine::kLine, dimension, cf_ChartModel::kZeroBased);
  view.SetAxisStyle(5, cf_3DGridTickSeries::kYValues);
  view.SetAxisStyle(6, cf_3DGridTickSeries::kYValues);
  view.AddValue(1, 5);
  view.AddValue(2, 7);
  view.GetEngine()->BuildObjects(*view.GetModel());
  return std::to_string(view.GetAxis(5).GetItemCount() > 0) +
         std::to_string(view.GetAxis(6).GetItemCount() > 0);
}

TEST(cf_ChartEngine, EdgeCasesOfTheEngineBase) {
  struct Case {
    const char* name;
    std::function<std::string()> run;
    std::string expected;
  } cases[] = {
      {"a new engine: the box, the walls, the bar width, no objects",
       [] {
         cf_ChartEngine engine(cf_ChartEngine::kLine, cf_ChartEngine::k3D);
         const cf_Kernel& k = engine.GetKernel();
         std::ostringstream out;
         out << k.ExtentX() << " " << k.ExtentY() << " " << k.ExtentZ() << " walls "
             << engine.IsBackWallShown() << engine.IsLeftWallShown() << engine.IsFloorShown() << " bars "
             << engine.BarWidth() << " objects " << engine.ExtraObjects().size()
             << engine.SeriesObjects().size();
         return out.str();
       },
       "100 100 100 walls 111 bars 1 objects 00"},
      {"a new engine's axes are hidden",
       [] { return Axes(cf_ChartEngine(cf_ChartEngine::kLine, cf_ChartEngine::k3D)); }, "5 5 6 6 4 4 0 "},
      {"a bar engine's axis styles",
       [] { return Axes(cf_ChartEngine(cf_ChartEngine::kBar, cf_ChartEngine::k3D)); }, "6 6 5 5 4 4 0 "},
      {"a pie engine's axis styles",
       [] { return Axes(cf_ChartEngine(cf_ChartEngine::kPie, cf_ChartEngine::k3D)); }, "0 0 0 0 0 0 4 "},
      {"view angles held",
       [] {
         cf_ChartEngine engine(cf_ChartEngine::kLine, cf_ChartEngine::k3D);
         const int answer = engine.SetViewAngles(100, 10);
         return std::to_string(answer) + " " + View(engine.GetKernel());
       },
       "0 90 0 0"},
      {"perspective held",
       [] {
         cf_ChartEngine engine(cf_ChartEngine::kLine, cf_ChartEngine::k3D);
         const int answer = engine.SetPerspective(150);
         return std::to_string(answer) + " " + View(engine.GetKernel());
       },
       "0 20 -45 100"},
      {"to 2-D and back restores the view",
       [] {
         cf_ChartEngine engine(cf_ChartEngine::kLine, cf_ChartEngine::k3D);
         engine.SetViewAngles(30, -40);
         engine.SetPerspective(20);
         engine.SetDimension(cf_ChartEngine::k2D);
         const std::string flat = View(engine.GetKernel());
         engine.SetDimension(cf_ChartEngine::k3D);
         return flat + " / " + View(engine.GetKernel());
       },
       "0 0 0 / 30 -40 20"},
      {"Z axes make tick items in 3-D, not in 2-D",
       [] {
         const std::string solid = ZAxisItems(cf_ChartEngine::k3D);
         return solid + " " + ZAxisItems(cf_ChartEngine::k2D);
       },
       "11 00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.run(), c.expected);
  }
}

// An object that notes each drawing pass it is asked for.
class PassRecorder : public cf_Virt3DObj {
 public:
  explicit PassRecorder(std::string& log) : log(log) {}
  void DrawPrimary(bf_Display&) override { log += "primary "; }
  void DrawSecondary(bf_Display&) override { log += "secondary "; }

 private:
  std::string& log;
};

std::string Extents(const cf_ChartEngine& engine) {
  std::ostringstream out;
  out << engine.ExtentMinX() << " " << engine.ExtentMaxX() << " " << engine.ExtentMinY() << " "
      << engine.ExtentMaxY() << " " << engine.ExtentMinZ() << " " << engine.ExtentMaxZ();
  return out.str();
}

class CartesianEngineTest : public ChartDrawTest {
 protected:
  // The passes an object of the series list is drawn with, by an engine of that dimension.
  std::string PassesDrawn(int32_t dimension) {
    cf_ChartView view(cf_ChartEngine::kLine, dimension, cf_ChartModel::kZeroBased);
    std::string log;
    view.GetEngine()->AddSeriesObject(std::make_unique<PassRecorder>(log));
    view.GetEngine()->Draw(context);
    return log;
  }
};

TEST_F(CartesianEngineTest, EdgeCasesOfTheCartesianBase) {
  struct Case {
    const char* name;
    std::function<std::string()> run;
    std::string expected;
  } cases[] = {
      {"a new engine: the box, the view and the axes shown",
       [] {
         cf_eng_Line3D engine;
         const cf_Kernel& k = engine.GetKernel();
         std::ostringstream out;
         out << k.ExtentX() << " " << k.ExtentY() << " " << k.ExtentZ() << " / " << View(k) << " / "
             << Axes(engine);
         return out.str();
       },
       "100 100 50 / 20 -30 0 / 5 5+ 6 6+ 4 4 0 "},
      {"without objects the extents are the box",
       [] {
         cf_eng_Line3D engine;
         engine.PlaceObjects();
         return Extents(engine);
       },
       "-50 50 -50 50 -25 25"},
      {"a range from 0 puts 0 on the floor though the data start at 3",
       [] {
         auto view = Built(cf_ChartEngine::kLine, cf_ChartEngine::k3D, cf_ChartModel::kZeroBased, {{3, 10}});
         view->SetValueRange(0, 10);
         view->GetModel()->Update(true, true, false, false, false);
         const auto* line = dynamic_cast<cf_3DPointSeries*>(view->GetEngine()->SeriesObjects().front().get());
         std::ostringstream out;
         out << (line ? line->GetPointCopy(1).GetBoxY() : 0.0) << " "
             << (line ? line->GetPointCopy(2).GetBoxY() : 0.0);
         return out.str();
       },
       "-20 50"},
      {"flat charts draw the primary pass, solid ones the secondary",
       [this] { return PassesDrawn(cf_ChartEngine::k2D) + "/ " + PassesDrawn(cf_ChartEngine::k3D); },
       "primary / secondary "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.run(), c.expected);
  }
}

}  // namespace
