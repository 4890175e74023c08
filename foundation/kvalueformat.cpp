#include "foundation/kvalueformat.h"

#include <locale.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

// printf into a std::string with the "C" locale, so that the decimal point is always '.'.
template <typename Value>
std::string FormatInCLocale(const std::string& format, Value value) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const locale_t previous = uselocale(cLocale);
  const int needed = std::snprintf(nullptr, 0, format.c_str(), value);
  std::string out;
  if (needed > 0) {
    out.resize(static_cast<size_t>(needed) + 1);
    std::snprintf(out.data(), out.size(), format.c_str(), value);
    out.resize(static_cast<size_t>(needed));
  }
  uselocale(previous);
  return out;
}

// strchr would find the terminating 0 too, so 0 is refused first.
bool IsIntegerConversion(char c) {
  return c != 0 && std::strchr("diuxXo", c) != nullptr;
}
bool IsRealConversion(char c) {
  return c != 0 && std::strchr("fFeEgG", c) != nullptr;
}
bool IsFlag(char16_t c) {
  return c != 0 && c < 0x80 && std::strchr("-+ #0", static_cast<char>(c)) != nullptr;
}

// Copies up to `maxDigits` digits from `i` on to `out`.
void CopyDigits(const KString& f, int32_t& i, int32_t maxDigits, std::string& out) {
  for (int32_t n = 0; n < maxDigits && i < f.Length() && f[i] >= u'0' && f[i] <= u'9'; ++n, ++i) {
    out += char(f[i]);
  }
}

int32_t SaturateToInt32(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  if (value >= 2147483647.0) {
    return std::numeric_limits<int32_t>::max();
  }
  if (value <= -2147483648.0) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(value);
}

}  // namespace

KValueFormat::KValueFormat(const KString& format) {
  valid = Parse(format);
}

// False when the format has no conversion, more than one, or one this code does not know. Widths and
// precisions are bounded to three digits so a format from a settings text cannot ask for huge output.
bool KValueFormat::Parse(const KString& f) {
  std::u16string* text = &before;
  for (int32_t i = 0; i < f.Length();) {
    if (f[i] != u'%') {
      *text += f[i++];
      continue;
    }
    ++i;
    if (f.At(i) == u'%') {
      *text += u'%';
      ++i;
      continue;
    }
    if (conversion != 0) {
      return false;
    }
    std::string spec = "%";
    while (IsFlag(f.At(i))) {
      spec += char(f[i++]);
    }
    CopyDigits(f, i, 3, spec);
    if (f.At(i) == u'.') {
      spec += '.';
      ++i;
      CopyDigits(f, i, 3, spec);
    }
    while (f.At(i) == u'l' || f.At(i) == u'h' || f.At(i) == u'L') {
      ++i;  // the value's type is known, so AppendFormatted chooses the length modifier
    }
    const char16_t letter = f.At(i++);
    if (letter >= 0x80 || (!IsIntegerConversion(char(letter)) && !IsRealConversion(char(letter)))) {
      return false;
    }
    flagsWidthPrecision = spec;
    conversion = char(letter);
    text = &after;
  }
  return conversion != 0;
}

bool KValueFormat::Append(KString& out, double value) const {
  if (valid) {
    AppendFormatted(out, value, SaturateToInt32(value));
  }
  return valid;
}

bool KValueFormat::Append(KString& out, int32_t value) const {
  if (valid) {
    AppendFormatted(out, value, value);
  }
  return valid;
}

void KValueFormat::AppendFormatted(KString& out, double real, int32_t integer) const {
  out.Append(before.data(), static_cast<int32_t>(before.size()));
  std::string text;
  if (IsRealConversion(conversion)) {
    text = FormatInCLocale(flagsWidthPrecision + conversion, real);
  } else if (conversion == 'd' || conversion == 'i') {
    text = FormatInCLocale(flagsWidthPrecision + conversion, integer);
  } else {
    text = FormatInCLocale(flagsWidthPrecision + conversion, static_cast<uint32_t>(integer));
  }
  out.AppendNarrow(text.data(), static_cast<int32_t>(text.size()));
  out.Append(after.data(), static_cast<int32_t>(after.size()));
}
