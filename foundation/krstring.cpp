#include "foundation/krstring.h"

bool KRString::NotifyChanged(const KString& text) {
  if (callback != nullptr) {
    return callback(this, text, userData);
  }
  SetText(text);
  return true;
}
