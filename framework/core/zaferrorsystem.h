// The framework's error system: one shared object, which may be absent, through which fields tell the user
// that what was typed cannot be taken. A report names the object at fault, the buttons the user may answer
// with and a message built from a format and its arguments; it answers the value of the button chosen.
#ifndef FRAMEWORK_CORE_ZAFERRORSYSTEM_H
#define FRAMEWORK_CORE_ZAFERRORSYSTEM_H

#include <cstdarg>
#include <cstdint>

#include "framework/core/zafeventtypes.h"
#include "framework/data/zaftypes.h"

class ZafWindowObject;

// The buttons a report offers (a mask) and the answers they give: bit i answers -2999 + i.
inline constexpr uint16_t ZAF_ERROR_BUTTON_OK = 0x0001;
inline constexpr uint16_t ZAF_ERROR_BUTTON_CANCEL = 0x0040;
inline constexpr ZafEventType ZAF_ERROR_ANSWER_OK = -2999;

class ZafErrorSystem {
 public:
  virtual ~ZafErrorSystem();
  // Sounds the platform's warning (defined by the back-end).
  virtual void Beep();
  // Beeps and tells the user, in a modal message window with the warning picture and OK as the default
  // button, the message `format` makes of `arguments`, offering `buttons`; answers the value of the button
  // chosen (ZAF_DIALOG_NOT_RUN when no modal loop can run). The window's title is that of the object's
  // window.
  virtual ZafEventType Report(ZafWindowObject* object, uint16_t buttons, const ZafIChar* format,
                              va_list arguments);
  // Report with the arguments given in place; OK is the button when none is named.
  ZafEventType ReportMessage(ZafWindowObject* object, uint16_t buttons, const ZafIChar* format, ...);

  // The shared error system, or null when the program has none. Not owned here.
  static ZafErrorSystem* ErrorSystem() { return errorSystem; }
  static void SetErrorSystem(ZafErrorSystem* system) { errorSystem = system; }

 private:
  static ZafErrorSystem* errorSystem;
};

#endif
