#include "framework/data/zafcollate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Narrow(const char16_t* text) {
  std::string out;
  for (; *text; ++text) {
    out += *text < 0x80 ? static_cast<char>(*text) : '?';
  }
  return out;
}

TEST(ZafStrColl, OrdersByLetterThenAccentThenCaseThenPunctuation) {
  struct Case {
    const char16_t* first;
    const char16_t* second;
  } before[] = {
      {u"a", u"B"},              // primary weights decide first
      {u"e", u"\u00E9"},         // then the accent
      {u"a", u"A"},              // then the case
      {u"ab", u"a-c"},           // punctuation counts only after all letters
      {u"co-op", u"coop-"},      // and then by its position
      {u"9", u"a"},              // digits before letters
      {u"\u00E6", u"af"},        // the ligature sorts as a then e
      {u"\u00E9e", u"e\u00E9"},  // accents compare from the end of the text
  };
  for (const Case& c : before) {
    SCOPED_TRACE(Narrow(c.first) + " < " + Narrow(c.second));
    EXPECT_LT(ZafStrColl(c.first, c.second), 0);
    EXPECT_GT(ZafStrColl(c.second, c.first), 0);
  }
  EXPECT_EQ(ZafStrColl(u"same", u"same"), 0);
}

TEST(ZafStrXfrm, BuildsTheFourKeysInOrder) {
  ZafIChar key[32];
  // "Ab-": primary a b, secondary reversed 15 15, tertiary 10 7, then position 3 with weight 36 for '-'.
  ASSERT_EQ(ZafStrXfrm(key, u"Ab-", 32), 8);
  const std::u16string expected = {97, 98, 15, 15, 10, 7, 3, 36};
  EXPECT_EQ(std::u16string(key), expected);
}

TEST(ZafStrXfrm, WritesNothingWhenTheKeyDoesNotFit) {
  ZafIChar key[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(ZafStrXfrm(key, u"ab", 6), 6);
  EXPECT_EQ(key[0], u'x');
  EXPECT_EQ(ZafStrXfrm(key, u"ab", 4), 6);
  EXPECT_EQ(key[0], u'x');
}

TEST(ZafStrXfrm, SharpSExpandsToTwoWeights) {
  ZafIChar key[32];
  // Letter row (115, 17, 7) then expansion row (115, 17, 7).
  ASSERT_EQ(ZafStrXfrm(key, u"\u00DF", 32), 6);
  const std::u16string expected = {115, 115, 17, 17, 7, 7};
  EXPECT_EQ(std::u16string(key), expected);
}

}  // namespace
