// The window object's state setters that reach its native window: an object with its own native window
// is shown, hidden, enabled and switched to redraw natively; one that draws in its parent's window is
// redrawn there instead.
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/styles.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"

namespace {

void Redisplay(ZafWindowObject& object) {
  object.Event(ZafEventRecord(RedisplayEvent, 0));
}

}  // namespace

bool ZafWindowObject::SetVisible(bool flag) {
  visible = flag;
  if (screenID) {
    if (!ownNativeWindow) {
      Redisplay(*this);
    } else {
      native::ShowWindow(screenID, visible ? native::SW_SHOW : native::SW_HIDE);
    }
  }
  return visible;
}

bool ZafWindowObject::SetDisabled(bool flag) {
  disabled = flag;
  if (screenID) {
    // An object in edit mode keeps its native window enabled; only its drawing shows the state.
    if (!ownNativeWindow || editMode) {
      Redisplay(*this);
    } else {
      native::EnableWindow(screenID, disabled ? native::FALSE : native::TRUE);
    }
  }
  return disabled;
}

bool ZafWindowObject::SetAutomaticUpdate(bool flag) {
  automaticUpdate = flag;
  if (screenID && visible) {
    if (ownNativeWindow) {
      native::SendMessage(screenID, native::WM_SETREDRAW, automaticUpdate ? native::TRUE : native::FALSE, 0);
    }
    if (automaticUpdate) {
      Redisplay(*this);
    }
  }
  return automaticUpdate;
}
