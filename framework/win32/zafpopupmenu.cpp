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
      return FocusGained(event);
    case NativeGoneEvent:
    case NativeAttachedEvent:
    case PrepareEvent:
      return EventToMenuAndItems(event);
    case FocusLostEvent:
      return FocusLost(event);
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
        // The caller usually deletes the menu, and its items with it, as soon as it is closed: the choice
        // the items queued goes to the owner instead, so that it is not dropped with them.
        eventManager->HandOver(this, ownerWindow);
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
      return MenuSelect(event, 0);
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}

void ZafPopUpMenu::CreateNative() {
  if (HasItems()) {
    screenID = reinterpret_cast<native::HWND>(native::CreatePopupMenu());
  }
}

native::UINT_PTR ZafPopUpMenu::EntryIdentifier(ZafNumberID itemNumberID) const {
  if (screenID && HasItems()) {
    return reinterpret_cast<native::UINT_PTR>(Menu());
  }
  // The number as the signed 16-bit command the native menu reports back in WM_COMMAND's low word.
  return static_cast<native::UINT_PTR>(static_cast<int16_t>(itemNumberID));
}
