#pragma once
// The program's error system: what a field reports (a letter typed into a number field) is shown in the
// program's own message window, which runs the program's loop, so the idle ticks and the links they serve
// go on while the user reads it.

#include "framework/core/zaferrorsystem.h"

class ProgramErrorSystem : public ZafErrorSystem {
 public:
  ZafEventType Report(ZafWindowObject* object, uint16_t buttons, const ZafIChar* format,
                      va_list arguments) override;
};
