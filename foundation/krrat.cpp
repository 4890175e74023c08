#include "foundation/krrat.h"

#include "foundation/krint.h"
#include "foundation/kx.h"

void KRRat::AppendValue(KString& text) const {
  text.AppendInt(value.Numerator()).AppendChar(u'/').AppendInt(value.Denominator());
}

bool KRRat::ParseValue(const KString& text) {
  const int32_t slash = text.Find(u'/');
  int32_t numerator = 0;
  int32_t denominator = 1;
  if (slash < 0) {
    if (!KRInt::ParseNumber(text, numerator)) {
      return false;
    }
  } else if (!KRInt::ParseNumber(KString(text.Data(), slash), numerator) ||
             !KRInt::ParseNumber(KString(text.Data() + slash + 1, text.Length() - slash - 1), denominator)) {
    return false;
  }
  try {
    value = KRational(numerator, denominator);
  } catch (const KX&) {
    return false;  // a zero denominator, or a fraction whose reduced form does not fit 32 bits
  }
  return true;
}
