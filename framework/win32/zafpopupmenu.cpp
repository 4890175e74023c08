// The pop-up menu on the native window system: its native menu, the tracking of a free-standing context
// menu, and the commands and selections of its entries.
#include "framework/core/zafpopupmenu.h"

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "native/native.h"

ZafEventType ZafPopUpMenu::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case CloseQueryEvent:
      return 0;
    case AddObjectEvent:
    case SubtractObjectEvent:
      // An item's submenu leaves the change to the item, whose native entry may change kind with the
      // list; any other menu (a context menu, a system button's) changes its own list.
      return SubmenuOf(parent) == this ? parent->Event(event) : ZafWindow::Event(event);
    case FocusGainedEvent:
      ZafWindowObject::Event(event);
      Event(ZafEventRecord(FocusGainEvent, 0));
      return code;
    case NativeGoneEvent:
    case NativeAttachedEvent:
    case PrepareEvent:
      ZafWindowObject::Event(event);
      BroadcastToChildren(event, 0);
      return code;
    case FocusLostEvent:
      if (ZafWindowObject* current = CurrentChild(); current && current->Focus()) {
        current->Event(event);
      }
      SetCurrent(nullptr);
      Event(ZafEventRecord(FocusLoseEvent, 0));
      ZafWindowObject::Event(event);
      return code;
    case DestroyEvent:
      // The handle is a menu, not a window: the entries go, then the menu, never a window.
      NotifyChildrenDestroy();
      if (screenID) {
        native::DestroyMenu(Menu());
      }
      Event(ZafEventRecord(NativeGoneEvent, 0));
      return code;
    case CreateEvent: {
      Event(ZafEventRecord(PrepareEvent, 0));
      Event(ZafEventRecord(NativeAttachedEvent, 0));
      if (parent || !windowManager || windowManager->Index(this) < 0) {
        return code;
      }
      // The window that was in front when the menu was added owns it while it is tracked.
      auto* ownerWindow = static_cast<ZafWindowObject*>(static_cast<ZafElement*>(this)->Next());
      if (!ownerWindow) {
        return code;
      }
      const native::HWND ownerHandle = ownerWindow->ScreenID(2);
      native::TrackPopupMenu(Menu(), native::TPM_RIGHTBUTTON, region.left, region.top, 0, ownerHandle,
                             nullptr);
      // The choice is carried out while the menu is still the front window, before it is closed.
      native::MSG waiting{};
      while (native::PeekMessage(&waiting, ownerHandle, native::WM_COMMAND, native::WM_COMMAND,
                                 native::PM_REMOVE)) {
        native::DispatchMessage(&waiting);
      }
      if (eventManager) {
        eventManager->Put(ZafEventRecord(CloseTemporaryEvent, 0), Q_END);
      }
      return code;
    }
    default:
      return ZafWindow::Event(event);
  }
}

ZafEventType ZafPopUpMenu::NativeEvent(const ZafEventRecord& event) {
  switch (event.osEvent.message) {
    case native::WM_COMMAND: {
      // The chosen entry is one of the items, or an item of one of their cascades; the menu itself is
      // never the target, even when its own number happens to equal the command.
      const ZafNumberID id = native::LOWORD(event.osEvent.wParam);
      for (ZafElement* element = First(); element; element = element->Next()) {
        if (ZafWindowObject* found = static_cast<ZafWindowObject*>(element)->FindObject(id)) {
          return found->Event(event);
        }
      }
      return event.type;
    }
    case native::WM_MENUSELECT:
      return MenuSelect(*this, event, 0);
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}

void ZafPopUpMenu::CreateNative() {
  if (HasItems()) {
    screenID = reinterpret_cast<native::HWND>(native::CreatePopupMenu());
  }
}

void ZafPopUpMenu::UpdateNative() {}

void ZafPopUpMenu::RedisplayNative(const ZafEventRecord&) {}

ZafEventType ZafPopUpMenu::DrawBorder(ZafRegionStruct&, ZafEventType drawType) {
  return drawType;
}

ZafEventType ZafPopUpMenu::Draw(const ZafEventRecord&, ZafEventType drawType) {
  return drawType;
}

native::HWND ZafPopUpMenu::ScreenID(int32_t) const {
  return screenID;
}

bool ZafPopUpMenu::SetVisible(bool flag) {
  visible = flag;
  return visible;
}

bool ZafPopUpMenu::SetAutomaticUpdate(bool flag) {
  automaticUpdate = flag;
  return automaticUpdate;
}

bool ZafPopUpMenu::SetFocus(bool flag) {
  focus = flag && !IsDisabledUp() && !IsNonCurrentUp();
  return focus;
}

native::UINT_PTR ZafPopUpMenu::EntryIdentifier(ZafNumberID itemNumberID) const {
  if (screenID && HasItems()) {
    return reinterpret_cast<native::UINT_PTR>(Menu());
  }
  // The number as the signed 16-bit command the native menu reports back in WM_COMMAND's low word.
  return static_cast<native::UINT_PTR>(static_cast<int16_t>(itemNumberID));
}

ZafEventType ZafPopUpMenu::MenuSelect(ZafWindow& menu, const ZafEventRecord& event, int32_t offset) {
  const native::WORD identifier = native::LOWORD(event.osEvent.wParam);
  const native::UINT flags = native::HIWORD(event.osEvent.wParam);
  const auto selectedMenu = reinterpret_cast<native::HWND>(event.osEvent.lParam);
  ZafWindowObject* current = menu.CurrentChild();
  if (!menu.ScreenID() || selectedMenu != menu.ScreenID()) {
    // A menu further down: the current item's submenu walks its own entries.
    if (ZafPopUpMenu* submenu = SubmenuOf(current)) {
      submenu->Event(event);
    }
    return event.type;
  }
  // The walk ends at the first entry the message names; an entry that may never be current (a
  // separator) is no match.
  ZafWindowObject* match = nullptr;
  int32_t position = offset;
  for (ZafElement* element = menu.First(); element; element = element->Next(), ++position) {
    auto* child = static_cast<ZafWindowObject*>(element);
    if ((flags & native::MF_POPUP) ? position == identifier : child->NumberID() == identifier) {
      match = child->NonCurrent() ? nullptr : child;
      break;
    }
  }
  if (!menu.Focus()) {
    menu.Event(ZafEventRecord(FocusGainedEvent, 0));
  } else if (ZafPopUpMenu* submenu = SubmenuOf(current); submenu && submenu->Focus()) {
    submenu->Event(ZafEventRecord(FocusLostEvent, 0));
  }
  if (match && !match->Focus()) {
    if (current && current->Focus()) {
      current->Event(ZafEventRecord(FocusLostEvent, 0));
    }
    menu.SetCurrent(match);
    match->Event(ZafEventRecord(FocusGainedEvent, 0));
  }
  return event.type;
}
