#include "framework/core/zafregionstruct.h"

#include <gtest/gtest.h>

#include "framework/core/zafdisplay.h"
#include "testing/zaftestdisplay.h"

namespace {

class RegionTest : public testing::Test {
 protected:
  ZafTestDisplay display;  // 8 x 24 pixel cells
};

TEST_F(RegionTest, ConvertsSizesAsLengthsNotAsEndPoints) {
  ZafRegionStruct region{1, 1, 10, 1, ZAF_CELL};  // ten cells wide, one high
  region.ConvertCoordinates(ZAF_PIXEL);
  EXPECT_EQ(region.left, 8);
  EXPECT_EQ(region.top, 24);
  EXPECT_EQ(region.Width(), 80);
  EXPECT_EQ(region.Height(), 24);
  EXPECT_EQ(region.coordinateType, ZAF_PIXEL);
  region.ConvertCoordinates(ZAF_CELL);
  EXPECT_EQ(region, (ZafRegionStruct{1, 1, 10, 1, ZAF_CELL}));
}

TEST_F(RegionTest, ConvertedCopyLeavesTheOriginal) {
  const ZafRegionStruct region{0, 0, 1, 1, ZAF_CELL};
  EXPECT_EQ(region.Converted(ZAF_PIXEL).right, 15);
  EXPECT_EQ(region.coordinateType, ZAF_CELL);
  EXPECT_EQ(region.right, 1);
}

TEST_F(RegionTest, ComparesAcrossCoordinateTypes) {
  const ZafRegionStruct cells{1, 1, 2, 1, ZAF_CELL};
  EXPECT_EQ(cells, (ZafRegionStruct{8, 24, 23, 47, ZAF_PIXEL}));
  // The other side is converted to this side's type, so a comparison is only as fine as this side.
  EXPECT_TRUE((ZafRegionStruct{8, 24, 24, 47, ZAF_PIXEL}).Differs(cells));
  EXPECT_FALSE(cells.Differs({8, 24, 24, 47, ZAF_PIXEL}));
  const ZafPositionStruct position{2, 1, ZAF_CELL};
  EXPECT_EQ(position, (ZafPositionStruct{16, 24, ZAF_PIXEL}));
  EXPECT_EQ(position, (ZafPositionStruct{17, 24, ZAF_PIXEL}));
  EXPECT_NE((ZafPositionStruct{17, 24, ZAF_PIXEL}), position);
}

TEST_F(RegionTest, EdgesAreInclusiveInEveryTest) {
  const ZafRegionStruct box{10, 10, 19, 19, ZAF_PIXEL};
  struct Case {
    const char* name;
    ZafRegionStruct other;
    bool overlaps;
    bool encompassed;  // box inside other
  } cases[] = {
      {"corner touch", {19, 19, 30, 30, ZAF_PIXEL}, true, false},
      {"edge touch", {0, 10, 10, 19, ZAF_PIXEL}, true, false},
      {"just apart", {20, 10, 30, 19, ZAF_PIXEL}, false, false},
      {"same", {10, 10, 19, 19, ZAF_PIXEL}, true, true},
      {"around", {0, 0, 99, 99, ZAF_PIXEL}, true, true},
      {"around in cells", {1, 0, 2, 0, ZAF_CELL}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(box.Overlaps(c.other), c.overlaps);
    EXPECT_EQ(box.Encompassed(c.other), c.encompassed);
  }
}

TEST_F(RegionTest, ContainsAndOnBorderIncludeTheEdges) {
  const ZafRegionStruct box{10, 10, 19, 19, ZAF_PIXEL};
  struct Case {
    int32_t column, line;
    bool contains, onBorder;
  } cases[] = {
      {19, 15, true, true},   {10, 10, true, true}, {15, 15, true, false},
      {20, 15, false, false}, {15, 19, true, true}, {9, 19, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.column << "," << c.line);
    const ZafPositionStruct position{c.column, c.line, ZAF_PIXEL};
    EXPECT_EQ(box.Contains(position), c.contains);
    EXPECT_EQ(box.OnBorder(position), c.onBorder);
  }
  EXPECT_TRUE(box.Contains({1, 0, ZAF_CELL}, 2, 10));  // (8, 0) moved by (2, 10)
  EXPECT_FALSE(box.Contains({1, 0, ZAF_CELL}));
}

TEST_F(RegionTest, IntersectGivesTheCommonPartInThisType) {
  const ZafRegionStruct box{10, 10, 19, 19, ZAF_PIXEL};
  ZafRegionStruct common;
  EXPECT_TRUE(box.Intersect({1, 0, 1, 0, ZAF_CELL}, common));
  EXPECT_EQ(common, (ZafRegionStruct{10, 10, 15, 19, ZAF_PIXEL}));
  EXPECT_FALSE(box.Intersect({30, 30, 40, 40, ZAF_PIXEL}, common));
  EXPECT_GT(common.left, common.right);
}

TEST_F(RegionTest, InflateAndDeflateReturnAfterOrBefore) {
  ZafRegionStruct region{5, 5, 9, 9, ZAF_PIXEL};
  EXPECT_EQ(region.Inflate(), (ZafRegionStruct{4, 4, 10, 10, ZAF_PIXEL}));
  EXPECT_EQ(region.DeflatePost(), (ZafRegionStruct{4, 4, 10, 10, ZAF_PIXEL}));
  EXPECT_EQ(region, (ZafRegionStruct{5, 5, 9, 9, ZAF_PIXEL}));
  EXPECT_EQ(region.InflatePost(), (ZafRegionStruct{5, 5, 9, 9, ZAF_PIXEL}));
  EXPECT_EQ(region.Deflate(), (ZafRegionStruct{5, 5, 9, 9, ZAF_PIXEL}));
}

}  // namespace
