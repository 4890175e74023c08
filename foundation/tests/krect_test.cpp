#include "foundation/krect.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"

namespace {

::testing::AssertionResult SameRect(const KRect& actual, const KRect& expected) {
  if (actual == expected) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "got (" << actual.left << ", " << actual.top << ", " << actual.right << ", " << actual.bottom
         << "), want (" << expected.left << ", " << expected.top << ", " << expected.right << ", "
         << expected.bottom << ")";
}

TEST(KRect, SizesCountInclusiveEdges) {
  struct Case {
    const char* name;
    KRect rect;
    int32_t width, height;
    int64_t area;
  };
  const Case cases[] = {
      {"one pixel", {5, 5, 5, 5}, 1, 1, 1},
      {"ordinary", {0, 0, 9, 4}, 10, 5, 50},
      {"empty width", {5, 0, 4, 9}, 0, 10, 0},
      {"negative width", {5, 0, 2, 9}, -2, 10, 0},
      {"both negative", {10, 10, 0, 0}, -9, -9, 0},
      {"negative height", {0, 9, 9, 0}, 10, -8, 0},
      {"whole range", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, INT32_MAX, INT32_MAX, INT64_MAX},
      {"widest negative", {INT32_MAX, 0, INT32_MIN, 0}, INT32_MIN, 1, 0},
      {"large area", {0, 0, 99999, 99999}, 100000, 100000, INT64_C(10000000000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.rect.Width(), c.width);
    EXPECT_EQ(c.rect.Height(), c.height);
    EXPECT_EQ(c.rect.Area(), c.area);
  }
}

TEST(KRect, AreaOfHugeRectanglesDoesNotOverflow) {
  KRect halfHigh(INT32_MIN, 0, INT32_MAX, 0);
  EXPECT_EQ(halfHigh.Area(), INT64_C(0x100000000));
  KRect tall(0, INT32_MIN, 0, INT32_MAX);
  EXPECT_EQ(tall.Area(), INT64_C(0x100000000));
  KRect big(INT32_MIN, INT32_MIN + 1, INT32_MAX, -1);  // 2^32 x (2^31 - 1) still fits
  EXPECT_EQ(big.Area(), INT64_C(0x100000000) * INT64_C(0x7FFFFFFF));
  KRect justOver(INT32_MIN, INT32_MIN, INT32_MAX, 0);  // 2^32 x (2^31 + 1) passes INT64_MAX
  EXPECT_EQ(justOver.Area(), INT64_MAX);
}

TEST(KRect, OffsetAndOffsetBackMoveBothCorners) {
  KRect rect(1, 2, 3, 4);
  rect.Offset(KPoint(10, -20));
  EXPECT_TRUE(SameRect(rect, {11, -18, 13, -16}));
  rect.OffsetBack(KPoint(10, -20));
  EXPECT_TRUE(SameRect(rect, {1, 2, 3, 4}));
  KRect edge(INT32_MAX, 0, INT32_MAX, 0);
  edge.Offset(KPoint(1, 0));  // wraps instead of overflowing
  EXPECT_EQ(edge.left, INT32_MIN);
}

TEST(KRect, ContainsIsInclusiveOnEveryEdge) {
  KRect rect(0, 0, 10, 5);
  struct Case {
    KPoint point;
    bool inside;
  };
  const Case cases[] = {{{0, 0}, true},  {{10, 5}, true},  {{10, 0}, true},  {{0, 5}, true},
                        {{5, 3}, true},  {{-1, 0}, false}, {{11, 0}, false}, {{0, -1}, false},
                        {{0, 6}, false}, {{11, 6}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    EXPECT_EQ(rect.Contains(c.point), c.inside);
  }
}

TEST(KRect, ContainsRectNeedsAllEdgesInside) {
  KRect rect(0, 0, 10, 10);
  struct Case {
    KRect other;
    bool inside;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, true}, {{2, 2, 8, 8}, true},   {{-1, 2, 8, 8}, false},    {{2, -1, 8, 8}, false},
      {{2, 2, 11, 8}, false}, {{2, 2, 8, 11}, false}, {{20, 20, 30, 30}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.other.left << "," << c.other.top << "," << c.other.right << ","
                                    << c.other.bottom);
    EXPECT_EQ(rect.ContainsRect(c.other), c.inside);
  }
}

TEST(KRect, IntersectionAndIntersects) {
  KRect rect(0, 0, 10, 10);
  struct Case {
    KRect other;
    bool intersects;
    KRect common;
  };
  const Case cases[] = {
      {{5, 5, 15, 15}, true, {5, 5, 10, 10}},
      {{10, 10, 20, 20}, true, {10, 10, 10, 10}},  // one shared corner pixel
      {{11, 0, 20, 10}, false, {11, 0, 10, 10}},
      {{-5, 3, 20, 4}, true, {0, 3, 10, 4}},
      {{2, 2, 1, 8}, false, {2, 2, 1, 8}},  // an empty rectangle shares nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.other.left << "," << c.other.top);
    EXPECT_EQ(rect.Intersects(c.other), c.intersects);
    EXPECT_EQ(c.other.Intersects(rect), c.intersects);
    EXPECT_TRUE(SameRect(rect.Intersection(c.other), c.common));
  }
}

TEST(KRect, IntersectClampsAPointIntoTheRectangle) {
  KRect rect(0, 0, 10, 5);
  struct Case {
    KPoint point;
    KPoint expected;
    bool changed;
  };
  const Case cases[] = {
      {{3, 3}, {3, 3}, false},  {{0, 5}, {0, 5}, false},
      {{-4, 3}, {0, 3}, true},  {{14, 3}, {10, 3}, true},
      {{3, -9}, {3, 0}, true},  {{3, 9}, {3, 5}, true},
      {{-1, 99}, {0, 5}, true}, {{INT32_MIN, INT32_MAX}, {0, 5}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    KPoint point = c.point;
    EXPECT_EQ(rect.Intersect(point), c.changed);
    EXPECT_TRUE(point.Equals(c.expected));
  }
}

TEST(KRect, ClipClampsEachEdgeIntoTheBounds) {
  const KRect bounds(10, 20, 30, 40);
  struct Case {
    const char* name;
    KRect rect;
    KRect expected;
    bool changed;
  };
  const Case cases[] = {
      {"inside", {12, 22, 28, 38}, {12, 22, 28, 38}, false},
      {"equal", {10, 20, 30, 40}, {10, 20, 30, 40}, false},
      {"straddling left and top", {0, 0, 15, 25}, {10, 20, 15, 25}, true},
      {"straddling right and bottom", {25, 35, 50, 60}, {25, 35, 30, 40}, true},
      {"around", {0, 0, 100, 100}, {10, 20, 30, 40}, true},
      {"outside left", {0, 25, 5, 30}, {10, 25, 9, 30}, true},
      {"outside right", {35, 25, 50, 30}, {31, 25, 30, 30}, true},
      {"outside above", {15, 0, 20, 10}, {15, 20, 20, 19}, true},
      {"outside below", {15, 45, 20, 50}, {15, 41, 20, 40}, true},
      {"far outside at the int32 edges",
       {INT32_MIN, INT32_MIN, INT32_MIN + 1, INT32_MIN + 1},
       {10, 20, 9, 19},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KRect rect = c.rect;
    EXPECT_EQ(rect.Clip(bounds), c.changed);
    EXPECT_TRUE(SameRect(rect, c.expected));
    if (!bounds.Intersects(c.rect)) {
      EXPECT_EQ(rect.Area(), 0) << "a rectangle outside the bounds comes out empty";
    }
  }
}

TEST(KRect, ClipToBoundsAtTheInt32Edges) {
  KRect rect(0, 0, 10, 10);
  EXPECT_TRUE(rect.Clip(KRect(INT32_MIN, INT32_MIN, -1, -1)));
  EXPECT_TRUE(SameRect(rect, {0, 0, -1, -1}));
  KRect other(-10, -10, 0, 0);
  EXPECT_TRUE(other.Clip(KRect(1, 1, INT32_MAX, INT32_MAX)));
  EXPECT_TRUE(SameRect(other, {1, 1, 0, 0}));
}

TEST(KRect, LimitClipKeepsCornersWithinThirtyThousand) {
  struct Case {
    KRect rect;
    KRect expected;
    bool changed;
  };
  const Case cases[] = {
      {{-30000, -30000, 30000, 30000}, {-30000, -30000, 30000, 30000}, false},
      {{-30001, 0, 30001, 5}, {-30000, 0, 30000, 5}, true},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {-30000, -30000, 30000, 30000}, true},
      {{40000, 40000, 50000, 50000}, {30000, 30000, 30000, 30000}, true},
  };
  for (const Case& c : cases) {
    KRect rect = c.rect;
    EXPECT_EQ(rect.LimitClip(), c.changed);
    EXPECT_TRUE(SameRect(rect, c.expected));
  }
}

TEST(KRect, RecordIsFour32BitWordsInOrder) {
  KRect rect(1, -2, 0x01020304, INT32_MIN);
  KMemoryStream stream;
  rect.Write(stream);
  const std::vector<uint8_t> expected = {0x01, 0,    0,    0,    0xFE, 0xFF, 0xFF, 0xFF,
                                         0x04, 0x03, 0x02, 0x01, 0,    0,    0,    0x80};
  EXPECT_EQ(stream.Bytes(), expected);
  KRect read;
  read.Read(stream);
  EXPECT_TRUE(SameRect(read, rect));
}

TEST(KRect, ShortRecordLeavesTheRectangleAsItWas) {
  KMemoryStream stream(std::vector<uint8_t>{1, 0, 0, 0, 2, 0, 0, 0, 3, 0});
  KRect rect(7, 7, 7, 7);
  EXPECT_THROW(rect.Read(stream), KX);
  EXPECT_TRUE(SameRect(rect, {7, 7, 7, 7}));
}

TEST(KPoint, EqualsAndRecord) {
  EXPECT_TRUE(KPoint(1, 2).Equals(KPoint(1, 2)));
  EXPECT_FALSE(KPoint(1, 2).Equals(KPoint(2, 1)));
  EXPECT_TRUE(KPoint(1, 2).NotEquals(KPoint(1, 3)));
  EXPECT_FALSE(KPoint(1, 2).NotEquals(KPoint(1, 2)));

  KMemoryStream stream;
  KPoint(-1, 0x10203).Write(stream);
  EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0x03, 0x02, 0x01, 0x00}));
  KPoint read;
  read.Read(stream);
  EXPECT_TRUE(read.Equals(KPoint(-1, 0x10203)));

  KMemoryStream shortStream(std::vector<uint8_t>{1, 0, 0, 0});
  KPoint kept(5, 6);
  EXPECT_THROW(kept.Read(shortStream), KX);
  EXPECT_TRUE(kept.Equals(KPoint(5, 6)));
}

}  // namespace
