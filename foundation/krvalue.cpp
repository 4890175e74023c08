#include "foundation/krvalue.h"

bool KRValue::ParseLineValue(const KString& value, const KString* minimum, const KString* maximum) {
  if (minimum != nullptr || maximum != nullptr) {
    return false;
  }
  return ParseValue(value);
}
