#include "framework/core/zaferrorsystem.h"

ZafErrorSystem* ZafErrorSystem::errorSystem = nullptr;

// An error system that goes away stops being the shared one, so no one reports into a deleted object.
ZafErrorSystem::~ZafErrorSystem() {
  if (errorSystem == this) {
    errorSystem = nullptr;
  }
}

ZafEventType ZafErrorSystem::Report(ZafWindowObject*, uint16_t, const ZafIChar*, va_list) {
  Beep();
  return ZAF_ERROR_ANSWER_OK;
}

ZafEventType ZafErrorSystem::ReportMessage(ZafWindowObject* object, uint16_t buttons, const ZafIChar* format,
                                           ...) {
  va_list arguments;
  va_start(arguments, format);
  const ZafEventType answer = Report(object, buttons ? buttons : ZAF_ERROR_BUTTON_OK, format, arguments);
  va_end(arguments);
  return answer;
}
