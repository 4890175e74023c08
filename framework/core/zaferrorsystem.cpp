#include "framework/core/zaferrorsystem.h"

#include "framework/core/zaficon.h"
#include "framework/core/zafmessagewindow.h"
#include "framework/core/zafwindowobject.h"
#include "framework/data/zafclassid.h"

ZafErrorSystem* ZafErrorSystem::errorSystem = nullptr;

// An error system that goes away stops being the shared one, so no one reports into a deleted object.
ZafErrorSystem::~ZafErrorSystem() {
  if (errorSystem == this) {
    errorSystem = nullptr;
  }
}

ZafEventType ZafErrorSystem::Report(ZafWindowObject* object, uint16_t buttons, const ZafIChar* format,
                                    va_list arguments) {
  Beep();
  ZafWindowObject* root = object ? object->RootObject() : nullptr;
  const ZafIChar* title = root && root->IsA(ID_ZAF_WINDOW) ? root->Text() : nullptr;
  ZafMessageWindow window(title, ZAF_ICON_EXCLAMATION, buttons, ZAF_MESSAGE_OK, format, arguments);
  return window.Control();
}

ZafEventType ZafErrorSystem::ReportMessage(ZafWindowObject* object, uint16_t buttons, const ZafIChar* format,
                                           ...) {
  va_list arguments;
  va_start(arguments, format);
  const ZafEventType answer = Report(object, buttons ? buttons : ZAF_ERROR_BUTTON_OK, format, arguments);
  va_end(arguments);
  return answer;
}
