#include "toolkit/kzhotkeytext.h"

KZHotKeyText::KZHotKeyText(const char16_t* label) {
  for (const char16_t* at = label ? label : u""; *at; ++at) {
    if (*at != u'&') {
      text += *at;
      continue;
    }
    const char16_t next = *++at;
    if (!next) {
      break;
    }
    if (next != u'&' && key == 0) {
      key = next;
      keyPosition = static_cast<int32_t>(text.size());
    }
    text += next;
  }
}
