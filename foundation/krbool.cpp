#include "foundation/krbool.h"

#include <iterator>

bool KRBool::ParseValue(const KString& text) {
  struct Spelling {
    const char16_t* text;
    uint8_t value;
  };
  static constexpr Spelling kSpellings[] = {
      {u"0", 0}, {u"1", 1}, {u"false", 0}, {u"true", 1}, {u"no", 0}, {u"yes", 1},
  };
  KString trimmed(text);
  trimmed.Trim();
  for (const Spelling& spelling : kSpellings) {
    if (KString::EqualsNoCase(trimmed, KString::View(spelling.text))) {
      Set(spelling.value);
      return true;
    }
  }
  return false;
}
