#include "framework/data/zafprintf.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

template <typename... Arguments>
std::u16string Print(const ZafIChar* format, Arguments... arguments) {
  ZafIChar buffer[256];
  const int count = ZafSNPrintf(buffer, 256, format, arguments...);
  EXPECT_EQ(count, static_cast<int>(std::char_traits<char16_t>::length(buffer)));
  return buffer;
}

TEST(ZafSPrintf, FallbackAndPercentSignsPrintTheCharacterPadded) {
  EXPECT_EQ(Print(u"100%%"), u"100%");
  EXPECT_EQ(Print(u"[%5%]"), u"[    %]");
  EXPECT_EQ(Print(u"[%-3k]"), u"[k  ]");
  EXPECT_EQ(Print(u"[%03k]"), u"[00k]");
  EXPECT_EQ(Print(u"[%-03k]"), u"[k  ]");
  EXPECT_EQ(Print(u"ab%"), u"ab");
  EXPECT_EQ(Print(u"ab%-5"), u"ab");
}

TEST(ZafSPrintf, IntegerFlagsWidthsAndPrecisions) {
  struct Case {
    const char16_t* format;
    long long value;
    const char16_t* expected;
  } cases[] = {
      {u"%d", -42, u"-42"},
      {u"%i", 7, u"7"},
      {u"%+d", 5, u"+5"},
      {u"% d", 5, u" 5"},
      {u"% +d", 5, u"+5"},
      {u"%+ d", 5, u"+5"},
      {u"% u", 5, u"5"},
      {u"%05d", -42, u"-0042"},
      {u"%-05d|", 42, u"42   |"},
      {u"%6d", 42, u"    42"},
      {u"%.3d", 5, u"005"},
      {u"%06.3d", 5, u"   005"},
      {u"%.0d", 0, u""},
      {u"%.d", 0, u""},
      {u"%#o", 8, u"010"},
      {u"%#o", 0, u"0"},
      {u"%o", 8, u"10"},
      {u"%#x", 255, u"0xff"},
      {u"%#X", 255, u"0XFF"},
      {u"%#x", 0, u"0"},
      {u"%x", -1, u"ffffffff"},
      {u"%u", -1, u"4294967295"},
      {u"%ld", INT32_MIN, u"-2147483648"},
      {u"%hd", 70000, u"4464"},
      {u"%hu", -1, u"65535"},
      {u"%,d", 1234567, u"1,234,567"},
      {u"%,d", -1000, u"-1,000"},
      {u"%,d", 999, u"999"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.format));
    EXPECT_EQ(Print(c.format, static_cast<int>(c.value)), c.expected);
  }
}

TEST(ZafSPrintf, QuadSizeTakesA64BitArgument) {
  EXPECT_EQ(Print(u"%qd", static_cast<long long>(INT64_MIN)), u"-9223372036854775808");
  EXPECT_EQ(Print(u"%qu %d", static_cast<long long>(-1), 3), u"18446744073709551615 3");
}

TEST(ZafSPrintf, StarTakesWidthAndPrecisionFromTheArguments) {
  EXPECT_EQ(Print(u"[%*d]", -4, 7), u"[7   ]");
  EXPECT_EQ(Print(u"[%*d]", 4, 7), u"[   7]");
  EXPECT_EQ(Print(u"[%.*d]", -3, 5), u"[5]");
  EXPECT_EQ(Print(u"[%.*d]", 3, 5), u"[005]");
  EXPECT_EQ(Print(u"[%*.*d]", 5, 2, 1), u"[   01]");
}

TEST(ZafSPrintf, PointerPrintsAllItsBitsAfter0x) {
  int target = 0;
  char expected[64];
  std::snprintf(expected, sizeof expected, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&target)));
  EXPECT_EQ(Narrow(Print(u"%p", static_cast<void*>(&target))), expected);
}

TEST(ZafSPrintf, CountConversionStoresWhatWasWrittenSoFar) {
  int16_t shortCounts[2] = {-1, -1};
  int32_t count = -1;
  EXPECT_EQ(Print(u"abc%hn%d%n", &shortCounts[0], 42, &count), u"abc42");
  EXPECT_EQ(shortCounts[0], 3);
  EXPECT_EQ(shortCounts[1], -1);  // a 16-bit store touches nothing beyond
  EXPECT_EQ(count, 5);
}

TEST(ZafSNPrintf, NeverWritesPastTheCapacityAndReportsTheWholeLength) {
  ZafIChar buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(ZafSNPrintf(buffer, 5, u"%d", 123456), 6);
  EXPECT_EQ(std::u16string(buffer), u"1234");
  EXPECT_EQ(buffer[5], u'#');

  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(ZafSNPrintf(buffer, 1, u"abc"), 3);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], u'#');
}

TEST(ZafSNPrintf, HugeWidthsAreHeldToTheFieldLimit) {
  ZafIChar buffer[4];
  EXPECT_EQ(ZafSNPrintf(buffer, 4, u"%99999999d", 1), ZAF_PRINTF_MAX_FIELD);
  EXPECT_EQ(ZafSNPrintf(buffer, 4, u"%*d", INT32_MIN, 1), ZAF_PRINTF_MAX_FIELD);
  EXPECT_EQ(std::u16string(buffer), u"1  ");
}

TEST(ZafSPrintf, AnArrayBufferBoundsTheOutput) {
  ZafIChar small[4];
  EXPECT_EQ(ZafSPrintf(small, u"%d", 123456), 6);
  EXPECT_EQ(std::u16string(small), u"123");

  ZafIChar large[16];
  ZafIChar* pointer = large;
  EXPECT_EQ(ZafSPrintf(pointer, u"%k%d", 5), 2);
  EXPECT_EQ(std::u16string(large), u"k5");
}

void PrintStars(va_list* arguments, ZafPrintfOutput& output, ZafIChar, int flags, int width, int) {
  const int count = va_arg(*arguments, int);
  output.PutField(u"<", std::u16string(count, u'*'), flags, width);
}

TEST(ZafSPrintfAddConversion, RegisteredHandlersReceiveTheirArgumentsAndFlags) {
  ZafSPrintfAddConversion(u'\u4E00', PrintStars);
  EXPECT_EQ(Print(u"%\u4E00|%06\u4E00|%-5\u4E00|", 2, 3, 1), u"<**|<00***|<*   |");
}

}  // namespace
