// The menu bar on the native window system: made and set on its window's frame when the window's native
// window is attached, taken off and destroyed with it, and the selections of its entries.
#include "framework/core/zafpulldownmenu.h"

#include "framework/data/zafclassid.h"
#include "native/native.h"

ZafEventType ZafPullDownMenu::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case NativeAttachedEvent:
      if (!screenID) {
        screenID = reinterpret_cast<native::HWND>(native::CreateMenu());
        // Each bar entry appends itself, in child order.
        BroadcastToChildren(event, 0);
        native::SetMenu(FrameWindow(), Menu());
      }
      return code;
    case DestroyEvent:
      if (screenID) {
        native::SetMenu(FrameWindow(), nullptr);
        native::DestroyMenu(Menu());
      }
      Event(ZafEventRecord(NativeGoneEvent, 0));
      return code;
    case NativeGoneEvent:
      return EventToMenuAndItems(event);
    case PrepareEvent:
      // The bar's handle is a menu, never a window of its own.
      ownNativeWindow = false;
      return EventToMenuAndItems(event);
    case FocusGainedEvent:
      return FocusGained(event);
    case FocusLostEvent:
      return FocusLost(event);
    case AddObjectEvent:
    case SubtractObjectEvent:
      return ZafWindow::Event(event);
    default:
      return ZafWindowObject::Event(event);
  }
}

ZafEventType ZafPullDownMenu::NativeEvent(const ZafEventRecord& event) {
  if (event.osEvent.message == native::WM_MENUSELECT) {
    return MenuSelect(event, PositionOffset());
  }
  return ZafWindowObject::NativeEvent(event);
}

ZafRegionStruct ZafPullDownMenu::ClientRegion(const ZafWindowObject*) {
  return region;
}

void ZafPullDownMenu::CreateNative() {}

ZafPullDownMenu::~ZafPullDownMenu() {
  if (const native::HWND frame = screenID ? FrameWindow() : nullptr;
      frame && native::GetMenu(frame) == Menu()) {
    native::SetMenu(frame, nullptr);
  }
}

native::HWND ZafPullDownMenu::FrameWindow() const {
  return parent ? parent->ScreenID(2) : nullptr;
}

int32_t ZafPullDownMenu::PositionOffset() const {
  const ZafWindowObject* root = parent ? parent->RootObject() : nullptr;
  if (!root || !root->IsA(ID_ZAF_MDI_WINDOW)) {
    return 0;
  }
  native::BOOL maximized = native::FALSE;
  native::SendMessage(root->ScreenID(0), native::WM_MDIGETACTIVE, 0,
                      reinterpret_cast<native::LPARAM>(&maximized));
  return maximized ? 1 : 0;
}
