#pragma once
// Small helpers of the program's dialog tests: a field's text as UTF-8, and a dialog's button by the
// command it gives.

#include <string>
#include <vector>

#include "foundation/kstring.h"
#include "toolkit/kzbutton.h"
#include "toolkit/tests/kzdialogtestbed.h"

inline std::string Narrow(const ZafIChar* text) {
  return KString(text != nullptr ? text : u"").ToUtf8();
}

// The first button in the window (or the windows inside it) that gives `value`, or null.
inline KZButton* ButtonGiving(ZafWindowObject* window, ZafEventType value) {
  std::vector<KZButton*> buttons;
  Collect(window, buttons);
  for (KZButton* button : buttons) {
    if (button->Value() == value) {
      return button;
    }
  }
  return nullptr;
}
