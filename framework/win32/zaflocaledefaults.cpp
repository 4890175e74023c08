// The locale record filled from the platform's locale information: separators, currency, signs, digit
// grouping, the short date and the clock.
#include <charconv>
#include <string>

#include "framework/data/zaflocaledata.h"
#include "native/native.h"

namespace {

// Characters read for each kind of answer, the terminator included.
constexpr int kShortText = 4;
constexpr int kCurrencyText = 8;
constexpr int kGroupingText = 19;
constexpr int kNumberText = 16;
constexpr int kDateText = 128;

// Where the answers come from: the platform, or a test's stand-in.
ZafLocaleData::LocaleReader reader = &native::GetLocaleInfoW;

// The platform's answer, or none when it does not know the kind or the answer does not fit.
bool Read(native::LCTYPE type, int size, std::u16string& answer) {
  std::u16string buffer(static_cast<std::size_t>(size), u'\0');
  const int written = reader(0, type, buffer.data(), size);
  if (written <= 0) {
    return false;
  }
  buffer.resize(static_cast<std::size_t>(written - 1));
  answer = std::move(buffer);
  return true;
}

template <int N>
void ReadText(native::LCTYPE type, int size, ZafLocaleText<N>& field) {
  std::u16string answer;
  if (Read(type, size, answer)) {
    field.Set(answer);
  }
}

// A number the platform answers as decimal text; a missing or unreadable answer keeps the field.
void ReadNumber(native::LCTYPE type, int32_t& field) {
  std::u16string answer;
  if (!Read(type, kNumberText, answer)) {
    return;
  }
  const std::string digits(answer.begin(), answer.end());
  int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc() && end == digits.data() + digits.size()) {
    field = value;
  }
}

void ReadGrouping(native::LCTYPE type, uint8_t (&grouping)[10]) {
  std::u16string answer;
  if (Read(type, kGroupingText, answer)) {
    ZafLocaleData::ParseGrouping(answer, grouping);
  }
}

bool IsDigit(ZafIChar character) {
  return character >= u'0' && character <= u'9';
}

}  // namespace

void ZafLocaleData::ParseGrouping(std::u16string_view text, uint8_t (&grouping)[10]) {
  std::size_t stored = 0;
  std::size_t position = 0;
  while (stored < sizeof(grouping) && position < text.size() && IsDigit(text[position])) {
    unsigned value = 0;
    for (; position < text.size() && IsDigit(text[position]); ++position) {
      // A group is at most a few digits; anything larger is held at the byte's limit.
      value = std::min(value * 10 + (text[position] - u'0'), 255u);
    }
    grouping[stored++] = static_cast<uint8_t>(value);
    if (value == 0) {
      return;
    }
    ++position;
  }
  // The record always ends with its 0 byte, also when the text filled every place.
  if (stored == sizeof(grouping)) {
    grouping[sizeof(grouping) - 1] = 0;
  } else {
    grouping[stored] = 0;
  }
}

std::u16string ZafLocaleData::ConvertShortDate(std::u16string_view pattern, std::u16string_view separator) {
  std::u16string format;
  std::size_t position = 0;
  while (position < pattern.size()) {
    const ZafIChar letter = pattern[position];
    std::size_t run = 1;
    while (position + run < pattern.size() && pattern[position + run] == letter) {
      ++run;
    }
    if (letter == u'M') {
      run = std::min<std::size_t>(run, 3);
      format += run == 3 ? u"%b" : run == 2 ? u"%m" : u"%v";
    } else if (letter == u'd') {
      run = std::min<std::size_t>(run, 2);
      format += run == 2 ? u"%d" : u"%e";
    } else if (letter == u'y') {
      run = std::min<std::size_t>(run, 4);
      format += run == 4 ? u"%Y" : u"%y";
    } else {
      run = 1;
      format += separator;
    }
    position += run;
  }
  return format;
}

void ZafLocaleData::SetLocaleReader(LocaleReader newReader) {
  reader = newReader ? newReader : &native::GetLocaleInfoW;
}

int ZafLocaleData::LoadSystemDefaults(ZafLocaleStruct& locale) {
  ReadText(native::LOCALE_SDECIMAL, kShortText, locale.decimalSeparator);
  ReadText(native::LOCALE_SMONDECIMALSEP, kShortText, locale.monDecimalSeparator);
  ReadText(native::LOCALE_STHOUSAND, kShortText, locale.thousandsSeparator);
  ReadText(native::LOCALE_SMONTHOUSANDSEP, kShortText, locale.monThousandsSeparator);
  ReadText(native::LOCALE_SCURRENCY, kCurrencyText, locale.currencySymbol);
  ReadGrouping(native::LOCALE_SGROUPING, locale.grouping);
  ReadGrouping(native::LOCALE_SMONGROUPING, locale.monGrouping);
  ReadText(native::LOCALE_SINTLSYMBOL, kCurrencyText, locale.intCurrencySymbol);
  ReadNumber(native::LOCALE_IPOSSYMPRECEDES, locale.posCurrencyPrecedes);
  ReadNumber(native::LOCALE_INEGSYMPRECEDES, locale.negCurrencyPrecedes);
  ReadNumber(native::LOCALE_ICURRDIGITS, locale.currencyDigits);
  ReadNumber(native::LOCALE_IINTLCURRDIGITS, locale.intCurrencyDigits);
  ReadText(native::LOCALE_SPOSITIVESIGN, kShortText, locale.positiveSign);
  ReadNumber(native::LOCALE_IPOSSIGNPOSN, locale.posSignPosition);
  ReadNumber(native::LOCALE_IPOSSEPBYSPACE, locale.posSeparatedBySpace);
  ReadText(native::LOCALE_SNEGATIVESIGN, kShortText, locale.negativeSign);
  ReadNumber(native::LOCALE_INEGSIGNPOSN, locale.negSignPosition);
  ReadNumber(native::LOCALE_INEGSEPBYSPACE, locale.negSeparatedBySpace);
  ReadText(native::LOCALE_SDATE, kShortText, locale.dateSeparator);
  std::u16string shortDate;
  if (Read(native::LOCALE_SSHORTDATE, kDateText, shortDate)) {
    locale.dateFormat = ConvertShortDate(shortDate, locale.dateSeparator.view());
  }
  int32_t clock = 0;
  ReadNumber(native::LOCALE_ITIME, clock);
  if (clock == 1) {
    locale.timeFormat = locale.time24Format;
  }
  locale.dateTimeFormat = locale.dateFormat + u" " + locale.timeFormat;
  ReadText(native::LOCALE_STIME, kShortText, locale.timeSeparator);
  return 1;
}
