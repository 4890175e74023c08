#include "foundation/kdatetime.h"

#include <ctime>

#include "foundation/kdatepattern.h"
#include "foundation/klocale.h"
#include "foundation/kstring.h"

KDateTime::KDateTime(int32_t now) {
  if (now != 0) {
    *this = Local(std::chrono::system_clock::now());
  }
}

KDateTime KDateTime::Local(std::chrono::system_clock::time_point instant) {
  const auto wholeSeconds = std::chrono::floor<std::chrono::seconds>(instant);
  const time_t seconds = std::chrono::system_clock::to_time_t(wholeSeconds);
  tm local{};
  localtime_r(&seconds, &local);
  KDateTime when;
  when.year = local.tm_year + 1900;
  when.month = local.tm_mon + 1;
  when.dayOfWeek = local.tm_wday;
  when.day = local.tm_mday;
  when.hour = local.tm_hour;
  when.minute = local.tm_min;
  // A leap second reads as the last second of the minute.
  when.second = local.tm_sec < 60 ? local.tm_sec : 59;
  when.millisecond = static_cast<int32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(instant - wholeSeconds).count());
  return when;
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
