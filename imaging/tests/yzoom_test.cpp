#include "imaging/yzoom.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "imaging/tests/imagingtestsupport.h"

namespace {

struct Ratio {
  int32_t numerator;
  int32_t denominator;
};

void ExpectBoth(const YZoom& zoom, Ratio expected) {
  EXPECT_EQ(zoom.XNumerator(), expected.numerator);
  EXPECT_EQ(zoom.XDenominator(), expected.denominator);
  EXPECT_EQ(zoom.YNumerator(), expected.numerator);
  EXPECT_EQ(zoom.YDenominator(), expected.denominator);
}

}  // namespace

TEST(YZoom, ZoomStepsArePowersOfTwoWithinLimits) {
  struct Case {
    Ratio start;
    bool in;
    Ratio expected;
  } cases[] = {
      {{1, 1}, true, {2, 1}},     {{2, 1}, true, {4, 1}},    {{3, 1}, true, {4, 1}},
      {{256, 1}, true, {256, 1}}, {{1, 16}, false, {1, 16}}, {{1, 1}, false, {1, 2}},
      {{3, 1}, false, {1, 1}},    {{2, 3}, true, {1, 1}},    {{1, 3}, false, {1, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start.numerator << "/" << c.start.denominator
                                    << (c.in ? " in" : " out"));
    YZoom zoom;
    zoom.Set(c.start.numerator, c.start.denominator, false);
    c.in ? zoom.ZoomIn(false) : zoom.ZoomOut(false);
    ExpectBoth(zoom, c.expected);
  }
}

TEST(YZoom, SetLimitsWithoutRounding) {
  struct Case {
    Ratio asked;
    Ratio expected;
  } cases[] = {
      {{3, 1}, {3, 1}}, {{1000, 1}, {256, 1}}, {{1, 100}, {1, 16}}, {{3, 100}, {3, 48}}, {{5, 7}, {5, 7}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.asked.numerator << "/" << c.asked.denominator);
    YZoom zoom;
    zoom.Set(c.asked.numerator, c.asked.denominator, false);
    ExpectBoth(zoom, c.expected);
  }
}

TEST(YZoom, NonPositiveTermsChangeNothing) {
  YZoom zoom;
  EXPECT_FALSE(zoom.Set(0, 1, true));
  EXPECT_FALSE(zoom.SetX(2, -1, true));
  ExpectBoth(zoom, {1, 1});
}

TEST(YZoom, PercentAndFractional) {
  YZoom zoom;
  zoom.SetX(3, 2, false);
  zoom.SetY(1, 4, false);
  EXPECT_EQ(zoom.Percent(), 150);
  EXPECT_TRUE(zoom.IsFractional());
  zoom.SetX(1, 4, false);
  EXPECT_EQ(zoom.Percent(), 25);
  EXPECT_FALSE(zoom.IsFractional());
}

TEST(YZoom, ChangesNotifyOnceAndEqualAssignSendsNothing) {
  MessageLog root;
  YZoom zoom(&root, 5);
  YZoom other;
  other.Set(2, 1, false);
  EXPECT_TRUE(zoom.Assign(other, true));
  EXPECT_FALSE(zoom.Assign(other, true));
  EXPECT_TRUE(zoom.SetModeFlag(true));
  EXPECT_FALSE(zoom.SetModeFlag(true));
  EXPECT_TRUE(zoom.ZoomIn(false));
  EXPECT_EQ(root.codes, (std::vector<uint32_t>{39, 39}));
  EXPECT_EQ(root.senders.front(), &zoom);
}

TEST(YZoom, RecordRoundTrip) {
  YZoom zoom(nullptr, 77);
  zoom.SetX(3, 1, false);
  zoom.SetY(1, 8, false);
  zoom.SetModeFlag(true);
  KMemoryStream stream;
  zoom.Write(stream);
  YZoom read;
  read.Read(stream);
  EXPECT_TRUE(read == zoom);
  EXPECT_EQ(read.Id(), 77);
  EXPECT_EQ(stream.Remaining(), 0);
}

TEST(YZoom, OlderSingleFactorRecords) {
  struct Case {
    int32_t word;
    Ratio expected;
  } cases[] = {{1, {1, 1}}, {8, {8, 1}}, {256, {256, 1}}, {-2, {1, 2}}, {-8, {1, 8}}, {-16, {1, 16}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    KMemoryStream stream;
    stream.WriteInt32(c.word);
    stream.WriteInt32(12345);
    YZoom zoom(nullptr, 9);
    zoom.SetModeFlag(true);
    zoom.Read(stream);
    ExpectBoth(zoom, c.expected);
    EXPECT_EQ(zoom.Mode(), 1u);
    EXPECT_EQ(zoom.Id(), 9);
    EXPECT_EQ(stream.Remaining(), 0);
  }
}

TEST(YZoom, ImpossibleRecordsAreRefusedAndChangeNothing) {
  struct Case {
    std::vector<int32_t> words;
    int32_t code;
  } cases[] = {
      {{3, 0}, 3009},
      {{0, 0}, 3009},
      {{-3, 0}, 3009},
      {{512, 0}, 3009},
      {{-32, 0}, 3009},
      {{0x20011, 1, 0, 0, 1, 1, 1}, 3010},
      {{0x20011, 1, 0, 1, 1, -4, 1}, 3010},
      {{0x20011, 1, 0, 1000, 1, 1, 1}, 3010},
      {{0x20011, 1, 0, 1, 17, 1, 1}, 3010},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words[0]);
    KMemoryStream stream;
    for (int32_t word : c.words) {
      stream.WriteInt32(word);
    }
    YZoom zoom(nullptr, 4);
    zoom.Set(2, 1, false);
    try {
      zoom.Read(stream);
      ADD_FAILURE() << "read was accepted";
    } catch (const KX& failure) {
      EXPECT_EQ(failure.Code(), c.code);
    }
    ExpectBoth(zoom, {2, 1});
    EXPECT_EQ(zoom.Id(), 4);
  }
}
