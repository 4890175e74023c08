#include "framework/data/zafrealconversion.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "framework/data/zafchar.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zaflocaledata.h"
#include "framework/data/zafrealdata.h"
#include "framework/data/zafscanf.h"
#include "framework/data/zafstrtod.h"

namespace {

// Decimal digits of a magnitude: the integer digits (none below 1) followed by fraction digits; `point`
// counts the integer digits.
struct Digits {
  std::u16string digits;
  int point = 0;
};

// The digits of a finite magnitude with `fractionDigits` fraction digits, unrounded.
Digits MakeDigits(double magnitude, int fractionDigits) {
  Digits result;
  double integer = 0.0;
  double fraction = std::modf(magnitude, &integer);
  while (integer >= 1.0) {
    double rest = 0.0;
    const double tenth = std::modf(integer / 10.0, &rest);
    // The small bias keeps a digit whose tenth came out a hair below it from dropping by one.
    const int digit = std::clamp(static_cast<int>((tenth + 0.03) * 10.0), 0, 9);
    result.digits.insert(result.digits.begin(), static_cast<ZafIChar>(u'0' + digit));
    integer = rest;
  }
  result.point = static_cast<int>(result.digits.size());
  for (int index = 0; index < fractionDigits; ++index) {
    double digit = 0.0;
    fraction = std::modf(fraction * 10.0, &digit);
    result.digits += static_cast<ZafIChar>(u'0' + std::clamp(static_cast<int>(digit), 0, 9));
  }
  return result;
}

// Keeps the first `keep` digits, rounding up when the next one is above 4. A carry out of the first digit
// puts a 1 in front and moves the point. Returns whether it did.
bool RoundDigits(Digits& value, int keep) {
  bool carriedOut = false;
  if (keep < static_cast<int>(value.digits.size()) && value.digits[keep] > u'4') {
    int index = keep - 1;
    for (; index >= 0 && value.digits[index] == u'9'; --index) {
      value.digits[index] = u'0';
    }
    if (index >= 0) {
      ++value.digits[index];
    } else {
      value.digits.insert(value.digits.begin(), u'1');
      ++value.point;
      ++keep;
      carriedOut = true;
    }
  }
  value.digits.resize(std::max(keep, 0));
  return carriedOut;
}

// Leading zeros of the fraction of a magnitude below 1 (0.00123 has 2).
int LeadingFractionZeros(double magnitude) {
  int zeros = 0;
  for (double scaled = magnitude; scaled * 10.0 < 1.0; scaled *= 10.0) {
    ++zeros;
  }
  return zeros;
}

std::u16string JoinFraction(std::u16string integer, std::u16string_view fraction, bool showPoint,
                            std::u16string_view point) {
  if (showPoint) {
    integer += point;
    integer += fraction;
  }
  return integer;
}

std::u16string Fixed(double magnitude, int precision, bool alternate, std::u16string_view point) {
  Digits value = MakeDigits(magnitude, precision + 1);
  RoundDigits(value, value.point + precision);
  std::u16string integer = value.digits.substr(0, value.point);
  if (integer.empty()) {
    integer = u"0";
  }
  return JoinFraction(integer, std::u16string_view(value.digits).substr(value.point),
                      precision > 0 || alternate, point);
}

// Mantissa and exponent, with `precision` digits after the mantissa's point.
struct Scientific {
  std::u16string mantissa;
  int exponent = 0;
};

Scientific Exponent(double magnitude, int precision, bool alternate, std::u16string_view point) {
  Scientific result;
  std::u16string significant;
  if (magnitude == 0.0) {
    significant.assign(precision + 1, u'0');
  } else {
    int zeros = 0;
    Digits value;
    if (magnitude >= 1.0) {
      value = MakeDigits(magnitude, precision + 2);
      result.exponent = value.point - 1;
    } else {
      zeros = LeadingFractionZeros(magnitude);
      value = MakeDigits(magnitude, zeros + precision + 2);
      result.exponent = -(zeros + 1);
      value.digits.erase(0, zeros);
    }
    if (RoundDigits(value, precision + 1)) {
      ++result.exponent;
      value.digits.pop_back();
    }
    significant = value.digits;
  }
  result.mantissa = JoinFraction(significant.substr(0, 1), std::u16string_view(significant).substr(1),
                                 precision > 0 || alternate, point);
  return result;
}

std::u16string ExponentText(ZafIChar letter, int exponent) {
  std::u16string text(1, letter);
  text += exponent < 0 ? u'-' : u'+';
  const std::string digits = std::to_string(std::abs(exponent));
  if (digits.size() < 2) {
    text += u'0';
  }
  text.append(digits.begin(), digits.end());
  return text;
}

// Drops trailing zeros after the point, and the point when nothing follows it.
void TrimFraction(std::u16string& text, std::u16string_view point) {
  const std::size_t at = text.find(point);
  if (at == std::u16string::npos) {
    return;
  }
  std::size_t end = text.size();
  while (end > at + point.size() && text[end - 1] == u'0') {
    --end;
  }
  if (end == at + point.size()) {
    end = at;
  }
  text.resize(end);
}

// The digits of the number without sign or currency; `excess` zeros go after the digits (before the
// exponent of the 'e' form).
std::u16string NumberText(double magnitude, ZafIChar conversion, int precision, int excess, bool alternate,
                          std::u16string_view point) {
  const std::u16string zeros(static_cast<std::size_t>(excess), u'0');
  const ZafIChar lower = ZafToLower(conversion);
  if (lower == u'f') {
    return Fixed(magnitude, precision, alternate, point) + zeros;
  }
  if (lower == u'e') {
    const Scientific value = Exponent(magnitude, precision, alternate, point);
    return value.mantissa + zeros + ExponentText(conversion, value.exponent);
  }
  // 'g': significant digits, in fixed notation where the number is neither too large nor too small.
  precision = std::max(precision, 1);
  const int integerDigits = magnitude >= 1.0 ? MakeDigits(magnitude, 0).point : 0;
  std::u16string text;
  if (integerDigits <= precision && (magnitude == 0.0 || integerDigits > 0 || magnitude >= 0.0001)) {
    const int decimals = integerDigits > 0
                             ? precision - integerDigits
                             : precision - 1 + (magnitude == 0.0 ? 0 : LeadingFractionZeros(magnitude) + 1);
    text = Fixed(magnitude, decimals, alternate, point);
  } else {
    const Scientific value = Exponent(magnitude, precision - 1, alternate, point);
    const ZafIChar letter = conversion == u'G' ? u'E' : u'e';
    std::u16string mantissa = value.mantissa;
    if (!alternate) {
      TrimFraction(mantissa, point);
    }
    return mantissa + (alternate ? zeros : u"") + ExponentText(letter, value.exponent);
  }
  if (!alternate) {
    TrimFraction(text, point);
    return text;
  }
  return text + zeros;
}

// The pieces around the digits: sign or parenthesis, currency symbol and blank, by the locale's rules
// for the value's sign.
struct Decoration {
  std::u16string leading;
  std::u16string trailing;
};

Decoration Decorate(bool negative, int flags, const ZafLocaleData& locale) {
  const ZafLocaleStruct& rules = locale.locale;
  int position = negative ? rules.negSignPosition : rules.posSignPosition;
  if (negative && (flags & ZAF_PRINTF_CURRENCY_NO_SIGN)) {
    position = ZAF_SIGN_PARENTHESES;
  }
  std::u16string sign;
  if (negative) {
    sign = rules.negativeSign.view();
  } else if (flags & ZAF_PRINTF_PLUS) {
    sign = rules.positiveSign.view();
  }
  std::u16string before;
  std::u16string after;
  if (flags & ZAF_PRINTF_CURRENCY) {
    const bool precedes = negative ? rules.negCurrencyPrecedes : rules.posCurrencyPrecedes;
    const bool spaced = negative ? rules.negSeparatedBySpace : rules.posSeparatedBySpace;
    std::u16string& side = precedes ? before : after;
    side = rules.currencySymbol.view();
    if (spaced) {
      side.insert(precedes ? side.end() : side.begin(), u' ');
    }
  }
  Decoration result;
  switch (position) {
    case ZAF_SIGN_PARENTHESES:
      // A positive number takes the parentheses' room in blanks, so that columns line up.
      result.leading = (negative ? std::u16string(locale.leftParen.view()) : u"  ") + before;
      result.trailing = after + (negative ? std::u16string(locale.rightParen.view()) : u"");
      break;
    case ZAF_SIGN_LAST:
      result.leading = before;
      result.trailing = after + sign;
      break;
    case ZAF_SIGN_BEFORE_DIGITS:
      result.leading = before + sign;
      result.trailing = after;
      break;
    case ZAF_SIGN_AFTER_DIGITS:
      result.leading = before;
      result.trailing = sign + after;
      break;
    default:
      result.leading = sign + before;
      result.trailing = after;
      break;
  }
  return result;
}

double TakeValue(va_list* arguments, int flags) {
  if (flags & ZAF_PRINTF_DATA_OBJECT) {
    const auto* data = dynamic_cast<const ZafRealData*>(va_arg(*arguments, const ZafData*));
    return data ? data->Value() : 0.0;
  }
  if (flags & ZAF_PRINTF_LONG_DOUBLE) {
    return static_cast<double>(va_arg(*arguments, long double));
  }
  return va_arg(*arguments, double);
}

// Whether `text` starts with the non-empty `piece`.
bool StartsWith(const ZafIChar* text, std::u16string_view piece) {
  return !piece.empty() && std::u16string_view(text).substr(0, piece.size()) == piece;
}

}  // namespace

void ZafRealPrintfConversion(va_list* arguments, ZafPrintfOutput& output, ZafIChar conversion, int flags,
                             int width, int precision) {
  const double value = TakeValue(arguments, flags);
  if (std::isnan(value)) {
    output.PutField({}, u"NaN", flags & ~ZAF_PRINTF_ZERO, width);
    return;
  }
  if (std::isinf(value)) {
    output.PutField({}, value < 0 ? u"-Inf" : u"+Inf", flags & ~ZAF_PRINTF_ZERO, width);
    return;
  }
  const ZafLocaleData& locale = ZafI18nData::Locale();
  const std::u16string_view point = (flags & ZAF_PRINTF_CURRENCY) ? locale.locale.monDecimalSeparator.view()
                                                                  : locale.locale.decimalSeparator.view();
  precision = precision < 0 ? 6 : precision;
  const int excess = std::max(precision - ZAF_REAL_MAX_PRECISION, 0);
  precision -= excess;
  const bool negative = value < 0.0;
  const std::u16string digits =
      NumberText(std::fabs(value), conversion, precision, excess, flags & ZAF_PRINTF_ALTERNATE, point);
  const Decoration decoration = Decorate(negative, flags, locale);

  const int length = static_cast<int>(decoration.leading.size() + digits.size() + decoration.trailing.size());
  const int pad = std::max(width - length, 0);
  if (flags & ZAF_PRINTF_LEFT) {
    output.Put(decoration.leading);
    output.Put(digits);
    output.Put(std::u16string(static_cast<std::size_t>(pad), u' '));
  } else if (flags & ZAF_PRINTF_ZERO) {
    output.Put(decoration.leading);
    output.Put(std::u16string(static_cast<std::size_t>(pad), u'0'));
    output.Put(digits);
  } else {
    output.Put(std::u16string(static_cast<std::size_t>(pad), u' '));
    output.Put(decoration.leading);
    output.Put(digits);
  }
  output.Put(decoration.trailing);
}

int ZafRealScanfConversion(va_list* arguments, const ZafIChar** input, ZafIChar conversion, int flags,
                           int width, const ZafIChar** format) {
  const ZafIChar* place = *input;
  while (ZafIsSpace(*place)) {
    ++place;
  }
  const int limit = (width <= 0 || width > ZAF_REAL_MAX_SCAN_WIDTH) ? ZAF_REAL_MAX_SCAN_WIDTH : width;
  const ZafLocaleStruct& rules = ZafI18nData::Locale().locale;
  const std::u16string_view point = rules.decimalSeparator.view();
  const std::u16string_view plus = rules.positiveSign.view();
  const std::u16string_view minus = rules.negativeSign.view();

  std::u16string number;
  int used = 0;
  bool digits = false;
  bool pointSeen = false;
  bool exponent = false;
  bool exponentDigits = false;
  bool signAllowed = true;
  // Where the number stood before an exponent letter, to give the letter back when no digit follows it.
  std::size_t numberBeforeExponent = 0;
  int usedBeforeExponent = 0;
  // A piece is taken only when all of it fits within the width.
  const auto take = [&](std::u16string_view piece, ZafIChar as) {
    if (!StartsWith(place + used, piece) || used + static_cast<int>(piece.size()) > limit) {
      return false;
    }
    used += static_cast<int>(piece.size());
    number += as;
    return true;
  };
  while (used < limit && place[used]) {
    const ZafIChar character = place[used];
    if (signAllowed && (take(minus, u'-') || take(plus, u'+'))) {
      signAllowed = false;
      continue;
    }
    signAllowed = false;
    if (ZafIsAsciiDigit(character)) {
      number += character;
      ++used;
      (exponent ? exponentDigits : digits) = true;
    } else if (!pointSeen && !exponent && take(point, u'.')) {
      pointSeen = true;
    } else if (!exponent && digits && (character == u'e' || character == u'E')) {
      numberBeforeExponent = number.size();
      usedBeforeExponent = used;
      exponent = true;
      signAllowed = true;
      number += u'e';
      ++used;
    } else {
      break;
    }
  }
  // A number cut by the width ends there; one that runs into a stray character is no number.
  const ZafIChar next = used < limit ? place[used] : 0;
  if (!digits || (next && !ZafIsSpace(next) && next != **format)) {
    return -1;
  }
  if (exponent && !exponentDigits) {
    number.resize(numberBeforeExponent);
    used = usedBeforeExponent;
  }
  *input = place + used;
  if (flags & ZAF_SCANF_SUPPRESS) {
    return 0;
  }
  const double value = ZafAtoF(number.c_str());
  if (flags & ZAF_SCANF_DATA_OBJECT) {
    if (auto* data = dynamic_cast<ZafRealData*>(va_arg(*arguments, ZafData*))) {
      data->SetValue(value);
    }
  } else if ((flags & ZAF_SCANF_LONG) || conversion == u'E' || conversion == u'F') {
    *va_arg(*arguments, double*) = value;
  } else {
    *va_arg(*arguments, float*) = static_cast<float>(value);
  }
  return 1;
}
