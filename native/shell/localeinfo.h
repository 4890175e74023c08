#pragma once
// The answers to locale questions (separators, currency, date and time formats, the country) for one
// locale, in the forms the window system's callers read: texts, and numbers as decimal text. The values
// come from the foundation's locale reader; the identity (language, country, international currency) from
// the locale's address and monetary categories. "C" answers as United States English.

#include <clocale>
#include <optional>
#include <string>

#include "foundation/klocale.h"
#include "foundation/kstring.h"
#include "native/user/nativetypes.h"

namespace native {

using LCID = DWORD;
using LCTYPE = DWORD;

inline constexpr LCTYPE LOCALE_SABBREVCTRYNAME = 0x07;
inline constexpr LCTYPE LOCALE_SDECIMAL = 0x0E;
inline constexpr LCTYPE LOCALE_STHOUSAND = 0x0F;
inline constexpr LCTYPE LOCALE_SGROUPING = 0x10;
inline constexpr LCTYPE LOCALE_SCURRENCY = 0x14;
inline constexpr LCTYPE LOCALE_SINTLSYMBOL = 0x15;
inline constexpr LCTYPE LOCALE_SMONDECIMALSEP = 0x16;
inline constexpr LCTYPE LOCALE_SMONTHOUSANDSEP = 0x17;
inline constexpr LCTYPE LOCALE_SMONGROUPING = 0x18;
inline constexpr LCTYPE LOCALE_ICURRDIGITS = 0x19;
inline constexpr LCTYPE LOCALE_IINTLCURRDIGITS = 0x1A;
inline constexpr LCTYPE LOCALE_ICURRENCY = 0x1B;
inline constexpr LCTYPE LOCALE_INEGCURR = 0x1C;
inline constexpr LCTYPE LOCALE_SDATE = 0x1D;
inline constexpr LCTYPE LOCALE_STIME = 0x1E;
inline constexpr LCTYPE LOCALE_SSHORTDATE = 0x1F;
inline constexpr LCTYPE LOCALE_ITIME = 0x23;
inline constexpr LCTYPE LOCALE_SPOSITIVESIGN = 0x50;
inline constexpr LCTYPE LOCALE_SNEGATIVESIGN = 0x51;
inline constexpr LCTYPE LOCALE_IPOSSIGNPOSN = 0x52;
inline constexpr LCTYPE LOCALE_INEGSIGNPOSN = 0x53;
inline constexpr LCTYPE LOCALE_IPOSSYMPRECEDES = 0x54;
inline constexpr LCTYPE LOCALE_IPOSSEPBYSPACE = 0x55;
inline constexpr LCTYPE LOCALE_INEGSYMPRECEDES = 0x56;
inline constexpr LCTYPE LOCALE_INEGSEPBYSPACE = 0x57;
inline constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;

class LocaleInfo {
 public:
  // The process locale's current categories.
  static LocaleInfo Process();
  // A named locale ("de_DE.UTF-8"); none when the system does not have it.
  static std::optional<LocaleInfo> Named(const std::string& name);

  // The answer for one kind of information; none for a kind this locale does not know.
  std::optional<KString> text(LCTYPE type) const;
  LCID identifier() const;

 private:
  explicit LocaleInfo(KLocale values) : values_(std::move(values)) {}
  void readIdentity(locale_t locale);

  KLocale values_;
  std::string language_ = "en";
  std::string country_ = "US";
  std::string countryAbbreviation_ = "USA";
  std::string internationalSymbol_ = "USD";
  std::string positiveSign_;
  std::string negativeSign_ = "-";
};

}  // namespace native
