// The border's native side: the window's frame draws itself, so the border only follows the frame's
// handle and measures the frame the platform gives the window.
#include "framework/core/zafborder.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "native/native.h"

ZafEventType ZafBorder::Event(const ZafEventRecord& event) {
  if (event.type == NativeAttachedEvent) {
    screenID = parent ? parent->ScreenID(2) : nullptr;
  } else if (event.type == NativeGoneEvent) {
    screenID = nullptr;
  }
  return UnknownEventResult;
}

ZafEventType ZafBorder::Draw(const ZafEventRecord&, ZafEventType drawType) {
  return drawType;
}

void ZafBorder::SetDisplayColors(ZafPaletteStruct&, uint16_t, uint16_t) {}

void ZafBorder::CreateNative() {}

void ZafBorder::UpdateNative() {}

void ZafBorder::UpdatePalettes(uint16_t, uint16_t) {}

int ZafBorder::UpdateBorderWidth() {
  const auto* window = dynamic_cast<const ZafWindow*>(parent);
  if (!window) {
    return 1;
  }
  int metric = native::SM_CXBORDER;
  if (window->IsA(ID_ZAF_DIALOG_WINDOW)) {
    metric = native::SM_CXDLGFRAME;
  } else if (window->Sizeable()) {
    metric = native::SM_CXFRAME;
  }
  width = native::GetSystemMetrics(metric);
  return 0;
}
