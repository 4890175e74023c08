#pragma once
// The pattern form in which the program keeps the user's date and time formats, with its writer (from the
// strftime formats of the system locale) and its reader (a date and time spelled out by a pattern).
//
// Letters: d, dd day; ddd, dddd day name; M, MM month; MMM, MMMM month name; y, yy year of the century (yy
// with two digits); yyy and more the whole year (at least four digits); h, hh 12-hour; H, HH 24-hour; m, mm
// minutes; s, ss seconds (the doubled forms with two digits); t the first character of the AM or PM text, tt
// all of it. Text in single quotes stands as it is; two quotes give one quote; any other character stands
// for itself.

#include "foundation/kstring.h"

class KDateTime;
class KLocale;

class KDatePattern {
 public:
  // Converts a strftime format ("%d.%m.%Y") into a pattern ("dd.MM.yyyy"). `amPmFormat`, itself a strftime
  // format, stands in for %r. Conversions without a pattern equivalent are left out.
  static KString FromStrftime(const KString& format, const KString& amPmFormat);
  // Appends the date and time as the pattern spells it, with the locale's names and AM and PM texts.
  static void Append(KString& text, const KString& pattern, const KDateTime& value, const KLocale& locale);
  // The first character outside quotes that is neither a letter of the pattern nor a blank, such as "." in
  // "dd.MM.yyyy"; the fallback when there is none.
  static KString Separator(const KString& pattern, const char* fallback);
  // True when the pattern shows the hour on the 12-hour clock (h outside quotes).
  static bool UsesTwelveHours(const KString& pattern);
};
