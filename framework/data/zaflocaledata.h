// The locale: how numbers, amounts, dates and times are written where the program runs. The framework
// starts from the built-in defaults below and lets the platform layer overwrite them with the user's
// settings through LoadSystemDefaults.
//
// Built-in defaults (English, United States):
//   decimal separators "." (numbers and amounts), thousands separators "," (both), groups of 3 digits;
//   currency "$" before the amount with no blank, international symbol "USD ", 2 fraction digits;
//   signs "+" and "-", both written first (position 1) with no blank;
//   parentheses "(" and ")" for the sign position 0;
//   times "%H:%M:%S" (24-hour) and "%I:%M:%S %p", dates "%m/%d/%Y", date and time "%m/%d/%Y %I:%M:%S %p",
//   separators ":" and "/";
//   reals read with "%lf" and written with "%g".
// A negative number is written with its sign first rather than in parentheses, and the positive sign is
// "+", so that "%+f" shows it.
#ifndef FRAMEWORK_DATA_ZAFLOCALEDATA_H
#define FRAMEWORK_DATA_ZAFLOCALEDATA_H

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/data/zafdata.h"

// Where a sign stands (the positions of the sign-position fields).
inline constexpr int32_t ZAF_SIGN_PARENTHESES = 0;
inline constexpr int32_t ZAF_SIGN_FIRST = 1;
inline constexpr int32_t ZAF_SIGN_LAST = 2;
inline constexpr int32_t ZAF_SIGN_BEFORE_DIGITS = 3;
inline constexpr int32_t ZAF_SIGN_AFTER_DIGITS = 4;

// A short text of the locale record: at most N - 1 characters, always terminated. Longer texts are cut.
template <int N>
struct ZafLocaleText {
  ZafIChar text[N] = {};
  void Set(std::u16string_view value) {
    const std::size_t kept = std::min<std::size_t>(value.size(), N - 1);
    value.copy(text, kept);
    std::fill(text + kept, text + N, u'\0');
  }
  const ZafIChar* c_str() const { return text; }
  std::u16string_view view() const { return text; }
};

struct ZafLocaleStruct {
  ZafLocaleText<4> decimalSeparator;
  ZafLocaleText<4> monDecimalSeparator;
  ZafLocaleText<4> thousandsSeparator;
  ZafLocaleText<4> monThousandsSeparator;
  ZafLocaleText<8> currencySymbol;
  // Digit group sizes from the right, ended by a 0 byte; the last size repeats.
  uint8_t grouping[10] = {};
  uint8_t monGrouping[10] = {};
  ZafLocaleText<8> intCurrencySymbol;
  int32_t posCurrencyPrecedes = 0;
  int32_t negCurrencyPrecedes = 0;
  int32_t currencyDigits = 0;
  int32_t intCurrencyDigits = 0;
  ZafLocaleText<4> positiveSign;
  int32_t posSignPosition = ZAF_SIGN_FIRST;
  int32_t posSeparatedBySpace = 0;
  ZafLocaleText<4> negativeSign;
  int32_t negSignPosition = ZAF_SIGN_FIRST;
  int32_t negSeparatedBySpace = 0;
  std::u16string time24Format;
  std::u16string timeFormat;
  std::u16string dateFormat;
  std::u16string dateTimeFormat;
  ZafLocaleText<4> timeSeparator;
  ZafLocaleText<4> dateSeparator;
};

class ZafLocaleData : public ZafData {
 public:
  // The platform's filler: overwrites the fields it knows and returns 1, or 0 when it has nothing.
  using SystemDefaultsLoader = int (*)(ZafLocaleStruct& locale);

  // The built-in defaults.
  ZafLocaleData();
  ZafLocaleData(const ZafLocaleData& other);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  // Back to the built-in defaults.
  void Clear() override;

  // Asks the platform's filler, when one is installed, to fill the record. Returns its answer (0 without
  // one).
  int LoadSystemDefaults();
  static void SetSystemDefaultsLoader(SystemDefaultsLoader loader);
  // The platform's filler (defined by the back-end, which installs it): overwrites the fields with the
  // user's settings, keeping the built-in value of every field the platform does not answer. Returns 1.
  static int LoadSystemDefaults(ZafLocaleStruct& locale);
  // Where that filler reads the platform's locale information (null: the platform itself).
  using LocaleReader = int (*)(uint32_t locale, uint32_t type, char16_t* buffer, int size);
  static void SetLocaleReader(LocaleReader reader);
  // The platform's digit grouping text ("3;0", "3;2;0") as the record's group sizes: one byte for each run
  // of digits, the character after a run skipped, ended by the first 0 stored (and by the record's room).
  static void ParseGrouping(std::u16string_view text, uint8_t (&grouping)[10]);
  // The platform's short-date pattern ("dd/MM/yyyy") in the framework's date format ("%d.%m.%Y"): runs of
  // M, d and y become conversions and every other character the date separator.
  static std::u16string ConvertShortDate(std::u16string_view pattern, std::u16string_view separator);

  ZafLocaleStruct locale;
  // The texts around a negative number at sign position 0.
  ZafLocaleText<4> leftParen;
  ZafLocaleText<4> rightParen;
  // The formats of reals when a real data object has none.
  std::u16string realInputFormat;
  std::u16string realOutputFormat;
};

#endif
