#include "framework/data/zafscanf.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

TEST(ZafSScanf, ReadsIntegersInTheBaseOfTheirConversion) {
  struct Case {
    const char16_t* format;
    const char16_t* text;
    int32_t expected;
  } cases[] = {
      {u"%d", u"  -42", -42},
      {u"%D", u"+17", 17},
      {u"%o", u"17", 15},
      {u"%O", u"777", 511},
      {u"%x", u"ff", 255},
      {u"%X", u"0x1A", 26},
      {u"%u", u"4294967295", -1},
      {u"%i", u"0x1A", 26},
      {u"%i", u"017", 15},
      {u"%i", u"17", 17},
      {u"%d", u"99999999999", INT32_MAX},
      {u"%3d", u"12345", 123},
      {u"%5.2d", u"123456789", 123456789},  // the precision resets the width
      {u"%0d", u"1234567890", 1234567890},
      {u"%k", u"010", 8},  // no handler: read as 'i'
      {u"%ld", u"-7", -7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.format) + " on " + Narrow(c.text));
    int32_t value = 0;
    EXPECT_EQ(ZafSScanf(c.text, c.format, &value), 1);
    EXPECT_EQ(value, c.expected);
  }
}

TEST(ZafSScanf, WidthOf39CharactersAtMost) {
  // 40 digits: the first 39 make one (saturated) number, the 40th is left for the next conversion.
  const std::u16string text = std::u16string(39, u'0') + u"7";
  int32_t first = -1;
  int32_t second = -1;
  EXPECT_EQ(ZafSScanf(text.c_str(), u"%d%d", &first, &second), 2);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 7);
}

TEST(ZafSScanf, CountStoresCharactersConsumedAndAssignsNoField) {
  int32_t value = 0;
  int32_t count = -1;
  EXPECT_EQ(ZafSScanf(u"123", u"%d%n", &value, &count), 1);
  EXPECT_EQ(count, 3);

  int16_t shortCounts[2] = {-1, -1};
  EXPECT_EQ(ZafSScanf(u"  5 x", u"%d %hn", &value, &shortCounts[0]), 1);
  EXPECT_EQ(shortCounts[0], 4);
  EXPECT_EQ(shortCounts[1], -1);

  // A suppressed count takes no argument.
  EXPECT_EQ(ZafSScanf(u"12", u"%*n%d", &value), 1);
  EXPECT_EQ(value, 12);
}

TEST(ZafSScanf, LiteralsAndWhiteSpaceMustMatch) {
  int32_t a = 0;
  int32_t b = 0;
  EXPECT_EQ(ZafSScanf(u"1,2", u"%d,%d", &a, &b), 2);
  EXPECT_EQ(b, 2);
  b = 0;
  EXPECT_EQ(ZafSScanf(u"1 ,2", u"%d,%d", &a, &b), 1);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(ZafSScanf(u"1 \t\u3000 ,2", u"%d ,%d", &a, &b), 2);
  EXPECT_EQ(ZafSScanf(u"50%", u"%d%%", &a), 1);
  EXPECT_EQ(ZafSScanf(u"50%7", u"%d%*%%d", &a, &b), 2);
  EXPECT_EQ(b, 7);
  EXPECT_EQ(ZafSScanf(u"x", u"%d", &a), 0);
}

TEST(ZafSScanf, FormatEndingInsideAConversionGivesMinusOne) {
  int32_t a = 0;
  EXPECT_EQ(ZafSScanf(u"12", u"%d %", &a), -1);
  EXPECT_EQ(ZafSScanf(u"", u"%", &a), -1);
  EXPECT_EQ(ZafSScanf(u"12", u"%5l", &a), -1);
}

TEST(ZafSScanf, SuppressedShortAndPointerStores) {
  int16_t shorts[2] = {0, -1};
  int32_t value = 0;
  EXPECT_EQ(ZafSScanf(u"9 70000", u"%*d %hd", &shorts[0]), 1);
  EXPECT_EQ(shorts[0], 4464);
  EXPECT_EQ(shorts[1], -1);

  void* pointer = nullptr;
  EXPECT_EQ(ZafSScanf(u"beef 5", u"%p %d", &pointer, &value), 2);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(pointer), 0xBEEFu);
  EXPECT_EQ(value, 5);
}

int flagsSeen = 0;
ZafIChar conversionSeen = 0;

int ScanOneCharacter(va_list* arguments, const ZafIChar** input, ZafIChar conversion, int flags, int,
                     const ZafIChar** format) {
  flagsSeen = flags;
  conversionSeen = conversion;
  if (!**input) {
    return -1;
  }
  *va_arg(*arguments, ZafIChar*) = *(*input)++;
  // A handler may consume further format characters of its own.
  if (**format == u'!') {
    ++*format;
  }
  return 1;
}

TEST(ZafSScanfAddConversion, TheTableGrowsPastFortyRows) {
  constexpr int kRows = 45;
  for (int row = 0; row < kRows; ++row) {
    ZafSScanfAddConversion(static_cast<ZafIChar>(0x4E00 + row), ScanOneCharacter);
  }
  for (int row = 0; row < kRows; ++row) {
    SCOPED_TRACE(row);
    const ZafIChar format[] = {u'%', static_cast<ZafIChar>(0x4E00 + row), 0};
    ZafIChar got = 0;
    EXPECT_EQ(ZafSScanf(u"q", format, &got), 1);
    EXPECT_EQ(got, u'q');
  }
}

TEST(ZafSScanfAddConversion, HandlersGetFlagsAndCanConsumeTheFormat) {
  ZafSScanfAddConversion(u'\u4F00', ScanOneCharacter);
  ZafIChar first = 0;
  ZafIChar second = 0;
  EXPECT_EQ(ZafSScanf(u"ab", u"%$,@Zhl\u4F00!%\u4F00", &first, &second), 2);
  EXPECT_EQ(first, u'a');
  EXPECT_EQ(second, u'b');
  EXPECT_EQ(conversionSeen, u'\u4F00');
  EXPECT_EQ(flagsSeen, 0);
  ZafSScanf(u"a", u"%$,@Zhl\u4F00", &first);
  EXPECT_EQ(flagsSeen, ZAF_SCANF_CURRENCY | ZAF_SCANF_GROUPING | ZAF_SCANF_AT | ZAF_SCANF_DATA_OBJECT |
                           ZAF_SCANF_SHORT | ZAF_SCANF_LONG);
  // A handler's failure ends the scan with what was assigned before.
  EXPECT_EQ(ZafSScanf(u"a", u"%\u4F00%\u4F00", &first, &second), 1);
}

TEST(ZafSScanf, UpperCaseConversionWithoutHandlerReadsAsLong) {
  int32_t value = 0;
  EXPECT_EQ(ZafSScanf(u"0x10", u"%K", &value), 1);
  EXPECT_EQ(value, 16);
}

}  // namespace
