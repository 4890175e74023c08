// A menu of either kind on the native window system: a menu handle that draws, places and shows itself,
// the focus of the menu and its items, and the walk of the highlight through its entries.
#include "framework/core/zafmenuwindow.h"

#include "framework/core/zafpopupmenu.h"
#include "framework/data/zafclassid.h"
#include "native/native.h"

ZafMenuWindow::~ZafMenuWindow() {
  const native::HMENU menu = Menu();
  if (menu && !(parent && parent->IsA(ID_ZAF_SYSTEM_BUTTON))) {
    native::DestroyMenu(menu);
  }
  screenID = nullptr;
}

void ZafMenuWindow::UpdateNative() {}

void ZafMenuWindow::RedisplayNative(const ZafEventRecord&) {}

ZafEventType ZafMenuWindow::DrawBorder(ZafRegionStruct&, ZafEventType drawType) {
  return drawType;
}

ZafEventType ZafMenuWindow::Draw(const ZafEventRecord&, ZafEventType drawType) {
  return drawType;
}

native::HWND ZafMenuWindow::ScreenID(int32_t) const {
  return screenID;
}

bool ZafMenuWindow::SetVisible(bool flag) {
  visible = flag;
  return visible;
}

bool ZafMenuWindow::SetAutomaticUpdate(bool flag) {
  automaticUpdate = flag;
  return automaticUpdate;
}

bool ZafMenuWindow::SetFocus(bool flag) {
  focus = flag && !IsDisabledUp() && !IsNonCurrentUp();
  return focus;
}

ZafEventType ZafMenuWindow::FocusGained(const ZafEventRecord& event) {
  ZafWindowObject::Event(event);
  Event(ZafEventRecord(FocusGainEvent, 0));
  return event.type;
}

ZafEventType ZafMenuWindow::FocusLost(const ZafEventRecord& event) {
  if (ZafWindowObject* current = CurrentChild(); current && current->Focus()) {
    current->Event(event);
  }
  SetCurrent(nullptr);
  Event(ZafEventRecord(FocusLoseEvent, 0));
  ZafWindowObject::Event(event);
  return event.type;
}

ZafEventType ZafMenuWindow::EventToMenuAndItems(const ZafEventRecord& event) {
  ZafWindowObject::Event(event);
  BroadcastToChildren(event, 0);
  return event.type;
}

ZafEventType ZafMenuWindow::MenuSelect(const ZafEventRecord& event, int32_t offset) {
  const native::WORD identifier = native::LOWORD(event.osEvent.wParam);
  const native::UINT flags = native::HIWORD(event.osEvent.wParam);
  const auto selectedMenu = reinterpret_cast<native::HWND>(event.osEvent.lParam);
  ZafWindowObject* current = CurrentChild();
  if (!screenID || selectedMenu != screenID) {
    // A menu further down: the current item's submenu walks its own entries.
    if (ZafPopUpMenu* submenu = ZafPopUpMenu::SubmenuOf(current)) {
      submenu->Event(event);
    }
    return event.type;
  }
  // The walk ends at the first entry the message names; an entry that may never be current (a
  // separator) is no match.
  ZafWindowObject* match = nullptr;
  int32_t position = offset;
  for (ZafElement* element = First(); element; element = element->Next(), ++position) {
    auto* child = static_cast<ZafWindowObject*>(element);
    if ((flags & native::MF_POPUP) ? position == identifier : child->NumberID() == identifier) {
      match = child->NonCurrent() ? nullptr : child;
      break;
    }
  }
  if (!focus) {
    Event(ZafEventRecord(FocusGainedEvent, 0));
  } else if (ZafPopUpMenu* submenu = ZafPopUpMenu::SubmenuOf(current); submenu && submenu->Focus()) {
    submenu->Event(ZafEventRecord(FocusLostEvent, 0));
  }
  if (match && !match->Focus()) {
    if (current && current->Focus()) {
      current->Event(ZafEventRecord(FocusLostEvent, 0));
    }
    SetCurrent(match);
    match->Event(ZafEventRecord(FocusGainedEvent, 0));
  }
  return event.type;
}
