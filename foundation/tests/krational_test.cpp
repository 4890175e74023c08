#include "foundation/krational.h"

#include <gtest/gtest.h>

#include "foundation/kx.h"

namespace {

TEST(KRational, KeptReducedWithTheSignInTheNumerator) {
  struct Case {
    int32_t numerator, denominator;
    int32_t expectedNumerator, expectedDenominator;
  };
  const Case cases[] = {
      {6, 8, 3, 4},
      {-6, 8, -3, 4},
      {6, -8, -3, 4},
      {-6, -8, 3, 4},
      {0, 5, 0, 1},
      {0, -5, 0, 1},
      {7, 1, 7, 1},
      {INT32_MAX, INT32_MAX, 1, 1},
      {INT32_MIN, 2, -1073741824, 1},
      {INT32_MIN, INT32_MIN, 1, 1},
      {2, INT32_MIN, -1, 1073741824},
      {INT32_MIN, -2, 1073741824, 1},
      {INT32_MIN, 1, INT32_MIN, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.numerator << "/" << c.denominator);
    KRational value(c.numerator, c.denominator);
    EXPECT_EQ(value.Numerator(), c.expectedNumerator);
    EXPECT_EQ(value.Denominator(), c.expectedDenominator);
  }
}

TEST(KRational, EqualValuesCompareEqual) {
  EXPECT_EQ(KRational(2, 4), KRational(-1, -2));
  EXPECT_EQ(KRational(3), KRational(9, 3));
  EXPECT_NE(KRational(1, 2), KRational(-1, 2));
  EXPECT_EQ(KRational(), KRational(0, 7));
}

TEST(KRational, UnrepresentableFractionsAreRefused) {
  struct Case {
    const char* name;
    int32_t numerator, denominator;
  };
  const Case cases[] = {
      {"zero denominator", 1, 0},
      {"zero over zero", 0, 0},
      {"denominator 2^31 after moving the sign", 1, INT32_MIN},
      {"numerator 2^31 after moving the sign", INT32_MIN, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      KRational value(c.numerator, c.denominator);
      ADD_FAILURE() << "no exception: " << value.Numerator() << "/" << value.Denominator();
    } catch (const KX& failure) {
      EXPECT_EQ(failure.Code(), kErrOperationFailed);
    }
  }
}

}  // namespace
