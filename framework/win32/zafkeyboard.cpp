#include "framework/win32/zafkeyboard.h"

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"
#include "framework/win32/zafqueuedinput.h"

ZafKeyboard::ZafKeyboard(int32_t state) : ZafDevice(E_KEYBOARD_DEVICE, state) {
  SetNumberID(ID_ZAF_KEYBOARD);
  SetStringID(u"ZafKeyboard");
}

ZafClassID ZafKeyboard::ClassID() const {
  return ID_ZAF_KEYBOARD;
}

const ZafIChar* ZafKeyboard::ClassName() const {
  return u"ZafKeyboard";
}

bool ZafKeyboard::IsA(ZafClassID id) const {
  return id == ID_ZAF_KEYBOARD || ZafDevice::IsA(id);
}

bool ZafKeyboard::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafKeyboard") == 0) || ZafDevice::IsAName(name);
}

int32_t ZafKeyboard::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case D_STATE:
      return deviceState;
    case D_ON:
    case D_OFF:
      deviceState = event.type;
      break;
    default:
      break;
  }
  return event.type;
}

void ZafKeyboard::Poll() {
  if (deviceState == D_OFF) {
    ZafDropQueuedHead(ZafWindowObject::eventManager, ZAF_CATEGORY_KEYBOARD);
  }
}
