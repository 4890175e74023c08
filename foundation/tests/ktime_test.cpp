#include "foundation/ktime.h"

#include <gtest/gtest.h>

namespace {

TEST(KTime, TickDifferenceSurvivesTheWrap) {
  struct Case {
    uint32_t later, earlier;
    int32_t difference;
  };
  const Case cases[] = {
      {1500, 1000, 500},
      {1000, 1500, -500},
      {5, 0xFFFFFFF0u, 21},  // the count wrapped between the two
      {0xFFFFFFF0u, 5, -21},
      {0, 0xFFFFFFFFu, 1},
      {0x7FFFFFFFu, 0, INT32_MAX},
      {0x80000000u, 0, INT32_MIN},  // half the range apart: the order can no longer be told
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.later << " - " << c.earlier);
    EXPECT_EQ(KTickDifference(c.later, c.earlier), c.difference);
  }
}

uint32_t fakeTicks = 0;
uint32_t FakeTickSource() {
  return fakeTicks;
}

TEST(KTime, InstalledTickSourceDrivesTheCount) {
  fakeTicks = 0xFFFFFFFEu;
  KSetTickSource(FakeTickSource);
  uint32_t before = KGetTickCount();
  fakeTicks += 10;
  uint32_t after = KGetTickCount();
  KSetTickSource(nullptr);
  EXPECT_EQ(before, 0xFFFFFFFEu);
  EXPECT_EQ(after, 8u);
  EXPECT_EQ(KTickDifference(after, before), 10);
}

TEST(KTime, MonotonicCountNeverGoesBack) {
  uint32_t previous = KGetTickCount();
  for (int i = 0; i < 1000; ++i) {
    uint32_t now = KGetTickCount();
    ASSERT_GE(KTickDifference(now, previous), 0);
    previous = now;
  }
}

}  // namespace
