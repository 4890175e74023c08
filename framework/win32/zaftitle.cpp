// The title on the native side: its text is the caption of the window's native window.
#include "framework/core/zaftitle.h"

#include "native/user/messageapi.h"
#include "native/user/messages.h"

ZafEventType ZafTitle::Event(const ZafEventRecord& event) {
  const ZafEventType answer = ZafFrameButton::Event(event);
  // A text set before the window existed shows as soon as it does.
  if (event.type == NativeAttachedEvent) {
    UpdateNativeText();
  }
  return answer;
}

int ZafTitle::UpdateNativeText() {
  if (screenID && Text()) {
    native::SendMessage(screenID, native::WM_SETTEXT, 0, reinterpret_cast<native::LPARAM>(Text()));
  }
  return 0;
}
