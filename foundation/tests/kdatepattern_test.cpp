#include "foundation/kdatepattern.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "foundation/kdatetime.h"
#include "foundation/klocale.h"

namespace {

KDateTime At(int32_t year, int32_t month, int32_t day, int32_t dayOfWeek, int32_t hour, int32_t minute,
             int32_t second) {
  KDateTime value;
  value.year = year;
  value.month = month;
  value.day = day;
  value.dayOfWeek = dayOfWeek;
  value.hour = hour;
  value.minute = minute;
  value.second = second;
  return value;
}

// Saturday 7 March 2026, 04:05:09.
const KDateTime kMorning = At(2026, 3, 7, 6, 4, 5, 9);

std::string Spelled(const char* pattern, const KDateTime& value) {
  KString text;
  KDatePattern::Append(text, KString::FromUtf8(pattern), value, *KLocale::Named("C"));
  return text.ToUtf8();
}

std::string Converted(const char* format, const char* amPmFormat = "%I:%M:%S %p") {
  return KDatePattern::FromStrftime(KString::FromUtf8(format), KString::FromUtf8(amPmFormat)).ToUtf8();
}

TEST(KDatePattern, LettersSpellEveryField) {
  struct Case {
    const char* pattern;
    const char* text;
  };
  const Case cases[] = {
      {"dddd, MMMM d, yyyy", "Saturday, March 7, 2026"},
      {"ddd dd MMM", "Sat 07 Mar"},
      {"M/d/yy", "3/7/26"},
      {"HH:mm:ss", "04:05:09"},
      {"H h hh m s", "4 4 04 5 9"},
      {"h:mm t", "4:05 A"},
      {"h:mm tt", "4:05 AM"},
      {"d-M-yyyy", "7-3-2026"},
      {"'Day' d", "Day 7"},
      {"'it''s' d", "it's 7"},
      {"''d''", "'7'"},
      {"'open d", "open d"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Spelled(c.pattern, kMorning), c.text);
  }
}

TEST(KDatePattern, ShortYearsAndOutOfRangeFields) {
  EXPECT_EQ(Spelled("y|yy|yyyy", At(2005, 1, 1, 6, 0, 0, 0)), "5|05|2005");
  EXPECT_EQ(Spelled("y|yy|yyyy", At(999, 1, 1, 6, 0, 0, 0)), "99|99|0999");
  // The zero value has no month name, and no field may read outside the name tables.
  EXPECT_EQ(Spelled("[MMM][dddd] M/d/yyyy", KDateTime()), "[][Sunday] 0/0/0000");
  KDateTime garbage = At(INT32_MIN, 13, -5, 9, INT32_MIN, -1, 99);
  EXPECT_EQ(Spelled("MMMM ddd d yyyy", garbage), "  -5 -2147483648");
  EXPECT_EQ(Spelled("H:mm:ss", garbage), "-2147483648:-01:99");
}

TEST(KDatePattern, StrftimeFormatsBecomePatterns) {
  struct Case {
    const char* format;
    const char* pattern;
  };
  const Case cases[] = {
      {"%d.%m.%Y", "dd.MM.yyyy"},
      {"%m/%d/%y", "MM/dd/yy"},
      {"%D", "MM/dd/yy"},
      {"%F", "yyyy-MM-dd"},
      {"%-d.%-m.%Y", "d.M.yyyy"},
      {"%e %b %Y", "d MMM yyyy"},
      {"%A, %B %d", "dddd, MMMM dd"},
      {"%a %h", "ddd MMM"},
      {"%T", "HH:mm:ss"},
      {"%R", "HH:mm"},
      {"%k:%M", "H:mm"},
      {"%l:%M %P", "h:mm tt"},
      {"%r", "hh:mm:ss tt"},
      {"%Ey/%Od", "yy/dd"},
      {"%Hh%M", "HH'h'mm"},
      {"it's %d", "'it''s 'dd"},
      {"100%% %d", "100% dd"},
      {"%Q%d", "dd"},
      {"%d%", "dd"},
      {"%Y年%m月%d日", "yyyy年MM月dd日"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(Converted(c.format), c.pattern);
  }
}

TEST(KDatePattern, ConvertedLiteralsSpellBackUnchanged) {
  for (const char* format : {"it's %d", "%Hh%M", "'%d'", "x''y %m", "''%d", "'x' %d"}) {
    SCOPED_TRACE(format);
    std::string pattern = Converted(format);
    std::string expected = format;
    for (auto [conversion, value] : {std::pair{"%d", "07"}, {"%H", "04"}, {"%M", "05"}, {"%m", "03"}}) {
      size_t at = expected.find(conversion);
      if (at != std::string::npos) {
        expected.replace(at, 2, value);
      }
    }
    EXPECT_EQ(Spelled(pattern.c_str(), kMorning), expected);
  }
}

TEST(KDatePattern, TwelveHourFormatStandsInForR) {
  EXPECT_EQ(Converted("%r", "%I.%M %p"), "hh.mm tt");
  // A 12-hour format that itself names %r is not followed again.
  EXPECT_EQ(Converted("%r", "%r|%H"), "|HH");
}

TEST(KDatePattern, SeparatorAndClockOfAPattern) {
  struct Case {
    const char* pattern;
    const char* separator;
    bool twelveHours;
  };
  const Case cases[] = {
      {"dd.MM.yyyy", ".", false},  {"M/d/yyyy", "/", false}, {"yyyy-MM-dd", "-", false},
      {"h:mm:ss tt", ":", true},   {"HH:mm:ss", ":", false}, {"'h'HH.mm", ".", false},
      {"dd MMM yyyy", "?", false}, {"'x:' h", "?", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(KDatePattern::Separator(KString::FromUtf8(c.pattern), "?").ToUtf8(), c.separator);
    EXPECT_EQ(KDatePattern::UsesTwelveHours(KString::FromUtf8(c.pattern)), c.twelveHours);
  }
}

}  // namespace
