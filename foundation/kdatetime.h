#pragma once
// A local date and time as eight 32-bit integers, in this order: year (such as 2026), month (1-12), day of
// the week (0 Sunday to 6 Saturday), day of the month (1-31), hour (0-23), minute, second, millisecond.
// The default value is all zeros; KDateTime(1) is the current local date and time. Its text follows the
// user's short date and time formats (KLocale).

#include <chrono>
#include <compare>
#include <cstdint>

class KLocale;
class KString;

class KDateTime {
 public:
  constexpr KDateTime() = default;
  // Any non-zero argument takes the current local date and time; 0 gives the zero value.
  explicit KDateTime(int32_t now);
  // The local date and time of an instant by the C library's time-zone rules, so that the date, the day of
  // the week and a daylight-saving change come out as the clocks on the wall show them.
  static KDateTime Local(std::chrono::system_clock::time_point instant);

  // Milliseconds since midnight.
  constexpr int32_t MillisecondOfDay() const {
    return ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
  }

  // Append the date, the time, or the date, a blank and the time, in the formats of the process locale or
  // of the given one.
  void AppendDate(KString& text) const;
  void AppendTime(KString& text) const;
  void AppendDateTime(KString& text) const;
  void AppendDate(KString& text, const KLocale& locale) const;
  void AppendTime(KString& text, const KLocale& locale) const;
  void AppendDateTime(KString& text, const KLocale& locale) const;

  // Chronological order; the day of the week follows from the date and is not compared.
  friend constexpr std::strong_ordering operator<=>(const KDateTime& a, const KDateTime& b) {
    return a.Key() <=> b.Key();
  }
  friend constexpr bool operator==(const KDateTime& a, const KDateTime& b) { return a.Key() == b.Key(); }

  int32_t year = 0;
  int32_t month = 0;
  int32_t dayOfWeek = 0;
  int32_t day = 0;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  int32_t millisecond = 0;

 private:
  struct SortKey {
    int32_t year, month, day, hour, minute, second, millisecond;
    friend constexpr auto operator<=>(const SortKey&, const SortKey&) = default;
  };
  constexpr SortKey Key() const { return {year, month, day, hour, minute, second, millisecond}; }
};
