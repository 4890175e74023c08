#pragma once
// The user's number, currency, date and time conventions, read from the process locale (or a named one)
// without changing it. The framework's locale defaults, the log and every printed date take their formats
// from here. The "C" and "POSIX" locales give fixed United States English values, so output is the same on
// every machine that has not chosen a locale.

#include <cstdint>
#include <optional>
#include <string>

#include "foundation/kstring.h"

class KLocale {
 public:
  // The values of the process locale's current LC_NUMERIC, LC_MONETARY and LC_TIME categories. Calling
  // setlocale(LC_ALL, "") at start-up, so that these follow the user's environment, is the program's affair.
  static KLocale Process();
  // The values of a named locale ("de_DE.UTF-8"); none when the system does not have it.
  static std::optional<KLocale> Named(const std::string& name);

  // Numbers.
  KString decimalSeparator = ".";
  KString thousandsSeparator = ",";
  // Digit group sizes from the decimal point leftward, separated by ";"; a final ";0" repeats the last size
  // for every further group ("3;0" groups every three digits, "3" only the first three, "0" never).
  KString grouping = "3;0";

  // Currency.
  KString currencySymbol = "$";
  // Where the symbol stands beside a positive amount: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
  int32_t currencyPosition = 0;
  int32_t currencyDigits = 2;
  // The form of a negative amount: 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", 6 "1-$",
  // 7 "1$-", 8 "-1 $", 9 "-$ 1", 10 "1 $-".
  int32_t negativeCurrency = 0;

  // Dates and times as patterns (see KDatePattern), such as "M/d/yyyy" and "h:mm:ss tt".
  KString shortDate = "M/d/yyyy";
  KString dateSeparator = "/";
  KString timeFormat = "h:mm:ss tt";
  KString timeSeparator = ":";
  bool hours24 = false;
  KString amText = "AM";
  KString pmText = "PM";
  KString monthNames[12];
  KString monthAbbreviations[12];
  // Sunday first.
  KString dayNames[7];
  KString dayAbbreviations[7];

 private:
  KLocale();
};
