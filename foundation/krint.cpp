#include "foundation/krint.h"

bool KRInt::NotifyChanged(int32_t newValue) {
  if (callback != nullptr) {
    return callback(this, newValue, userData);
  }
  Set(newValue);
  return true;
}

bool KRInt::ParseLineValue(const KString& text, const KString* minimum, const KString* maximum) {
  int32_t parsed = 0;
  if (!ParseBounded(text, minimum, maximum, &ParseNumber, bounds, parsed)) {
    return false;
  }
  return NotifyChanged(parsed);
}

void KRInt::AppendRange(KString& text) const {
  if (!bounds.present) {
    return;
  }
  text.AppendChar(u',').AppendInt(bounds.minimum).AppendChar(u',').AppendInt(bounds.maximum);
}

bool KRInt::ParseNumber(const KString& text, int32_t& number) {
  KString trimmed(text);
  trimmed.Trim();
  return trimmed.ParseInt(number);
}
