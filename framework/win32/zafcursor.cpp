#include "framework/win32/zafcursor.h"

#include "framework/core/zafeventrecord.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"
#include "native/native.h"

uint32_t ZafCursor::blinkTime = 0;

ZafCursor::ZafCursor(int32_t state, int32_t mode) : ZafDevice(E_CURSOR_DEVICE, state), mode(mode) {
  SetNumberID(ID_ZAF_CURSOR);
  SetStringID(u"ZafCursor");
  blinkTime = native::GetCaretBlinkTime();
}

ZafClassID ZafCursor::ClassID() const {
  return ID_ZAF_CURSOR;
}

const ZafIChar* ZafCursor::ClassName() const {
  return u"ZafCursor";
}

bool ZafCursor::IsA(ZafClassID id) const {
  return id == ID_ZAF_CURSOR || ZafDevice::IsA(id);
}

bool ZafCursor::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafCursor") == 0) || ZafDevice::IsAName(name);
}

int32_t ZafCursor::SetMode(int32_t newMode) {
  mode = newMode;
  return mode;
}

void ZafCursor::SetBlinkTime(uint32_t milliseconds) {
  blinkTime = milliseconds;
  native::SetCaretBlinkTime(milliseconds);
}

int32_t ZafCursor::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case DC_OVERSTRIKE:
    case DC_INSERT:
      SetMode(event.type);
      break;
    case D_STATE:
      return deviceState;
    case D_ON:
      deviceState = D_ON;
      native::ShowCaret(nullptr);
      break;
    case D_OFF:
      deviceState = D_OFF;
      native::HideCaret(nullptr);
      break;
    default:
      break;
  }
  return event.type;
}
