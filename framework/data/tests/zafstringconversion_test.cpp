#include "framework/data/zafstringconversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/data/zafprintf.h"
#include "framework/data/zafscanf.h"
#include "framework/data/zafstringdata.h"

namespace {

TEST(ZafStringPrintf, PadsCutsAndPrintsNull) {
  struct Case {
    const char16_t* format;
    const char16_t* text;
    const char16_t* expected;
  } cases[] = {
      {u"%s", nullptr, u"(null)"},          {u"[%5s]", u"ab", u"[   ab]"},   {u"[%-5s]", u"ab", u"[ab   ]"},
      {u"[%05s]", u"ab", u"[000ab]"},       {u"[%-05s]", u"ab", u"[ab   ]"}, {u"[%.3s]", u"abcdef", u"[abc]"},
      {u"[%6.2s]", u"abcdef", u"[    ab]"}, {u"[%.0s]", u"abc", u"[]"},      {u"[%1s]", u"abc", u"[abc]"},
      {u"%s", u"\u0416!", u"\u0416!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.format, c.format + std::char_traits<char16_t>::length(c.format)));
    ZafIChar buffer[32];
    ZafSPrintf(buffer, c.format, c.text);
    EXPECT_EQ(std::u16string(buffer), c.expected);
  }
  ZafIChar buffer[32];
  ZafSPrintf(buffer, u"[%c|%3c|%-3c]", u'x', u'y', u'\u0416');
  EXPECT_EQ(std::u16string(buffer), u"[x|  y|\u0416  ]");
}

TEST(ZafStringPrintf, DataObjectPrintsItsText) {
  ZafStringData data(u"value");
  ZafIChar buffer[32];
  EXPECT_EQ(data.FormattedText(buffer, 31, u"<%8s>"), 10);
  EXPECT_EQ(std::u16string(buffer), u"<   value>");
  EXPECT_EQ(data.FormattedText(buffer, 31, u"%c"), 1);
  EXPECT_EQ(std::u16string(buffer), u"v");
  ZafStringData none(true);
  EXPECT_EQ(none.FormattedText(buffer, 31, u"[%s]"), 2) << "a data object without text prints nothing";
}

TEST(ZafStringScanf, ReadsWordsCharactersAndSets) {
  struct Case {
    const char16_t* text;
    const char16_t* format;
    int assigned;
    const char16_t* first;
    const char16_t* second;
  } cases[] = {
      {u"  hello world", u"%s%s", 2, u"hello", u"world"},
      {u"hello", u"%3s%s", 2, u"hel", u"lo"},
      {u" ab", u"%c%c", 2, u" ", u"a"},
      {u"abcdef", u"%3c%s", 2, u"abc", u"def"},
      {u"abc123", u"%[a-z]%s", 2, u"abc", u"123"},
      {u"abc123", u"%[^0-9]%[0-9]", 2, u"abc", u"123"},
      {u"]x]y", u"%[]x]%s", 2, u"]x]", u"y"},
      {u"^-^x", u"%[-^]%s", 2, u"^-^", u"x"},
      {u"a-z", u"%[a-]%s", 2, u"a-", u"z"},
      {u"zy-a", u"%[z-a]%s", 2, u"z", u"y-a"},
      {u"123", u"%[a-z]%s", 0, u"", u""},
      {u"", u"%[a-z]", 0, u"", u""},
      {u"ab cd", u"%*s%s", 1, u"cd", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.format, c.format + std::char_traits<char16_t>::length(c.format)));
    ZafIChar first[32] = {};
    ZafIChar second[32] = {};
    const bool suppressed = c.format[1] == u'*';
    const int assigned =
        suppressed ? ZafSScanf(c.text, c.format, first) : ZafSScanf(c.text, c.format, first, second);
    EXPECT_EQ(assigned, c.assigned);
    EXPECT_EQ(std::u16string(first), c.first);
    EXPECT_EQ(std::u16string(second), c.second);
  }
}

TEST(ZafStringScanf, MixesWithIntegersAsTheScannerExpects) {
  int32_t number = 0;
  ZafIChar word[16] = {};
  EXPECT_EQ(ZafSScanf(u"12 abc", u"%d %s", &number, word), 2);
  EXPECT_EQ(number, 12);
  EXPECT_EQ(std::u16string(word), u"abc");
  word[0] = 0;
  EXPECT_EQ(ZafSScanf(u"12 abc", u"%d,%s", &number, word), 1) << "the blank is not the comma";
  EXPECT_EQ(word[0], 0);
}

TEST(ZafStringScanf, BareBufferWithoutWidthTakesAtMostTheDefault) {
  const std::u16string longWord(400, u'x');
  ZafIChar buffer[ZAF_SCANF_BUFFER_DEFAULT + 8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  int32_t consumed = 0;
  EXPECT_EQ(ZafSScanf(longWord.c_str(), u"%s%n", buffer, &consumed), 1);
  EXPECT_EQ(std::u16string(buffer).size(), static_cast<std::size_t>(ZAF_SCANF_BUFFER_DEFAULT));
  EXPECT_EQ(consumed, ZAF_SCANF_BUFFER_DEFAULT);
  EXPECT_EQ(buffer[ZAF_SCANF_BUFFER_DEFAULT + 1], u'#');
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(ZafSScanf(longWord.c_str(), u"%[x]", buffer), 1);
  EXPECT_EQ(buffer[ZAF_SCANF_BUFFER_DEFAULT + 1], u'#');
}

TEST(ZafStringScanf, DataObjectTakesTheWholeText) {
  const std::u16string longWord(400, u'y');
  ZafStringData data;
  EXPECT_TRUE(data.SetTextFormatted((longWord + u" tail").c_str()) == false) << "no format yet";
  data.AddFormat(u"%s");
  EXPECT_TRUE(data.SetTextFormatted((longWord + u" tail").c_str()));
  EXPECT_EQ(std::u16string(data.Text()), longWord) << "no bare buffer: no default bound";
  data.SetFormat(u"<%[^>]>");
  EXPECT_TRUE(data.SetTextFormatted(u"<inner text>"));
  EXPECT_EQ(std::u16string(data.Text()), u"inner text");
}

// Every conversion the data classes register is in the scanner's table: each of the 17 reads its field.
TEST(ZafScanfRegistrations, SeventeenConversionsAnswer) {
  for (ZafIChar conversion : std::u16string(u"dDioOuxX")) {
    SCOPED_TRACE(static_cast<char>(conversion));
    const ZafIChar format[] = {u'%', conversion, 0};
    int32_t value = -1;
    EXPECT_EQ(ZafSScanf(u"17", format, &value), 1);
    EXPECT_GT(value, 0);
  }
  for (ZafIChar conversion : std::u16string(u"efgEFG")) {
    SCOPED_TRACE(static_cast<char>(conversion));
    const ZafIChar format[] = {u'%', u'l', conversion, 0};
    double value = 0;
    EXPECT_EQ(ZafSScanf(u"2.5", format, &value), 1);
    EXPECT_EQ(value, 2.5);
  }
  for (ZafIChar conversion : std::u16string(u"sc[")) {
    SCOPED_TRACE(static_cast<char>(conversion));
    const ZafIChar format[] = {u'%', conversion, u'a', u']', 0};
    ZafIChar value[8] = {};
    EXPECT_EQ(ZafSScanf(u"a]", format, value), 1);
    EXPECT_EQ(value[0], u'a');
  }
}

}  // namespace
