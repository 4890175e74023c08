// The window manager on the native window system: the native messages that no framework object claimed
// (the quit message, clicks beside an open drop-down list, Escape and the other keys, the tip timer), the
// quit request, the windows a modal window disabled, and the window manager's screen coordinates and
// system colours.
#include "framework/core/zafwindowmanager.h"

#include "framework/core/zafeventrecord.h"
#include "framework/data/zafclassid.h"
#include "framework/win32/zafmouseimages.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "native/native.h"

native::HWND ZafWindowManager::droppedComboBox = nullptr;

namespace {

// A press closes the open drop-down list unless it lands on the combo box or on the top-most window,
// which is the dropped list itself. The combo box clears the value when its list closes.
void CloseDropDownOnPressElsewhere(const native::MSG& message) {
  native::HWND& combo = ZafWindowManager::droppedComboBox;
  if (!combo) {
    return;
  }
  if (!native::IsWindow(combo)) {
    // The combo box went without closing up: nothing is open any more.
    combo = nullptr;
    return;
  }
  native::POINT point{native::GET_X_LPARAM(message.lParam), native::GET_Y_LPARAM(message.lParam)};
  if (message.message == native::WM_LBUTTONDOWN) {
    native::ClientToScreen(message.hwnd, &point);
  }
  const native::HWND pressed = native::WindowFromPoint(point);
  if (pressed != combo && pressed != native::GetTopWindow(nullptr)) {
    native::SendMessage(combo, native::CB_SHOWDROPDOWN, native::FALSE, 0);
  }
}

// Whether the pointer is still over the object's native window or one of its child windows; while a
// window holds the mouse, that window counts as the one under the pointer. An object without a window is
// under no pointer.
bool PointerIsOver(const ZafWindowObject& object) {
  const native::HWND window = object.ScreenID();
  if (!window) {
    return false;
  }
  native::HWND under = native::GetCapture();
  if (!under) {
    native::POINT cursor{0, 0};
    native::GetCursorPos(&cursor);
    under = native::WindowFromPoint(cursor);
  }
  return under == window || native::IsChild(window, under);
}

// The tip timer's tick: while the pointer stays on the tip object the timer runs on; once it has left,
// the object hears so and the timer stops until the next tip object starts it.
void TipTimerTick(ZafWindowManager& manager) {
  if (manager.tipObject && PointerIsOver(*manager.tipObject)) {
    return;
  }
  if (ZafWindowObject* tip = manager.tipObject) {
    // Cleared first: the object may pick a new tip object while it handles the leave.
    manager.tipObject = nullptr;
    tip->Event(ZafEventRecord(TipLeaveEvent, 0));
  }
  ZafWindowManager::StopTipTimer();
}

bool IsTipTimer(const native::MSG& message) {
  return !message.hwnd && ZafWindowObjectDrag::tipTimer != 0 &&
         message.wParam == ZafWindowObjectDrag::tipTimer;
}

// Key message lParam bit: the key was already down before this message (an auto-repeat).
constexpr native::LPARAM kPreviouslyDown = native::LPARAM{1} << 30;

// Key messages that no framework object claimed.
ZafEventType KeyNative(ZafWindowManager& manager, const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  const bool escape = message.wParam == native::VK_ESCAPE;
  if (escape && manager.escapeEndedDrag) {
    // The Escape that cancelled a drag belongs to the drag until it is released: its repeats and its
    // release reach no window. A new press starts over.
    const bool repeat = message.message == native::WM_KEYDOWN && (message.lParam & kPreviouslyDown) != 0;
    if (message.message == native::WM_KEYUP || repeat) {
      manager.escapeEndedDrag = repeat;
      return 0;
    }
    manager.escapeEndedDrag = false;
  }
  if (manager.dragObject) {
    // A drag takes every key: Escape cancels it; any other key moves the pointer where it is, so that the
    // drag sees the new key state with a mouse move.
    if (escape) {
      manager.dragObject = nullptr;
      manager.escapeEndedDrag = message.message == native::WM_KEYDOWN;
      ZafWindowObjectDrag::SetMouseImage(DM_VIEW);
    } else {
      native::POINT cursor{0, 0};
      native::GetCursorPos(&cursor);
      native::SetCursorPos(cursor.x, cursor.y);
    }
    return 0;
  }
  ZafWindow* front = manager.FrontWindow();
  if (front && !front->IsA(ID_ZAF_MDI_WINDOW) && escape) {
    if (message.message == native::WM_KEYUP && front->Temporary()) {
      manager.Event(ZafEventRecord(CloseTemporaryEvent, 0));
      return 0;
    }
    return front->Event(event);
  }
  if (front && front->IsA(ID_ZAF_MDI_WINDOW) && native::TranslateMDISysAccel(front->ScreenID(), &message)) {
    return 0;
  }
  // Framework windows translate their own keys; other windows get their characters here.
  if (native::IsWindow(message.hwnd) && native::GetWindowLong(message.hwnd, native::GWL_USERDATA) == 0) {
    native::TranslateMessage(&message);
  }
  return static_cast<ZafEventType>(native::DispatchMessage(&message));
}

}  // namespace

ZafEventType ZafWindowManager::DispatchNative(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  switch (message.message) {
    case native::WM_QUIT:
      // The quit message comes back through the queue; the exit function still has its say.
      return Event(ZafEventRecord(ExitRequestEvent, 0)) == 0 ? ExitEvent : 0;
    case native::WM_NCLBUTTONDOWN:
    case native::WM_LBUTTONDOWN:
      CloseDropDownOnPressElsewhere(message);
      break;
    case native::WM_KEYDOWN:
    case native::WM_KEYUP:
      return KeyNative(*this, event);
    case native::WM_TIMER:
      if (IsTipTimer(message)) {
        TipTimerTick(*this);
        return event.type;
      }
      break;
    default:
      break;
  }
  return static_cast<ZafEventType>(native::DispatchMessage(&message));
}

void ZafWindowManager::StopTipTimer() {
  if (ZafWindowObjectDrag::tipTimer != 0) {
    native::KillTimer(nullptr, ZafWindowObjectDrag::tipTimer);
    ZafWindowObjectDrag::tipTimer = 0;
  }
}

void ZafWindowManager::PostQuit(int exitCode) {
  native::PostQuitMessage(exitCode);
}

void ZafWindowManager::EnableBehind(ZafWindow* modalWindow) {
  if (!modalWindow || Index(modalWindow) < 0) {
    return;
  }
  for (ZafElement* element = modalWindow->ZafElement::Next(); element; element = element->Next()) {
    // Only windows are listed here.
    auto* window = static_cast<ZafWindow*>(static_cast<ZafWindowObject*>(element));
    // A window the program disabled itself stays disabled.
    if (const native::HWND outer = window->ScreenID(2)) {
      native::EnableWindow(outer, window->IsDisabledUp() ? native::FALSE : native::TRUE);
    }
    if (window->Modal()) {
      break;
    }
  }
}

ZafPositionStruct ZafWindowManager::PositionToNative(const ZafWindowObject* object,
                                                     const ZafPositionStruct* position) {
  ZafPositionStruct result{0, 0, ZAF_PIXEL};
  if (position) {
    result = *position;
  } else if (object) {
    const ZafRegionStruct corner = object->Region();
    result = {corner.left, corner.top, corner.coordinateType};
  }
  return result.Converted(ZAF_PIXEL, display);
}

ZafPositionStruct ZafWindowManager::PositionFromNative(const ZafWindowObject*,
                                                       const ZafPositionStruct& position) {
  return position.Converted(ZAF_PIXEL, display);
}

void ZafWindowManager::SetDisplayColors(ZafPaletteStruct& palette, uint16_t, uint16_t state) {
  // Every type of the window manager's palette is window text on the button face, the colours the window
  // object gives its foreground type.
  ZafWindowObject::SetDisplayColors(palette, ZAF_PM_FOREGROUND, state);
}
