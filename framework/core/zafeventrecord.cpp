#include "framework/core/zafeventrecord.h"

#include "framework/data/zafstrlib.h"
#include "native/user/messages.h"

ZafEventRecord::ZafEventRecord(int32_t type, int32_t value) : type(type), value(value) {}

ZafEventRecord::ZafEventRecord(int32_t type, const native::MSG& message) : type(type), osEvent(message) {}

ZafEventRecord::ZafEventRecord(int32_t type, int32_t value, int32_t left, int32_t top, int32_t right,
                               int32_t bottom, int32_t coordinateType)
    : type(type), value(value), data{left, top, right, bottom, coordinateType} {}

int32_t ZafEventRecord::Category(const ZafEventRecord& event) {
  if (event.type == E_OSEVENT) {
    const native::UINT message = event.osEvent.message;
    if (message == native::WM_KEYDOWN || message == native::WM_KEYUP || message == native::WM_SYSKEYDOWN ||
        message == native::WM_SYSKEYUP) {
      return ZAF_CATEGORY_KEYBOARD;
    }
    if ((message >= native::WM_MOUSEMOVE && message <= native::WM_MBUTTONDBLCLK) ||
        (message >= native::WM_NCMOUSEMOVE && message <= native::WM_NCMBUTTONDBLCLK)) {
      return ZAF_CATEGORY_MOUSE;
    }
    return ZAF_CATEGORY_NONE;
  }
  if (event.type == E_KEY) {
    return ZAF_CATEGORY_KEYBOARD;
  }
  if (event.type == E_MOUSE) {
    return ZAF_CATEGORY_MOUSE;
  }
  if (event.type >= -2999 && event.type <= -1) {
    return ZAF_CATEGORY_SYSTEM;
  }
  if (event.type >= 100 && event.type <= 9999) {
    return ZAF_CATEGORY_USER;
  }
  return ZAF_CATEGORY_NONE;
}

void ZafEventRecord::SetPosition(const ZafPositionStruct& position) {
  data[0] = position.column;
  data[1] = position.line;
  data[2] = position.coordinateType;
}

void ZafEventRecord::SetRegion(const ZafRegionStruct& region) {
  data[0] = region.left;
  data[1] = region.top;
  data[2] = region.right;
  data[3] = region.bottom;
  data[4] = region.coordinateType;
}

void ZafEventRecord::SetScroll(const ZafScrollStruct& scroll) {
  data[0] = scroll.current;
  data[1] = scroll.minimum;
  data[2] = scroll.maximum;
  data[3] = scroll.showing;
  data[4] = scroll.delta;
}

void ZafEventRecord::SetKey(const ZafKeyStruct& key) {
  data[0] = key.shiftState;
  data[1] = key.value;
}

void ZafEventRecord::SetText(const ZafIChar* newText) {
  text = newText ? std::shared_ptr<const ZafIChar[]>(ZafStrDup(newText)) : nullptr;
}
