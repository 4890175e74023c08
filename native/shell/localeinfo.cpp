#include "native/shell/localeinfo.h"

#include <langinfo.h>

#include <cctype>
#include <utility>

#include "native/shell/localeidentifier.h"

namespace native {

namespace {

// The parts of a negative amount's form (KLocale::negativeCurrency, 0 to 10): whether a blank separates
// symbol and amount, whether the symbol comes first, and where the sign stands (0 parentheses, 1 before
// everything, 2 after everything, 3 just before the symbol, 4 just after it).
struct NegativeForm {
  int separatedBySpace;
  int symbolPrecedes;
  int signPosition;
};

constexpr NegativeForm kNegativeForms[] = {
    {0, 1, 0}, {0, 1, 1}, {0, 1, 3}, {0, 1, 2}, {0, 0, 0}, {0, 0, 1},
    {0, 0, 4}, {0, 0, 2}, {1, 0, 1}, {1, 1, 1}, {1, 0, 2},
};

NegativeForm negativeForm(int32_t form) {
  return form >= 0 && form < static_cast<int32_t>(std::size(kNegativeForms)) ? kNegativeForms[form]
                                                                             : kNegativeForms[1];
}

// A text of the locale's categories, with surrounding blanks removed; empty when the locale has none.
std::string trimmedInfo(nl_item item, locale_t locale) {
  const char* raw = nl_langinfo_l(item, locale);
  std::string text = raw == nullptr ? std::string() : std::string(raw);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
    text.pop_back();
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) {
    text.erase(text.begin());
  }
  return text;
}

KString number(int value) {
  return KString(std::to_string(value).c_str());
}

}  // namespace

LocaleInfo LocaleInfo::Process() {
  LocaleInfo info(KLocale::Process());
  // A copy of the global locale, so that a thread's own uselocale does not disturb the reading.
  locale_t global = duplocale(LC_GLOBAL_LOCALE);
  if (global != static_cast<locale_t>(0)) {
    info.readIdentity(global);
    freelocale(global);
  }
  return info;
}

std::optional<LocaleInfo> LocaleInfo::Named(const std::string& name) {
  std::optional<KLocale> values = KLocale::Named(name);
  locale_t locale = newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(0));
  if (!values.has_value() || locale == static_cast<locale_t>(0)) {
    if (locale != static_cast<locale_t>(0)) {
      freelocale(locale);
    }
    return std::nullopt;
  }
  LocaleInfo info(std::move(*values));
  info.readIdentity(locale);
  freelocale(locale);
  return info;
}

void LocaleInfo::readIdentity(locale_t locale) {
  // "C" and "POSIX" leave these empty, and keep the United States English defaults.
  std::string language = trimmedInfo(_NL_ADDRESS_LANG_AB, locale);
  std::string country = trimmedInfo(_NL_ADDRESS_COUNTRY_AB2, locale);
  std::string abbreviation = trimmedInfo(_NL_ADDRESS_COUNTRY_AB3, locale);
  if (!language.empty() && !country.empty() && abbreviation.size() == 3) {
    language_ = language;
    country_ = country;
    countryAbbreviation_ = abbreviation;
  }
  std::string symbol = trimmedInfo(__INT_CURR_SYMBOL, locale);
  if (!symbol.empty()) {
    internationalSymbol_ = symbol;
  }
  std::string negative = trimmedInfo(__NEGATIVE_SIGN, locale);
  if (!negative.empty()) {
    negativeSign_ = negative;
    positiveSign_ = trimmedInfo(__POSITIVE_SIGN, locale);
  }
}

LCID LocaleInfo::identifier() const {
  return localeIdentifier(language_, country_);
}

std::optional<KString> LocaleInfo::text(LCTYPE type) const {
  const int position = values_.currencyPosition;
  const NegativeForm negative = negativeForm(values_.negativeCurrency);
  switch (type) {
    case LOCALE_SABBREVCTRYNAME:
      return KString(countryAbbreviation_.c_str());
    case LOCALE_SDECIMAL:
    case LOCALE_SMONDECIMALSEP:
      return values_.decimalSeparator;
    case LOCALE_STHOUSAND:
    case LOCALE_SMONTHOUSANDSEP:
      return values_.thousandsSeparator;
    case LOCALE_SGROUPING:
    case LOCALE_SMONGROUPING:
      return values_.grouping;
    case LOCALE_SCURRENCY:
      return values_.currencySymbol;
    case LOCALE_SINTLSYMBOL:
      return KString(internationalSymbol_.c_str());
    case LOCALE_ICURRDIGITS:
    case LOCALE_IINTLCURRDIGITS:
      return number(values_.currencyDigits);
    case LOCALE_ICURRENCY:
      return number(position);
    case LOCALE_INEGCURR:
      return number(values_.negativeCurrency);
    case LOCALE_IPOSSYMPRECEDES:
      return number(position == 0 || position == 2 ? 1 : 0);
    case LOCALE_IPOSSEPBYSPACE:
      return number(position >= 2 ? 1 : 0);
    case LOCALE_INEGSYMPRECEDES:
      return number(negative.symbolPrecedes);
    case LOCALE_INEGSEPBYSPACE:
      return number(negative.separatedBySpace);
    case LOCALE_INEGSIGNPOSN:
      return number(negative.signPosition);
    case LOCALE_IPOSSIGNPOSN:
      // A positive amount shows no sign; were one shown, it would stand just before the symbol.
      return number(3);
    case LOCALE_SPOSITIVESIGN:
      return KString::FromUtf8(positiveSign_);
    case LOCALE_SNEGATIVESIGN:
      return KString::FromUtf8(negativeSign_);
    case LOCALE_SDATE:
      return values_.dateSeparator;
    case LOCALE_SSHORTDATE:
      return values_.shortDate;
    case LOCALE_STIME:
      return values_.timeSeparator;
    case LOCALE_STIMEFORMAT:
      return values_.timeFormat;
    case LOCALE_ITIME:
      return number(values_.hours24 ? 1 : 0);
    default:
      return std::nullopt;
  }
}

}  // namespace native
