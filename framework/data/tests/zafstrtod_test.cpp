#include "framework/data/zafstrtod.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

struct Conversion {
  double value;
  int used;
};

Conversion Convert(const std::u16string& text) {
  ZafIChar* end = nullptr;
  const double value = ZafStrToD(text.c_str(), &end);
  return {value, static_cast<int>(end - text.c_str())};
}

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

TEST(ZafStrToD, RoundsCorrectly) {
  struct Case {
    std::u16string text;
    double expected;
  } cases[] = {
      // 1e22 * 10 rounds twice and misses the nearest double.
      {u"1e23", 1e23},
      {u"0.1", 0.1},
      {u"0.30000000000000000000000000001", 0.3},
      {u"123456789012345678901234567890", 1.2345678901234568e29},
      // 2^53 + 1 lies exactly between two doubles: the even one wins, and any digit beyond tips it.
      {u"9007199254740993", 9007199254740992.0},
      {u"9007199254740993.000000000000000000001", 9007199254740994.0},
      {u"9007199254740995", 9007199254740996.0},
      {u"2.2250738585072011e-308", 2.2250738585072011e-308},
      {u"4.9406564584124654e-324", 4.9406564584124654e-324},
      {u"1.7976931348623157e308", 1.7976931348623157e308},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    const Conversion result = Convert(c.text);
    EXPECT_EQ(result.value, c.expected);
    EXPECT_EQ(result.used, static_cast<int>(c.text.size()));
  }
  // The nearest double lies below ten to the 23rd; the one above it is a classic wrong answer.
  EXPECT_EQ(std::bit_cast<uint64_t>(Convert(u"1e23").value), 0x44B52D02C7E14AF6u);
}

TEST(ZafStrToD, AcceptsOnlyItsOwnSyntax) {
  struct Case {
    std::u16string text;
    double expected;
    int used;
  } cases[] = {
      {u"1,5", 1.0, 1},  // a comma is no decimal point
      {u" \t\n+12.5e-1x", 1.25, 11},
      {u"5e", 5.0, 1},  // 'e' without digits is not part of the number
      {u"5e+", 5.0, 1},
      {u"5E2", 500.0, 3},
      {u"5.", 5.0, 2},
      {u".5", 0.5, 2},
      {u"e5", 0.0, 0},  // nothing converted: the end is the start
      {u".", 0.0, 0},
      {u"-", 0.0, 0},
      {u"+ 1", 0.0, 0},
      {u"", 0.0, 0},
      {u"   ", 0.0, 0},
      {u"inf", 0.0, 0},
      {u"nan", 0.0, 0},
      {u"0x10", 0.0, 1},
      {u"\u00A01", 0.0, 0},  // only tab, line ends and space are skipped
      {u"00012", 12.0, 5},
      {u"1e0000000000000000002", 100.0, 21},  // leading zeros of the exponent do not count
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    const Conversion result = Convert(c.text);
    EXPECT_EQ(result.value, c.expected);
    EXPECT_EQ(result.used, c.used);
  }
}

TEST(ZafStrToD, OverflowUnderflowAndSignedZero) {
  EXPECT_EQ(Convert(u"1e400").value, std::numeric_limits<double>::infinity());
  EXPECT_EQ(Convert(u"-1e400").value, -std::numeric_limits<double>::infinity());
  EXPECT_EQ(Convert(u"1e-400").value, 0.0);
  EXPECT_TRUE(std::signbit(Convert(u"-1e-400").value));
  const Conversion negativeZero = Convert(u"-0.000");
  EXPECT_EQ(negativeZero.value, 0.0);
  EXPECT_TRUE(std::signbit(negativeZero.value));
  EXPECT_EQ(negativeZero.used, 6);
}

TEST(ZafStrToD, LongExponentsAreHeldAt19999) {
  // Nine significant exponent digits, or a value of 20000 and more, count as 19999 (with the sign). With
  // 25001 mantissa digits the held exponent -19999 leaves the value far above the largest double.
  const double infinity = std::numeric_limits<double>::infinity();
  const std::u16string manyDigits = u"1" + std::u16string(25000, u'0');
  EXPECT_EQ(Convert(manyDigits + u"e-24990").value, infinity);
  EXPECT_EQ(Convert(manyDigits + u"e-999999999").value, infinity);
  EXPECT_EQ(Convert(manyDigits + u"e-000000000000000000025001").value, infinity);
  EXPECT_EQ(Convert(manyDigits + u"e-19999").value, infinity);
  EXPECT_EQ(Convert(u"1" + std::u16string(19990, u'0') + u"e-19999").value, 1e-9);
  EXPECT_EQ(Convert(u"1e99999999999999999999").value, infinity);
  EXPECT_EQ(Convert(u"0.0000e99999999999999").value, 0.0);
  EXPECT_EQ(Convert(u"1e-99999999999999999999").used, 23);
}

TEST(ZafAtoF, IgnoresTheEndPosition) {
  EXPECT_EQ(ZafAtoF(u"2.5kg"), 2.5);
  ZafIChar text[] = u"7";
  EXPECT_EQ(ZafStrToD(text, nullptr), 7.0);
}

}  // namespace
