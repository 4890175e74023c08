// The frame parts of a window live in its native window's frame (caption, system menu box, minimize and
// maximize boxes): they create, place and draw nothing of their own and only hold the handle of the
// window they belong to while it exists.
#include "framework/core/zafframebutton.h"

native::HWND ZafFrameButton::ParentWindow() const {
  return parent ? parent->ScreenID(2) : nullptr;
}

ZafEventType ZafFrameButton::Draw(const ZafEventRecord&, ZafEventType drawType) {
  return drawType;
}

void ZafFrameButton::CreateNative() {}

void ZafFrameButton::UpdateNative() {}

void ZafFrameButton::UpdatePalettes(uint16_t, uint16_t) {}

ZafEventType ZafFrameButton::Event(const ZafEventRecord& event) {
  if (event.type == NativeAttachedEvent) {
    screenID = ParentWindow();
  } else if (event.type == NativeGoneEvent) {
    screenID = nullptr;
  }
  return UnknownEventResult;
}
