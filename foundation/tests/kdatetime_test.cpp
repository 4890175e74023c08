#include "foundation/kdatetime.h"

#include <gtest/gtest.h>

#include <ctime>

#include "foundation/klocale.h"
#include "foundation/kstring.h"

namespace {

KDateTime At(int32_t year, int32_t month, int32_t day, int32_t dayOfWeek, int32_t hour, int32_t minute,
             int32_t second, int32_t millisecond) {
  KDateTime value;
  value.year = year;
  value.month = month;
  value.day = day;
  value.dayOfWeek = dayOfWeek;
  value.hour = hour;
  value.minute = minute;
  value.second = second;
  value.millisecond = millisecond;
  return value;
}

// Saturday 7 March 2026, 04:05:09.123.
const KDateTime kMorning = At(2026, 3, 7, 6, 4, 5, 9, 123);

KLocale Named(const char* name) {
  std::optional<KLocale> locale = KLocale::Named(name);
  if (!locale) {
    ADD_FAILURE() << name << " is not installed (scripts/setup generates de_DE.UTF-8)";
    return *KLocale::Named("C");
  }
  return *locale;
}

std::string DateText(const KDateTime& value, const KLocale& locale) {
  KString text;
  value.AppendDate(text, locale);
  return text.ToUtf8();
}
std::string TimeText(const KDateTime& value, const KLocale& locale) {
  KString text;
  value.AppendTime(text, locale);
  return text.ToUtf8();
}
std::string DateTimeText(const KDateTime& value, const KLocale& locale) {
  KString text("at ");
  value.AppendDateTime(text, locale);
  return text.ToUtf8();
}

TEST(KDateTime, TextInTheCLocale) {
  KLocale locale = Named("C");
  EXPECT_EQ(DateText(kMorning, locale), "3/7/2026");
  EXPECT_EQ(TimeText(kMorning, locale), "4:05:09 AM");
  EXPECT_EQ(DateTimeText(kMorning, locale), "at 3/7/2026 4:05:09 AM");
}

TEST(KDateTime, TextInGerman) {
  KLocale locale = Named("de_DE.UTF-8");
  EXPECT_EQ(DateText(kMorning, locale), "07.03.2026");
  EXPECT_EQ(TimeText(kMorning, locale), "04:05:09");
  EXPECT_EQ(DateTimeText(kMorning, locale), "at 07.03.2026 04:05:09");
}

TEST(KDateTime, TwelveHourClockAroundNoonAndMidnight) {
  KLocale locale = Named("C");
  struct Case {
    int32_t hour;
    const char* text;
  };
  const Case cases[] = {{0, "12:05:09 AM"},  {1, "1:05:09 AM"},  {11, "11:05:09 AM"},
                        {12, "12:05:09 PM"}, {13, "1:05:09 PM"}, {23, "11:05:09 PM"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hour);
    EXPECT_EQ(TimeText(At(2026, 3, 7, 6, c.hour, 5, 9, 0), locale), c.text);
  }
}

TEST(KDateTime, MillisecondOfDay) {
  EXPECT_EQ(KDateTime().MillisecondOfDay(), 0);
  EXPECT_EQ(kMorning.MillisecondOfDay(), ((4 * 60 + 5) * 60 + 9) * 1000 + 123);
  EXPECT_EQ(At(2026, 1, 1, 4, 23, 59, 59, 999).MillisecondOfDay(), 86399999);
}

TEST(KDateTime, OrderIsChronologicalAndIgnoresTheWeekday) {
  KDateTime later = kMorning;
  later.millisecond += 1;
  EXPECT_LT(kMorning, later);
  KDateTime nextYear = At(2027, 1, 1, 5, 0, 0, 0, 0);
  EXPECT_LT(later, nextYear);
  KDateTime sameWithOtherWeekday = kMorning;
  sameWithOtherWeekday.dayOfWeek = 2;
  EXPECT_EQ(kMorning, sameWithOtherWeekday);
}

TEST(KDateTime, ConstructedWithOneHoldsTheLocalTimeNow) {
  time_t before = time(nullptr);
  KDateTime now(1);
  time_t after = time(nullptr);
  tm local{};
  localtime_r(&before, &local);
  tm localAfter{};
  localtime_r(&after, &localAfter);
  // Within the same minute unless the clock passed a minute boundary between the reads.
  if (local.tm_min == localAfter.tm_min) {
    EXPECT_EQ(now.year, local.tm_year + 1900);
    EXPECT_EQ(now.month, local.tm_mon + 1);
    EXPECT_EQ(now.day, local.tm_mday);
    EXPECT_EQ(now.dayOfWeek, local.tm_wday);
    EXPECT_EQ(now.hour, local.tm_hour);
    EXPECT_EQ(now.minute, local.tm_min);
  }
  EXPECT_GE(now.millisecond, 0);
  EXPECT_LT(now.millisecond, 1000);
  EXPECT_EQ(KDateTime(0), KDateTime());
}

}  // namespace
