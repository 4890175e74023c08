#include "foundation/klocale.h"

#include <langinfo.h>
#include <locale.h>

#include <climits>
#include <cstring>
#include <iterator>
#include <string_view>

#include "foundation/kdatepattern.h"

namespace {

constexpr const char* kEnglishMonths[12] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
constexpr const char* kEnglishDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};

// The "Negative amount" forms by (blank between symbol and amount, symbol first, sign position), with the
// sign positions of localeconv: 0 parentheses, 1 before all, 2 after all, 3 just before the symbol, 4 just
// after it. The form number is the index.
struct NegativeForm {
  int separated;
  int symbolFirst;
  int signPosition;
};
constexpr NegativeForm kNegativeForms[] = {{0, 1, 0}, {0, 1, 1}, {0, 1, 3}, {0, 1, 2}, {0, 0, 0}, {0, 0, 1},
                                           {0, 0, 4}, {0, 0, 2}, {1, 0, 1}, {1, 1, 1}, {1, 0, 2}};

bool IsFixedEnglishLocale(std::string_view name) {
  return name == "C" || name == "POSIX" || name.starts_with("C.");
}

// A locale's text in its category's character set, as 16-bit text.
KString Decode(const char* text, const char* codeset) {
  if (std::strcmp(codeset, "UTF-8") == 0) {
    return KString::FromUtf8(text);
  }
  // Other character sets are read byte by byte, as the program reads all 8-bit text.
  KString result;
  result.AppendNarrow(text);
  return result;
}

// A one-byte numeric item of LC_MONETARY; CHAR_MAX (and a negative byte) means the locale does not say.
std::optional<int> SmallNumber(nl_item item, locale_t locale) {
  int value = static_cast<signed char>(nl_langinfo_l(item, locale)[0]);
  if (value < 0 || value == CHAR_MAX) {
    return std::nullopt;
  }
  return value;
}

// localeconv's grouping bytes ("\3" repeats 3; CHAR_MAX ends grouping) in the ";"-separated form.
KString GroupingText(const char* bytes) {
  KString text;
  size_t length = std::strlen(bytes);
  if (length == 0) {
    text.AppendChar(u'0');
    return text;
  }
  for (size_t i = 0; i < length; ++i) {
    int size = static_cast<signed char>(bytes[i]);
    if (size <= 0 || size == CHAR_MAX) {
      return text;  // no further grouping after the sizes already listed
    }
    if (i > 0) {
      text.AppendChar(u';');
    }
    text.AppendInt(size);
  }
  text.Append(";0");  // the last size repeats
  return text;
}

void ReadNumeric(KLocale& values, locale_t locale) {
  const char* codeset = nl_langinfo_l(_NL_NUMERIC_CODESET, locale);
  values.decimalSeparator = Decode(nl_langinfo_l(RADIXCHAR, locale), codeset);
  values.thousandsSeparator = Decode(nl_langinfo_l(THOUSEP, locale), codeset);
  values.grouping = GroupingText(nl_langinfo_l(GROUPING, locale));
}

void ReadMonetary(KLocale& values, locale_t locale) {
  values.currencySymbol =
      Decode(nl_langinfo_l(CURRENCY_SYMBOL, locale), nl_langinfo_l(_NL_MONETARY_CODESET, locale));
  int symbolFirst = SmallNumber(P_CS_PRECEDES, locale).value_or(1);
  int separated = SmallNumber(P_SEP_BY_SPACE, locale).value_or(0) != 0 ? 1 : 0;
  values.currencyPosition = (symbolFirst != 0 ? 0 : 1) + 2 * separated;
  values.currencyDigits = SmallNumber(FRAC_DIGITS, locale).value_or(2);

  NegativeForm wanted{SmallNumber(N_SEP_BY_SPACE, locale).value_or(0) != 0 ? 1 : 0,
                      SmallNumber(N_CS_PRECEDES, locale).value_or(1) != 0 ? 1 : 0,
                      SmallNumber(N_SIGN_POSN, locale).value_or(1)};
  // Look for the exact form, then for the same form without the blank; else the common "-$1".
  values.negativeCurrency = 1;
  for (int pass = 0; pass < 2; ++pass) {
    for (int form = 0; form < static_cast<int>(std::size(kNegativeForms)); ++form) {
      const NegativeForm& candidate = kNegativeForms[form];
      if (candidate.separated == (pass == 0 ? wanted.separated : 0) &&
          candidate.symbolFirst == wanted.symbolFirst && candidate.signPosition == wanted.signPosition) {
        values.negativeCurrency = form;
        return;
      }
    }
  }
}

void ReadTime(KLocale& values, locale_t locale) {
  const char* codeset = nl_langinfo_l(_NL_TIME_CODESET, locale);
  KString amPmFormat = Decode(nl_langinfo_l(T_FMT_AMPM, locale), codeset);
  if (amPmFormat.IsEmpty()) {
    amPmFormat = "%I:%M:%S %p";
  }
  values.shortDate = KDatePattern::FromStrftime(Decode(nl_langinfo_l(D_FMT, locale), codeset), amPmFormat);
  values.timeFormat = KDatePattern::FromStrftime(Decode(nl_langinfo_l(T_FMT, locale), codeset), amPmFormat);
  values.dateSeparator = KDatePattern::Separator(values.shortDate, "/");
  values.timeSeparator = KDatePattern::Separator(values.timeFormat, ":");
  values.hours24 = !KDatePattern::UsesTwelveHours(values.timeFormat);
  values.amText = Decode(nl_langinfo_l(AM_STR, locale), codeset);
  values.pmText = Decode(nl_langinfo_l(PM_STR, locale), codeset);
  for (int i = 0; i < 12; ++i) {
    values.monthNames[i] = Decode(nl_langinfo_l(MON_1 + i, locale), codeset);
    values.monthAbbreviations[i] = Decode(nl_langinfo_l(ABMON_1 + i, locale), codeset);
  }
  for (int i = 0; i < 7; ++i) {
    values.dayNames[i] = Decode(nl_langinfo_l(DAY_1 + i, locale), codeset);
    values.dayAbbreviations[i] = Decode(nl_langinfo_l(ABDAY_1 + i, locale), codeset);
  }
}

// Overwrites the fixed English values with the locale's, category by category; a category set to "C" or
// "POSIX" keeps them.
void ReadCategories(KLocale& values, locale_t locale) {
  if (!IsFixedEnglishLocale(nl_langinfo_l(NL_LOCALE_NAME(LC_NUMERIC), locale))) {
    ReadNumeric(values, locale);
  }
  if (!IsFixedEnglishLocale(nl_langinfo_l(NL_LOCALE_NAME(LC_MONETARY), locale))) {
    ReadMonetary(values, locale);
  }
  if (!IsFixedEnglishLocale(nl_langinfo_l(NL_LOCALE_NAME(LC_TIME), locale))) {
    ReadTime(values, locale);
  }
}

}  // namespace

KLocale::KLocale() {
  for (int i = 0; i < 12; ++i) {
    monthNames[i] = kEnglishMonths[i];
    monthAbbreviations[i] = KString(std::string(kEnglishMonths[i], 3).c_str());
  }
  for (int i = 0; i < 7; ++i) {
    dayNames[i] = kEnglishDays[i];
    dayAbbreviations[i] = KString(std::string(kEnglishDays[i], 3).c_str());
  }
}

KLocale KLocale::Process() {
  KLocale values;
  // A copy of the global locale, so that reading is not disturbed by a thread's own uselocale.
  locale_t global = duplocale(LC_GLOBAL_LOCALE);
  if (global != static_cast<locale_t>(0)) {
    ReadCategories(values, global);
    freelocale(global);
  }
  return values;
}

std::optional<KLocale> KLocale::Named(const std::string& name) {
  locale_t locale = newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) {
    return std::nullopt;
  }
  KLocale values;
  ReadCategories(values, locale);
  freelocale(locale);
  return values;
}
