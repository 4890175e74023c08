#include "chart/cf_chartengine.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "chart/cf_3dbitmap.h"
#include "chart/cf_dispattribs.h"
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

}  // namespace
