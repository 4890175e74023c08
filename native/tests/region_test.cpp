#include <gtest/gtest.h>

#include "native/gdi/region.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "native/user/rects.h"

namespace native::test {

namespace {

int area(const Region& region) {
  int total = 0;
  for (const RECT& rect : region.rects()) {
    total += (rect.right - rect.left) * (rect.bottom - rect.top);
  }
  return total;
}

bool disjoint(const Region& region) {
  const auto& rects = region.rects();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    for (std::size_t j = i + 1; j < rects.size(); ++j) {
      RECT common{};
      if (IntersectRect(&common, &rects[i], &rects[j])) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

TEST(Regions, SetOperationsKeepPiecesDisjointAndAreasRight) {
  struct Case {
    const char* name;
    RECT first;
    RECT second;
    int unionArea;
    int differenceArea;
    int intersectionArea;
  };
  const Case cases[] = {
      {"overlapping", {0, 0, 10, 10}, {5, 5, 15, 15}, 175, 75, 25},
      {"apart", {0, 0, 10, 10}, {20, 0, 30, 10}, 200, 100, 0},
      {"inside", {0, 0, 10, 10}, {2, 2, 4, 4}, 100, 96, 4},
      {"covering", {2, 2, 4, 4}, {0, 0, 10, 10}, 100, 0, 4},
      {"touching edges", {0, 0, 10, 10}, {10, 0, 20, 10}, 200, 100, 0},
      {"empty second", {0, 0, 10, 10}, {5, 5, 5, 9}, 100, 100, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Region united(test.first);
    united.unite(test.second);
    EXPECT_EQ(area(united), test.unionArea);
    EXPECT_TRUE(disjoint(united));
    Region difference(test.first);
    difference.subtract(test.second);
    EXPECT_EQ(area(difference), test.differenceArea);
    EXPECT_TRUE(disjoint(difference));
    Region intersection(test.first);
    intersection.intersect(Region(test.second));
    EXPECT_EQ(area(intersection), test.intersectionArea);
    Region rebuilt = difference;
    rebuilt.unite(intersection);
    EXPECT_TRUE(rebuilt == Region(test.first)) << "the difference and the intersection make the whole";
  }
}

TEST(Regions, BoundsContainsAndOffset) {
  Region region(RECT{0, 0, 4, 4});
  region.unite(RECT{10, 10, 12, 12});
  RECT bounds = region.bounds();
  EXPECT_TRUE(EqualRect(&bounds, &(const RECT&)RECT{0, 0, 12, 12}));
  EXPECT_TRUE(region.contains(POINT{11, 11}));
  EXPECT_FALSE(region.contains(POINT{6, 6})) << "between the pieces";
  EXPECT_FALSE(region.contains(POINT{4, 0})) << "right edges are outside";
  region.offset(-10, -10);
  EXPECT_TRUE(region.contains(POINT{0, 0}));
  EXPECT_TRUE(IsRectEmpty(&(const RECT&)Region().bounds()));
}

TEST(Regions, RegionHandlesCombineAndClip) {
  TestDriver driver;
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 0, 15, 10);
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(result, a, b, RGN_AND), SIMPLEREGION);
  RECT box{};
  GetRgnBox(result, &box);
  EXPECT_TRUE(EqualRect(&box, &(const RECT&)RECT{5, 0, 10, 10}));
  EXPECT_EQ(CombineRgn(result, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(result, 7, 5));
  EXPECT_TRUE(PtInRegion(result, 12, 5));
  EXPECT_EQ(CombineRgn(result, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(result, a, nullptr, RGN_OR), ERROR) << "a missing operand";
  EXPECT_EQ(OffsetRgn(a, 3, 3), SIMPLEREGION);
  EXPECT_TRUE(PtInRegion(a, 12, 12));
  for (HRGN region : {a, b, result}) {
    EXPECT_TRUE(DeleteObject(region));
  }
}

}  // namespace native::test
