#include "framework/data/zafchar.h"

#include <gtest/gtest.h>

namespace {

TEST(ZafIsSpace, AcceptsExactlyTheSevenRanges) {
  for (ZafIChar character : {0x09, 0x0D, 0x20, 0x85, 0xA0, 0x2000, 0x200B, 0x2028, 0x2029, 0x3000}) {
    SCOPED_TRACE(static_cast<int>(character));
    EXPECT_TRUE(ZafIsSpace(character));
  }
  for (ZafIChar character : {0x00, 0x08, 0x0E, 0x1F, 0x21, 0x84, 0x86, 0x200C, 0x202A, 0x3001}) {
    SCOPED_TRACE(static_cast<int>(character));
    EXPECT_FALSE(ZafIsSpace(character));
  }
}

TEST(ZafCaseTable, MapsEachCasedLetterBothWays) {
  struct Pair {
    ZafIChar upper;
    ZafIChar lower;
  } pairs[] = {
      {u'A', u'a'},     {u'Z', u'z'},     {0x00C0, 0x00E0}, {0x00DE, 0x00FE},
      {0x0100, 0x0101}, {0x0139, 0x013A}, {0x0178, 0x00FF}, {0x017D, 0x017E},
      {0x0391, 0x03B1}, {0x0410, 0x0430}, {0x0400, 0x0450},
  };
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(static_cast<int>(pair.upper));
    EXPECT_TRUE(ZafIsUpper(pair.upper));
    EXPECT_TRUE(ZafIsLower(pair.lower));
    EXPECT_FALSE(ZafIsUpper(pair.lower));
    EXPECT_FALSE(ZafIsLower(pair.upper));
    EXPECT_EQ(ZafToLower(pair.upper), pair.lower);
    EXPECT_EQ(ZafToUpper(pair.lower), pair.upper);
  }
  // Not letters, and the multiplication and division signs inside the Latin-1 letters.
  for (ZafIChar other : {u'1', u'@', u'[', ZafIChar(0x00D7), ZafIChar(0x00F7), ZafIChar(0x03A2)}) {
    SCOPED_TRACE(static_cast<int>(other));
    EXPECT_FALSE(ZafIsUpper(other));
    EXPECT_EQ(ZafToLower(other), other);
    EXPECT_EQ(ZafToUpper(other), other);
  }
  EXPECT_TRUE(ZafIsLower(0x00DF));
  EXPECT_EQ(ZafToUpper(0x00DF), 0x00DF);
  EXPECT_TRUE(ZafIsAlpha(0x00DF));
  EXPECT_FALSE(ZafIsAlpha(u'5'));
}

TEST(ZafDigitValue, KnowsSeveralScriptsAndTheTamilNumerals) {
  struct Case {
    ZafIChar character;
    int value;
  } cases[] = {
      {u'0', 0},     {u'9', 9},      {0x0669, 9}, {0xFF15, 5}, {0x0BEC, 6}, {0x0BF0, 10},
      {0x0BF1, 100}, {0x0BF2, 1000}, {u'a', -1},  {u'/', -1},  {u':', -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.character));
    EXPECT_EQ(ZafDigitValue(c.character), c.value);
    EXPECT_EQ(ZafIsDigit(c.character), c.value >= 0);
  }
}

}  // namespace
