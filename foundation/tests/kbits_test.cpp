#include "foundation/kbits.h"

#include <gtest/gtest.h>

namespace {

TEST(KBits, RoundDownGoesTowardMinusInfinity) {
  struct Case {
    int32_t value, step, expected;
  };
  const Case cases[] = {
      {7, 5, 5},
      {5, 5, 5},
      {0, 5, 0},
      {-1, 5, -5},
      {-5, 5, -5},
      {-7, 5, -10},
      {4, 1, 4},
      {INT32_MAX, 10, 2147483640},
      {INT32_MIN, 2, INT32_MIN},
      {INT32_MIN, 3, -2147483646},  // the multiple below is out of range: the lowest one in range
      {7, 0, 7},
      {7, -5, 7},  // no multiples to round to
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " step " << c.step);
    EXPECT_EQ(KRoundDown(c.value, c.step), c.expected);
  }
}

TEST(KBits, MaxAndMin) {
  EXPECT_EQ(KMax(3, -4), 3);
  EXPECT_EQ(KMin(3, -4), -4);
  EXPECT_EQ(KMax(INT32_MIN, INT32_MAX), INT32_MAX);
  EXPECT_EQ(KMin(INT32_MIN, INT32_MAX), INT32_MIN);
}

TEST(KBits, TestBitsIsTrueForAnyMaskedBit) {
  EXPECT_TRUE(KTestBits(0x0Fu, 0x18u));
  EXPECT_FALSE(KTestBits(0x0Fu, 0x30u));
  EXPECT_FALSE(KTestBits(0xFFu, 0u));
  EXPECT_TRUE(KTestBits(int32_t{-1}, int32_t{INT32_MIN}));
}

TEST(KBits, SetBitsSetsAndClearsOnlyTheMask) {
  uint32_t word = 0x0F0;
  KSetBits(word, 0x00Fu, true);
  EXPECT_EQ(word, 0x0FFu);
  KSetBits(word, 0x0F0u, false);
  EXPECT_EQ(word, 0x00Fu);
  int32_t flags = 0;
  KSetBits(flags, INT32_MIN, true);
  EXPECT_EQ(flags, INT32_MIN);
  uint16_t narrow = 0xFFFF;
  KSetBits(narrow, 0x8001, false);  // an int mask on a 16-bit word
  EXPECT_EQ(narrow, 0x7FFE);
  EXPECT_TRUE(KTestBits(narrow, 0x4000));
}

}  // namespace
