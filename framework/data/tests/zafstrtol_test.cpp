#include "framework/data/zafstrtol.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

TEST(ZafStrToL, ReadsBasesPrefixesAndSaturates) {
  struct Case {
    std::u16string text;
    int base;
    ZafLong expected;
    int used;
  } cases[] = {
      {u"0x1A", 0, 26, 4},
      {u"017", 0, 15, 3},
      {u"17", 0, 17, 2},
      {u"0", 0, 0, 1},
      {u"99999999999", 10, INT32_MAX, 11},
      {u"2147483647", 10, INT32_MAX, 10},
      {u"-2147483648", 10, INT32_MIN, 11},
      {u"-2147483649", 10, INT32_MIN, 11},
      {u"  \u3000-12abc", 10, -12, 6},
      {u"ff", 16, 255, 2},
      {u"0XfF", 16, 255, 4},
      {u"zz", 36, 1295, 2},
      {u"19", 8, 1, 1},
      {u"x", 10, 0, 0},
      {u"-", 10, 0, 0},
      {u"0x", 0, 0, 0},               // a prefix without digits takes nothing
      {u"\uFF11\uFF12", 10, 12, 2},   // full-width digits
      {u"\u0BE9\u0BF1", 10, 300, 2},  // Tamil three hundred: the hundred scales what came before
      {u"\u00C0", 36, 0, 0},          // a letter whose value is beyond every base ends the number
      {u"12", 1, 0, 0},               // no such base
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    ZafIChar* end = nullptr;
    EXPECT_EQ(ZafStrToL(c.text.c_str(), &end, c.base), c.expected);
    EXPECT_EQ(end - c.text.c_str(), c.used);
  }
}

TEST(ZafStrToUL, SaturatesAtAllOnesAndNegatesOtherwise) {
  struct Case {
    std::u16string text;
    ZafULong expected;
  } cases[] = {
      {u"4294967295", 0xFFFFFFFFu},  {u"4294967296", 0xFFFFFFFFu}, {u"-1", 0xFFFFFFFFu},
      {u"-4294967296", 0xFFFFFFFFu}, {u"3000000000", 3000000000u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    EXPECT_EQ(ZafStrToUL(c.text.c_str(), nullptr, 10), c.expected);
  }
}

TEST(ZafAtoI, ReadsDecimalOnly) {
  EXPECT_EQ(ZafAtoI(u"99999999999"), INT32_MAX);
  EXPECT_EQ(ZafAtoI(u"010"), 10);
  EXPECT_EQ(ZafAtoL(u"-0x10"), 0);
}

}  // namespace
