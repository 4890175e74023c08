// What a window makes of native messages. Messages addressed to an object inside it go to the child that
// holds the object; the window then takes Enter for its default button, hot keys for the object whose
// key it is, and Tab and the arrow keys to move the focus. Messages of its own native window are answered
// here or passed on to the control or object they concern.
#include "framework/core/zafwindow.h"

#include "framework/core/zafdisplay.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafscrollbar.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafchar.h"
#include "framework/data/zafclassid.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafgdidisplay.h"
#include "framework/win32/zafwindowkeys.h"
#include "framework/win32/zafwindowprocedure.h"
#include "native/native.h"

namespace {

ZafEventType ClassProcedure(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  return static_cast<ZafEventType>(
      ZafCallClassProcedure(message.hwnd, message.message, message.wParam, message.lParam));
}

ZafEventType Forward(native::HWND window, const native::MSG& message, native::LPARAM lParam) {
  return static_cast<ZafEventType>(native::SendMessage(window, message.message, message.wParam, lParam));
}

// The window's own object (support object or child) that is, or holds, `object`; null when the object
// lies outside the window or is the window itself.
ZafWindowObject* DirectObjectHolding(const ZafWindow& window, ZafWindowObject* object) {
  for (; object; object = object->Parent()) {
    if (object->Parent() == &window) {
      return object;
    }
  }
  return nullptr;
}

// The object of the window with that number, the window itself left out: a top-level window is numbered
// apart from its objects, so a command may carry its number and must still reach the object.
ZafWindowObject* ObjectWithNumber(ZafWindow& window, ZafNumberID id) {
  if (ZafIsReservedNumberID(id)) {
    return window.SupportObjectByID(id);
  }
  for (ZafList* list : {&window.SupportList(), static_cast<ZafList*>(&window)}) {
    for (ZafElement* element = list->First(); element; element = element->Next()) {
      if (ZafWindowObject* found = static_cast<ZafWindowObject*>(element)->FindObject(id)) {
        return found;
      }
    }
  }
  return nullptr;
}

bool ShiftDown() {
  return (native::GetKeyState(static_cast<int>(native::VK_SHIFT)) & 0x8000) != 0;
}

bool IsArrowKey(native::WPARAM key) {
  return key == native::VK_LEFT || key == native::VK_UP || key == native::VK_RIGHT || key == native::VK_DOWN;
}

}  // namespace

ZafEventType ZafWindow::NativeEvent(const ZafEventRecord& event) {
  if (editMode && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return ZafWindowObject::Event(event);
  }
  const native::MSG& message = event.osEvent;
  ZafWindowObject* holder = DirectObjectHolding(*this, event.addressedObject);
  ZafEventType answer = holder ? holder->Event(event) : UnknownEventResult;
  answer = KeyEvent(event, answer);
  // A key another object or the window took is answered; so is any message for an object inside.
  if (holder || answer != UnknownEventResult) {
    return answer;
  }
  switch (message.message) {
    case native::WM_NOTIFY:
      if (const auto* header = reinterpret_cast<const native::NMHDR*>(message.lParam);
          header && header->hwndFrom && header->hwndFrom != message.hwnd) {
        Forward(header->hwndFrom, message, message.lParam);
      }
      return UnknownEventResult;
    case native::WM_DRAWITEM:
      if (const auto* item = reinterpret_cast<const native::DRAWITEMSTRUCT*>(message.lParam);
          item && item->hwndItem && item->hwndItem != message.hwnd) {
        return Forward(item->hwndItem, message, message.lParam);
      }
      return ZafWindowObject::NativeEvent(event);
    case native::WM_MEASUREITEM:
      if (const auto* item = reinterpret_cast<const native::MEASUREITEMSTRUCT*>(message.lParam)) {
        if (ZafWindowObject* object = ObjectWithNumber(*this, static_cast<ZafNumberID>(item->CtlID))) {
          return object->Event(event);
        }
      }
      return ZafWindowObject::NativeEvent(event);
    case native::WM_PAINT:
      return nativeDrawing ? ClassProcedure(event) : ZafWindowObject::NativeEvent(event);
    case native::WM_ERASEBKGND:
      return nativeDrawing ? EraseBackground(event) : ZafWindowObject::NativeEvent(event);
    case native::WM_WINDOWPOSCHANGED:
      return PositionChanged(event);
    case native::WM_COMMAND:
      return Command(event);
    case native::WM_HSCROLL:
    case native::WM_VSCROLL: {
      const auto control = reinterpret_cast<native::HWND>(message.lParam);
      if (control && control != message.hwnd) {
        return Forward(control, message, message.lParam);
      }
      ZafScrollBar* bar = message.message == native::WM_HSCROLL ? HorizontalScrollBar() : VerticalScrollBar();
      if (bar) {
        return bar->Event(event);
      }
      return ClassProcedure(event);
    }
    case native::WM_CTLCOLORMSGBOX:
    case native::WM_CTLCOLOREDIT:
    case native::WM_CTLCOLORLISTBOX:
    case native::WM_CTLCOLORBTN:
    case native::WM_CTLCOLORDLG:
    case native::WM_CTLCOLORSCROLLBAR:
    case native::WM_CTLCOLORSTATIC: {
      const auto control = reinterpret_cast<native::HWND>(message.lParam);
      if (!control || control == screenID || control == message.hwnd) {
        return ZafWindowObject::NativeEvent(event);
      }
      return Forward(control, message, message.lParam);
    }
    case native::WM_QUERYNEWPALETTE:
      return QueryNewPalette(event);
    case native::WM_PALETTECHANGED:
      return PaletteChanged(event);
    case native::WM_KEYDOWN:
    case native::WM_KEYUP:
      // The window's own native window has the keys while a child drawn in it is current. Only one of the
      // two may translate a key, or every character would arrive twice: the current child takes it, and
      // the window's own handling only when no child is current.
      if (ZafWindowObject* current = CurrentChild()) {
        return current->Event(event);
      }
      return ZafWindowObject::NativeEvent(event);
    default: {
      const ZafEventType result = ZafWindowObject::NativeEvent(event);
      ZafWindowObject* current = CurrentChild();
      return result == UnknownEventResult && current ? current->Event(event) : result;
    }
  }
}

ZafEventType ZafWindow::KeyEvent(const ZafEventRecord& event, ZafEventType answer) {
  const native::MSG& message = event.osEvent;
  if (message.message == native::WM_KEYDOWN && message.wParam == native::VK_RETURN &&
      (answer == UnknownEventResult || answer == 0) && RootObject() == this) {
    ZafWindowObject* button = currentDefaultButton;
    // A default button that had the focus took the Enter itself and has been chosen already.
    if (button && !button->IsDisabledUp() && !ZafWindowKeys::Holds(button, event.addressedObject)) {
      answer = button->Event(ZafEventRecord(ChosenEvent, 0));
    }
  }
  if (answer != UnknownEventResult) {
    return answer;
  }
  const bool systemKey = message.message == native::WM_SYSKEYDOWN;
  if ((systemKey || (message.message == native::WM_KEYDOWN && systemKeys)) &&
      message.wParam != native::VK_MENU) {
    ZafEventRecord hotKey = event;
    hotKey.referenceObject = nullptr;
    hotKey.addressedObject = nullptr;
    ConvertCoordinates(hotKey);
    hotKey.type = HotKeyEvent;
    ZafKeyStruct key = hotKey.Key();
    key.value = ZafToUpper(static_cast<ZafIChar>(key.value));
    hotKey.SetKey(key);
    if (key.value != 0) {
      answer = ZafWindowKeys::Offer(*this, hotKey, CurrentChild(), false);
      if (answer != UnknownEventResult) {
        return answer;
      }
    }
  }
  if ((message.message == native::WM_SYSKEYDOWN || message.message == native::WM_SYSKEYUP) &&
      RootObject() == this) {
    // The platform's own Alt handling (the menu bar's mnemonics, the system menu, closing by key) for keys
    // nobody took. Keys reach only the root window of the focus, which may lie inside another window (a
    // multiple-document child): the keys never pass its parent, so the root window hands them on.
    native::TranslateMessage(&message);
    return ClassProcedure(event);
  }
  if (message.message != native::WM_KEYDOWN) {
    return answer;
  }
  ZafWindowObject* target = nullptr;
  if (message.wParam == native::VK_TAB && RootObject()->IsA(ID_ZAF_DIALOG_WINDOW)) {
    // Tab runs through every control of a dialog: a window inside it (a notebook's page, a box of fields)
    // is no round of its own and leaves the key to the dialog.
    if (RootObject() != this) {
      return answer;
    }
    target = ZafWindowKeys::DialogTabTarget(*this, event.addressedObject, ShiftDown());
  } else if (message.wParam == native::VK_TAB) {
    target = ZafWindowKeys::TabTarget(*this, ShiftDown());
  } else if (IsArrowKey(message.wParam)) {
    target = ZafWindowKeys::ArrowTarget(*this, static_cast<native::UINT>(message.wParam));
  } else if (message.wParam == native::VK_F1) {
    return ZafWindowObject::NativeEvent(event);
  }
  if (target && target->IsA(ID_ZAF_NOTEBOOK)) {
    static_cast<ZafNotebook*>(target)->FocusTabs();
    return 0;
  }
  if (target) {
    target->SetFocus(true);
    return 0;
  }
  return answer;
}

ZafEventType ZafWindow::Command(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (const auto control = reinterpret_cast<native::HWND>(message.lParam)) {
    // The control's own notification, handed back to it as a command of its own.
    return Forward(control, message, 0);
  }
  // Menus and accelerators belong to the front window: another top-level window hands the command there.
  // A window inside another looks among its own objects, since a command handed down to it from the front
  // window (or back from its parent as its own control notification) must not go round again.
  ZafWindow* front = windowManager ? windowManager->FrontWindow() : nullptr;
  if (front && front != this && !parent) {
    front->Event(event);
    return UnknownEventResult;
  }
  ZafWindowObject* object = ObjectWithNumber(*this, native::LOWORD(message.wParam));
  return object ? object->Event(event) : UnknownEventResult;
}

ZafEventType ZafWindow::PositionChanged(const ZafEventRecord& event) {
  const ZafEventType result = ClassProcedure(event);
  const native::MSG& message = event.osEvent;
  const auto* position = reinterpret_cast<const native::WINDOWPOS*>(message.lParam);
  if (!position || !screenID) {
    return result;
  }
  const bool outer = message.hwnd == ZafFrameOrScreenID(this);
  const bool moved = outer && (position->flags & native::SWP_NOMOVE) == 0;
  const bool sized = (position->flags & native::SWP_NOSIZE) == 0;
  if (outer && (moved || sized)) {
    const ZafRegionStruct nativeArea{position->x, position->y, position->x + position->cx - 1,
                                     position->y + position->cy - 1, ZAF_PIXEL};
    ZafWindowObject* coordinateParent = parent ? parent : windowManager;
    region = coordinateParent ? coordinateParent->RegionFromNative(this, nativeArea) : nativeArea;
  }
  const ZafRegionStruct oldClient = clientRegion.Converted(ZAF_PIXEL, display);
  native::RECT client{};
  native::GetClientRect(screenID, &client);
  if (client.right > client.left && client.bottom > client.top) {
    clientRegion = {0, 0, client.right - 1, client.bottom - 1, ZAF_PIXEL};
  }
  const bool clientSized =
      clientRegion.Width() != oldClient.Width() || clientRegion.Height() != oldClient.Height();
  ZafEventRecord previous(MovedEvent, 0);
  previous.SetRegion(lastNativeRegion);
  if (moved) {
    Event(previous);
  }
  if (sized || clientSized) {
    previous.type = SizedEvent;
    Event(previous);
  }
  // Only the outer window's own change shows where it is: a client window placed inside a frame that
  // is not yet in its place (a bar laid out while the window is made) says nothing of the frame.
  if (moved || (outer && sized)) {
    lastNativeRegion = region;
  }
  return result;
}
