#include "foundation/kdatetime.h"

#include <ctime>

#include "foundation/kdatepattern.h"
#include "foundation/klocale.h"
#include "foundation/kstring.h"

KDateTime::KDateTime(int32_t now) {
  if (now == 0) {
    return;
  }
  timespec clock{};
  clock_gettime(CLOCK_REALTIME, &clock);
  tm local{};
  localtime_r(&clock.tv_sec, &local);
  year = local.tm_year + 1900;
  month = local.tm_mon + 1;
  dayOfWeek = local.tm_wday;
  day = local.tm_mday;
  hour = local.tm_hour;
  minute = local.tm_min;
  // A leap second reads as the last second of the minute.
  second = local.tm_sec < 60 ? local.tm_sec : 59;
  millisecond = static_cast<int32_t>(clock.tv_nsec / 1000000);
}

void KDateTime::AppendDate(KString& text) const {
  AppendDate(text, KLocale::Process());
}
void KDateTime::AppendTime(KString& text) const {
  AppendTime(text, KLocale::Process());
}
void KDateTime::AppendDateTime(KString& text) const {
  AppendDateTime(text, KLocale::Process());
}

void KDateTime::AppendDate(KString& text, const KLocale& locale) const {
  KDatePattern::Append(text, locale.shortDate, *this, locale);
}

void KDateTime::AppendTime(KString& text, const KLocale& locale) const {
  KDatePattern::Append(text, locale.timeFormat, *this, locale);
}

void KDateTime::AppendDateTime(KString& text, const KLocale& locale) const {
  AppendDate(text, locale);
  text.AppendChar(u' ');
  AppendTime(text, locale);
}
