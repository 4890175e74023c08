#include "framework/win32/zafmouse.h"

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"
#include "framework/win32/zafqueuedinput.h"
#include "native/native.h"

ZafMouse::ZafMouse(int32_t state, int32_t image) : ZafDevice(E_MOUSE_DEVICE, state), image(image) {
  SetNumberID(ID_ZAF_MOUSE);
  SetStringID(u"ZafMouse");
  ZafMouseImages::Acquire();
}

ZafMouse::~ZafMouse() {
  ZafMouseImages::Release();
}

ZafClassID ZafMouse::ClassID() const {
  return ID_ZAF_MOUSE;
}

const ZafIChar* ZafMouse::ClassName() const {
  return u"ZafMouse";
}

bool ZafMouse::IsA(ZafClassID id) const {
  return id == ID_ZAF_MOUSE || ZafDevice::IsA(id);
}

bool ZafMouse::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafMouse") == 0) || ZafDevice::IsAName(name);
}

int32_t ZafMouse::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case DM_POSITION:
      native::SetCursorPos(event.Position().column, event.Position().line);
      break;
    case D_STATE:
      return deviceState;
    case D_ON:
    case D_OFF:
      deviceState = event.type;
      native::ShowCursor(event.type == D_ON ? native::TRUE : native::FALSE);
      break;
    default:
      if (event.type >= DM_FIRST_IMAGE && event.type <= DM_LAST_IMAGE) {
        image = event.type;
        if (const ZafMouseImage* row = ZafMouseImages::Find(image); row && row->cursor) {
          native::SetCursor(row->cursor);
        }
      }
      break;
  }
  return event.type;
}

void ZafMouse::Poll() {
  if (deviceState == D_OFF) {
    ZafDropQueuedHead(ZafWindowObject::eventManager, ZAF_CATEGORY_MOUSE);
  }
}
