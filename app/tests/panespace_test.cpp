#include "app/panespace.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr PaneRect kNone = PaneRect::None();

PaneSpace Shown(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return PaneSpace{PaneRect{left, top, right, bottom}, true};
}
PaneSpace Hidden(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return PaneSpace{PaneRect{left, top, right, bottom}, false};
}

}  // namespace

TEST(PaneSpace, NeighboursTakeTheSpaceOfPanesWithoutAWindow) {
  struct Case {
    const char* name;
    std::vector<PaneSpace> panes;
    std::vector<PaneRect> expected;
  } cases[] = {
      {"the built-in layout",
       {Shown(0, 26, 100, 100), Shown(0, 0, 100, 26)},
       {{0, 26, 100, 100}, {0, 0, 100, 26}}},
      {"a second chart sharing a whole edge",
       {Shown(0, 26, 100, 100), Shown(0, 0, 50, 26), Hidden(50, 0, 100, 26)},
       {{0, 26, 100, 100}, {0, 0, 100, 26}, kNone}},
      {"a second chart over the whole right side, given in pieces",
       {Shown(0, 26, 60, 100), Shown(0, 0, 60, 26), Hidden(60, 0, 100, 100)},
       {{0, 26, 100, 100}, {0, 0, 100, 26}, kNone}},
      {"a pane given to the neighbour above",
       {Shown(0, 0, 100, 50), Hidden(0, 50, 100, 100)},
       {{0, 0, 100, 100}, kNone}},
      {"a pane under a narrower neighbour keeps its strip for the next",
       {Shown(0, 0, 40, 30), Hidden(0, 30, 100, 60), Shown(40, 60, 100, 100)},
       {{0, 0, 40, 60}, kNone, {40, 30, 100, 100}}},
      {"no neighbour", {Shown(0, 0, 50, 50), Hidden(60, 60, 100, 100)}, {{0, 0, 50, 50}, kNone}},
      {"a pane without a window takes no space of another",
       {Hidden(0, 0, 100, 50), Hidden(0, 50, 100, 100)},
       {kNone, kNone}},
      {"inverted rectangles that would make a neighbour grow for ever",
       {Hidden(60, 0, 60, 100), Shown(0, 0, 60, -10), Shown(0, -10, 60, 0)},
       {kNone, {0, 0, 60, -10}, {0, -10, 60, 0}}},
      {"a neighbour of no height beside a pane of no width",
       {Hidden(50, 0, 50, 100), Shown(0, 0, 50, 0)},
       {kNone, {0, 0, 50, 0}}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    DistributeSpace(c.panes);
    std::vector<PaneRect> rects;
    for (const PaneSpace& pane : c.panes) {
      rects.push_back(pane.rect);
    }
    EXPECT_EQ(rects, c.expected);
  }
}
