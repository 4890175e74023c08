#include "framework/data/zafstrtod.h"

#include <locale.h>
#include <stdlib.h>

#include <string>

#include "framework/data/zafchar.h"

namespace {

bool IsLeadingSpace(ZafIChar character) {
  return character == ' ' || (character >= 9 && character <= 13);
}

// An exponent of more than 8 significant digits, or above 19999, is held at 19999: far beyond the range of a
// double for any mantissa of ordinary length.
constexpr int kExponentLimit = 19999;
constexpr int kExponentDigitLimit = 8;

// The C library's conversion, which rounds correctly, in the "C" locale whatever the process locale is.
double ConvertAscii(const std::string& number) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(number.c_str(), nullptr, cLocale);
}

// Reads the exponent after 'e' or 'E' at `place`. Returns false, consuming nothing, when no digit follows.
bool ReadExponent(const ZafIChar*& place, std::string& ascii) {
  const ZafIChar* scan = place + 1;
  const bool negative = *scan == '-';
  if (*scan == '-' || *scan == '+') {
    ++scan;
  }
  if (!ZafIsAsciiDigit(*scan)) {
    return false;
  }
  while (*scan == '0') {
    ++scan;
  }
  int value = 0;
  int significantDigits = 0;
  for (; ZafIsAsciiDigit(*scan); ++scan, ++significantDigits) {
    if (significantDigits < kExponentDigitLimit + 1) {
      value = value * 10 + (*scan - '0');
    }
  }
  if (significantDigits > kExponentDigitLimit || value > kExponentLimit) {
    value = kExponentLimit;
  }
  ascii += negative ? "e-" : "e";
  ascii += std::to_string(value);
  place = scan;
  return true;
}

}  // namespace

double ZafStrToD(const ZafIChar* text, ZafIChar** end) {
  // The accepted syntax is checked here and handed on as plain ASCII, so that nothing else the C library
  // would take (hexadecimal, "inf", "nan", locale points) can slip in.
  const ZafIChar* place = text;
  while (IsLeadingSpace(*place)) {
    ++place;
  }
  std::string ascii;
  if (*place == '-' || *place == '+') {
    ascii += static_cast<char>(*place);
    ++place;
  }
  bool sawDigit = false;
  for (; ZafIsAsciiDigit(*place); ++place) {
    ascii += static_cast<char>(*place);
    sawDigit = true;
  }
  if (*place == '.' && (sawDigit || ZafIsAsciiDigit(place[1]))) {
    ascii += '.';
    for (++place; ZafIsAsciiDigit(*place); ++place) {
      ascii += static_cast<char>(*place);
      sawDigit = true;
    }
  }
  if (!sawDigit) {
    if (end) {
      *end = const_cast<ZafIChar*>(text);
    }
    return 0.0;
  }
  if (*place == 'e' || *place == 'E') {
    ReadExponent(place, ascii);
  }
  if (end) {
    *end = const_cast<ZafIChar*>(place);
  }
  return ConvertAscii(ascii);
}

double ZafAtoF(const ZafIChar* text) {
  return ZafStrToD(text, nullptr);
}
