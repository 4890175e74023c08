#include "foundation/kstreammenu.h"

#include "foundation/kstring.h"

bool KStreamMenu::ParseType(const KString& text, int32_t& type) {
  KString field;
  if (!field.GetField(text, 0, u',')) {
    return false;
  }
  field.Trim();
  int32_t value = 0;
  if (!field.ParseInt(value)) {
    return false;
  }
  type = value;
  return true;
}
