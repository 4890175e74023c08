// The window object's state setters that reach its native window: an object with its own native window
// is shown, hidden, enabled and switched to redraw natively; one that draws in its parent's window is
// redrawn there instead. The focus goes through the native focus where a window can take it.
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "native/user/focusmanager.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/styles.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"

void ZafWindowObject::Redisplay() {
  if (screenID) {
    Event(ZafEventRecord(RedisplayEvent, 0));
  }
}

bool ZafWindowObject::SetVisible(bool flag) {
  visible = flag;
  if (screenID) {
    if (!ownNativeWindow) {
      Redisplay();
    } else {
      native::ShowWindow(ScreenID(2), visible ? native::SW_SHOW : native::SW_HIDE);
    }
  }
  return visible;
}

bool ZafWindowObject::SetDisabled(bool flag) {
  disabled = flag;
  if (screenID) {
    // An object in edit mode keeps its native window enabled; only its drawing shows the state.
    if (!ownNativeWindow || editMode) {
      Redisplay();
    } else {
      native::EnableWindow(ScreenID(2), disabled ? native::FALSE : native::TRUE);
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
      Redisplay();
    }
  }
  return automaticUpdate;
}

bool ZafWindowObject::SetFocus(bool flag) {
  // Nothing disabled or barred from being current may hold the focus.
  if (IsDisabledUp() || IsNonCurrentUp()) {
    flag = false;
  }
  if (!screenID) {
    focus = flag;
    return focus;
  }
  if (flag == focus) {
    // The native focus may have wandered off (a click on a plain native window): bring it back.
    if (focus) {
      native::SetFocus(screenID);
    }
    return focus;
  }
  if (!ownNativeWindow) {
    // The parent's window holds the native focus for every object drawn in it; the framework's focus
    // protocol decides which of them is current.
    if (flag && native::GetFocus() != screenID) {
      native::SetFocus(screenID);
    }
    NotifyFocus(flag ? this : parent, flag);
  } else if (flag) {
    // The window's focus notification runs the focus protocol.
    native::SetFocus(screenID);
  } else if (parent && !NotifyFocus(parent, false)) {
    native::SetFocus(parent->ScreenID());
  }
  return focus;
}
