#include "foundation/krfloat.h"

#include <charconv>
#include <cmath>
#include <string>

bool KRFloat::ParseLineValue(const KString& text, const KString* minimum, const KString* maximum) {
  return ParseBounded(text, minimum, maximum, &ParseNumber, bounds, value);
}

void KRFloat::AppendRange(KString& text) const {
  if (!bounds.present) {
    return;
  }
  AppendNumber(text.AppendChar(u','), bounds.minimum);
  AppendNumber(text.AppendChar(u','), bounds.maximum);
}

bool KRFloat::ParseNumber(const KString& text, double& number) {
  KString trimmed(text);
  trimmed.Trim();
  // from_chars is locale-independent and takes no '+', so a leading one is skipped here.
  const int32_t first = trimmed.At(0) == u'+' ? 1 : 0;
  if (first == 1 && trimmed.At(1) == u'-') {
    return false;
  }
  std::string ascii;
  for (int32_t i = first; i < trimmed.Length(); ++i) {
    if (trimmed[i] > 0x7f) {
      return false;
    }
    ascii.push_back(static_cast<char>(trimmed[i]));
  }
  double parsed = 0.0;
  const char* last = ascii.data() + ascii.size();
  const auto [end, error] = std::from_chars(ascii.data(), last, parsed, std::chars_format::general);
  if (error != std::errc() || end != last || !std::isfinite(parsed)) {
    return false;
  }
  number = parsed;
  return true;
}

void KRFloat::AppendNumber(KString& text, double number) {
  // The shortest text that reads back as the same double.
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
  (void)error;  // 32 characters hold every double
  text.AppendNarrow(digits, static_cast<int32_t>(end - digits));
}
