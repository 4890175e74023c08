#include "framework/data/zafstrlib.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(ZafStrNCpy, PadsShortSourceAndLeavesLongSourceUnterminated) {
  ZafIChar buffer[6];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  ZafStrNCpy(buffer, u"ab", 5);
  EXPECT_EQ(std::u16string(buffer, 6), std::u16string(u"ab\0\0\0#", 6));

  std::fill(std::begin(buffer), std::end(buffer), u'#');
  ZafStrNCpy(buffer, u"abcde", 5);
  EXPECT_EQ(std::u16string(buffer, 6), u"abcde#");
}

TEST(ZafStrNCat, AppendsAtMostNAndAlwaysTerminates) {
  ZafIChar buffer[10] = u"ab";
  ZafStrNCat(buffer, u"cdef", 2);
  EXPECT_EQ(std::u16string(buffer), u"abcd");
  ZafStrCat(buffer, u"xy");
  EXPECT_EQ(std::u16string(buffer), u"abcdxy");
}

TEST(ZafStrCmp, ComparesAsSigned16BitAndReturnsTheDifference) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    int expected;
  } cases[] = {
      {u"abc", u"abc", 0},
      {u"ab", u"abc", -'c'},
      {u"abc", u"ab", 'c'},
      {u"ABC", u"abc", 'A' - 'a'},
      // 0x8000 and above are negative, so they sort before ASCII.
      {u"\x8000", u"a", -0x8000 - 'a'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a, c.a + std::char_traits<char16_t>::length(c.a)));
    EXPECT_EQ(ZafStrCmp(c.a, c.b), c.expected);
  }
}

TEST(ZafStrNCmp, ComparesUnsignedAndStopsAfterN) {
  EXPECT_EQ(ZafStrNCmp(u"abcX", u"abcY", 3), 0);
  EXPECT_LT(ZafStrNCmp(u"abcX", u"abcY", 4), 0);
  EXPECT_GT(ZafStrNCmp(u"\x8000", u"a", 1), 0);
  EXPECT_EQ(ZafStrNCmpWide(u"ab", u"ab", 10), 0);
}

TEST(ZafStrICmp, IgnoresCaseOfTheCaseTable) {
  EXPECT_EQ(ZafStrICmp(u"ABC", u"abc"), 0);
  EXPECT_NE(ZafStrCmp(u"ABC", u"abc"), 0);
  EXPECT_EQ(ZafStrICmp(u"\u00C9T\u00C9", u"\u00E9t\u00E9"), 0);
  EXPECT_LT(ZafStrICmp(u"abc", u"ABD"), 0);
  EXPECT_EQ(ZafStrNICmp(u"ABCx", u"abcy", 3), 0);
  EXPECT_NE(ZafStrNICmp(u"ABCx", u"abcy", 4), 0);
}

TEST(ZafStrCmpNullSafe, HandlesNullOnEitherSide) {
  EXPECT_EQ(ZafStrCmpNullSafe(nullptr, nullptr), 0);
  EXPECT_EQ(ZafStrCmpNullSafe(nullptr, u"b"), -'b');
  EXPECT_EQ(ZafStrCmpNullSafe(u"a", nullptr), 'a');
  EXPECT_GT(ZafStrCmpNullSafe(u"\x8000", u"a"), 0);
}

TEST(ZafStrCmpNarrow, MatchesLowBytesAgainstNarrowText) {
  EXPECT_EQ(ZafStrCmpNarrow(u"abc", "abc"), 0);
  EXPECT_EQ(ZafStrCmpNarrow(u"ab", "abc"), -'c');
  EXPECT_EQ(ZafStrCmpNarrow(nullptr, "b"), -'b');
  EXPECT_EQ(ZafStrCmpNarrow(u"a", nullptr), 'a');
  EXPECT_EQ(ZafStrCmpNarrow(nullptr, nullptr), 0);
  // Narrow bytes count as signed.
  EXPECT_EQ(ZafStrCmpNarrowNarrow("\xE9", "a"), static_cast<signed char>('\xE9') - 'a');
  EXPECT_EQ(ZafStrCmpNarrowNarrow(nullptr, "a"), -'a');
}

TEST(ZafStrSearch, FindsCharactersSetsAndPatterns) {
  const ZafIChar* text = u"abcabd";
  EXPECT_EQ(ZafStrChr(text, u'b'), text + 1);
  EXPECT_EQ(ZafStrRChr(text, u'b'), text + 4);
  EXPECT_EQ(ZafStrChr(text, 0), text + 6);
  EXPECT_EQ(ZafStrRChr(text, 0), text + 6);
  EXPECT_EQ(ZafStrChr(text, u'z'), nullptr);
  EXPECT_EQ(ZafStrPBrk(text, u"dc"), text + 2);
  EXPECT_EQ(ZafStrPBrk(text, u"xyz"), nullptr);
  EXPECT_EQ(ZafStrCSpn(text, u"dc"), 2);
  EXPECT_EQ(ZafStrCSpn(text, u"xyz"), 6);
  // Last occurrences: a at 3, b at 4; the smallest is 3.
  EXPECT_EQ(ZafStrRCSpn(text, u"ba"), 3);
  EXPECT_EQ(ZafStrRCSpn(text, u"xyz"), 6);
  EXPECT_EQ(ZafStrStr(text, u"abd"), text + 3);
  EXPECT_EQ(ZafStrStr(text, u""), text);
  EXPECT_EQ(ZafStrStr(text, u"abe"), nullptr);
}

TEST(ZafStrTok, KeepsOneSavedPositionAndGivesOneEmptyTokenForTrailingDelimiters) {
  struct Case {
    const char16_t* text;
    std::vector<std::u16string> tokens;
  } cases[] = {
      {u"a,b,,", {u"a", u"b", u""}},
      {u"a,b,", {u"a", u"b"}},
      {u",,a", {u"a"}},
      {u"", {}},
  };
  for (const Case& c : cases) {
    std::u16string text = c.text;
    SCOPED_TRACE(testing::Message() << "case with " << text.size() << " characters");
    std::vector<std::u16string> tokens;
    for (ZafIChar* token = ZafStrTok(text.data(), u","); token; token = ZafStrTok(nullptr, u",")) {
      tokens.emplace_back(token);
      ASSERT_LE(tokens.size(), 5u);
    }
    EXPECT_EQ(tokens, c.tokens);
    EXPECT_EQ(ZafStrTok(nullptr, u","), nullptr);
  }
}

TEST(ZafStrCase, ConvertsInPlaceThroughTheCaseTable) {
  std::u16string text = u"Mixed \u00C0\u00E9 \u0141\u0142 1";
  ZafStrUpr(text.data());
  EXPECT_EQ(text, u"MIXED \u00C0\u00C9 \u0141\u0141 1");
  ZafStrLwr(text.data());
  EXPECT_EQ(text, u"mixed \u00E0\u00E9 \u0142\u0142 1");
}

TEST(ZafStrDup, CopiesAndPassesNullThrough) {
  std::unique_ptr<ZafIChar[]> copy(ZafStrDup(u"abc"));
  EXPECT_EQ(std::u16string(copy.get()), u"abc");
  EXPECT_EQ(ZafStrDup(nullptr), nullptr);
  EXPECT_EQ(ZafStrLen(u""), 0);
}

TEST(ZafStrRepcAndStripChar, EditInPlaceAndIgnoreNull) {
  std::u16string text = u"a-b-c";
  ZafStrRepc(text.data(), u'-', u'+');
  EXPECT_EQ(std::u16string(text.c_str()), u"a+b+c");
  ZafStrStripChar(text.data(), u'+');
  EXPECT_EQ(std::u16string(text.c_str()), u"abc");
  ZafStrRepc(nullptr, u'a', u'b');
  ZafStrStripChar(nullptr, u'a');
}

TEST(ZafWildCardMatch, MatchesStarsAndQuestionMarks) {
  struct Case {
    const char16_t* string;
    const char16_t* pattern;
    bool matches;
  } cases[] = {
      {u"i18n.znc", u"*.znc", true},
      {u"i18n.znd", u"*.znc", false},
      {u"abc", u"a?c", true},
      {u"ac", u"a?c", false},
      {u"", u"*", true},
      {u"", u"**", true},
      {u"abc", u"a**", true},
      {u"abc", u"ABC", false},
      {u"a.b.c", u"*.c", true},
      {u"abab", u"*ab", true},
      {u"abc", u"*?c", true},
      {u"abc", u"abcd", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern, c.pattern + std::char_traits<char16_t>::length(c.pattern)));
    EXPECT_EQ(ZafWildCardMatch(c.string, c.pattern) == 0, c.matches);
  }
}

TEST(ZafIToA, WritesDigitsSignAndPadding) {
  struct Case {
    ZafLong value;
    int radix;
    int width;
    const char16_t* expected;
  } cases[] = {
      {255, 16, 0, u"ff"},
      {-5, 10, 0, u"-5"},
      {7, 10, 3, u"007"},
      {0, 10, 0, u"0"},
      {-5, 10, 3, u"-005"},
      {-1, 16, 0, u"ffffffff"},
      {INT32_MIN, 10, 0, u"-2147483648"},
      {5, 2, 0, u"101"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    ZafIChar buffer[48];
    EXPECT_EQ(std::u16string(ZafIToA(c.value, buffer, c.radix, c.width)), c.expected);
  }
}

}  // namespace
