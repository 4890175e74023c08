// The system button on the native side: with system options its menu's items replace the items of the
// window's native system menu while the window exists; without, the platform's system menu stays.
#include "framework/core/zafsystembutton.h"

#include "native/user/menuapi.h"

ZafEventType ZafSystemButton::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case NativeAttachedEvent: {
      // Once is enough: emptying the window's menu again would take out the menu's own items.
      if (screenID) {
        return event.type;
      }
      screenID = ParentWindow();
      // Asking for the menu gives the window a copy of its own: only done when the copy is changed.
      const native::HMENU menu =
          systemOptions != 0 && screenID ? native::GetSystemMenu(screenID, native::FALSE) : nullptr;
      if (menu) {
        systemMenu.SetScreenID(reinterpret_cast<native::HWND>(menu));
        // Bounded by the entries there were, whatever the native menu answers.
        for (int entries = native::GetMenuItemCount(menu);
             entries > 0 && native::DeleteMenu(menu, 0, native::MF_BYPOSITION); --entries) {
        }
        systemMenu.Event(event);
      }
      return event.type;
    }
    case NativeGoneEvent:
      if (systemOptions != 0 && screenID) {
        // The menu and its items let go of the native menu before the window's copy is destroyed.
        systemMenu.Event(event);
        native::GetSystemMenu(screenID, native::TRUE);
      }
      screenID = nullptr;
      return event.type;
    case PrepareEvent:
      return systemMenu.Event(event);
    default:
      return UnknownEventResult;
  }
}
