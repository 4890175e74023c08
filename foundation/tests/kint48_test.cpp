#include "foundation/kint48.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"

namespace {

constexpr int64_t kMax = KInt48::kMax;
constexpr int64_t kMin = KInt48::kMin;

TEST(KInt48, WordsAreLowFirstTwosComplement) {
  struct Case {
    int64_t value;
    uint16_t low, middle, high;
  };
  const Case cases[] = {
      {0, 0, 0, 0},
      {1, 1, 0, 0},
      {-1, 0xFFFF, 0xFFFF, 0xFFFF},
      {0x123456789ABC, 0x9ABC, 0x5678, 0x1234},
      {kMax, 0xFFFF, 0xFFFF, 0x7FFF},
      {kMin, 0, 0, 0x8000},
      {-80000, 0xC780, 0xFFFE, 0xFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    KInt48 number(c.value);
    EXPECT_EQ(number.Word(0), c.low);
    EXPECT_EQ(number.Word(1), c.middle);
    EXPECT_EQ(number.Word(2), c.high);
    EXPECT_EQ(number.Value(), c.value);
    EXPECT_EQ(KInt48::FromWords(c.low, c.middle, c.high), number);
  }
}

TEST(KInt48, FromInt32KeepsTheValue) {
  for (int32_t value : {0, 1, -1, INT32_MAX, INT32_MIN}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(KInt48(value).Value(), value);
  }
}

TEST(KInt48, ValuesBeyond48BitsKeepTheirLowBits) {
  EXPECT_EQ(KInt48(kMax + 1).Value(), kMin);
  EXPECT_EQ(KInt48(kMin - 1).Value(), kMax);
  EXPECT_EQ(KInt48(int64_t{1} << 48).Value(), 0);
  EXPECT_EQ(KInt48(INT64_MIN).Value(), 0);
  EXPECT_EQ(KInt48(INT64_MAX).Value(), -1);
}

TEST(KInt48, ArithmeticWrapsAtThe48BitEdges) {
  struct Case {
    const char* name;
    KInt48 result;
    int64_t expected;
  };
  const Case cases[] = {
      {"max + 1", KInt48(kMax) + KInt48(1), kMin},
      {"min - 1", KInt48(kMin) - KInt48(1), kMax},
      {"max + max", KInt48(kMax) + KInt48(kMax), -2},
      {"min + min", KInt48(kMin) + KInt48(kMin), 0},
      {"max * 2", KInt48(kMax) * KInt48(2), -2},
      {"min * -1", KInt48(kMin) * KInt48(-1), kMin},
      {"2^24 * 2^24", KInt48(1 << 24) * KInt48(1 << 24), 0},
      {"2^23 * 2^24", KInt48(1 << 23) * KInt48(1 << 24), kMin},
      {"time units", KInt48(3600) * KInt48(80000), 288000000},
      {"negative product", KInt48(-12345) * KInt48(6789), -83810205},
      {"difference", KInt48(1000) - KInt48(250000), -249000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.result.Value(), c.expected);
  }
}

TEST(KInt48, CompoundAssignmentMatchesOperators) {
  KInt48 value(10);
  value += KInt48(5);
  value *= KInt48(-3);
  value -= KInt48(1);
  EXPECT_EQ(value.Value(), -46);
}

TEST(KInt48, OrderFollowsTheSignedValue) {
  EXPECT_LT(KInt48(kMin), KInt48(-1));
  EXPECT_LT(KInt48(-1), KInt48(0));
  EXPECT_LT(KInt48(0), KInt48(kMax));
  EXPECT_GT(KInt48(int64_t{1} << 32), KInt48(INT32_MAX));
  EXPECT_EQ(KInt48(7), KInt48(int64_t{7}));
  EXPECT_NE(KInt48(7), KInt48(-7));
}

TEST(KInt48, DivisionTruncatesTowardZero) {
  struct Case {
    int64_t dividend, divisor, quotient, remainder;
  };
  const Case cases[] = {
      {7, 2, 3, 1},        {-7, 2, -3, -1},    {7, -2, -3, 1},         {-7, -2, 3, -1},
      {kMax, 1, kMax, 0},  {kMax, kMax, 1, 0}, {kMin, 2, kMin / 2, 0}, {kMin, kMax, -1, -1},
      {kMin, -1, kMin, 0},  // +2^47 does not fit: wraps like the words
      {5, 80000, 0, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dividend << " / " << c.divisor);
    KInt48 remainder;
    KInt48 quotient = KInt48(c.dividend).Divide(KInt48(c.divisor), &remainder);
    EXPECT_EQ(quotient.Value(), c.quotient);
    EXPECT_EQ(remainder.Value(), c.remainder);
  }
}

TEST(KInt48, DivisionByZeroThrows) {
  try {
    KInt48(5).Divide(KInt48(0));
    ADD_FAILURE() << "no exception";
  } catch (const KX& failure) {
    EXPECT_EQ(failure.Code(), kErrOperationFailed);
  }
}

TEST(KInt48, RecordIsThreeWordsLowFirstInTheStreamsOrder) {
  struct Case {
    bool bigEndian;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {false, {0xBC, 0x9A, 0x78, 0x56, 0x34, 0x12}},
      {true, {0x9A, 0xBC, 0x56, 0x78, 0x12, 0x34}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bigEndian);
    KMemoryStream stream;
    stream.SetBigEndian(c.bigEndian);
    KInt48(int64_t{0x123456789ABC}).Write(stream);
    EXPECT_EQ(stream.Bytes(), c.bytes);
    KInt48 read;
    read.Read(stream);
    EXPECT_EQ(read.Value(), 0x123456789ABC);
  }
  KMemoryStream shortStream(std::vector<uint8_t>{1, 0, 2, 0});
  KInt48 kept(-5);
  EXPECT_THROW(kept.Read(shortStream), KX);
  EXPECT_EQ(kept.Value(), -5);
}

static_assert(KInt48(kMax).Value() == kMax, "usable in constant expressions");
static_assert((KInt48(2) * KInt48(3)).Value() == 6);

}  // namespace
