#include "framework/core/zafmenuwindow.h"

ZafMenuWindow::ZafMenuWindow(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafWindow(left, top, width, height) {}

ZafMenuWindow::ZafMenuWindow(const ZafMenuWindow& other) : ZafWindow(other) {}

void ZafMenuWindow::MakeMenuWindow() {
  acceptDrop = false;
  bordered = true;
  disabled = false;
  nonCurrent = false;
  parentPalette = false;
  locked = false;
  maximized = false;
  minimized = false;
  modal = false;
  movable = false;
  owner = nullptr;
  systemKeys = true;
  sizeable = false;
}

// ---- Settings ----

bool ZafMenuWindow::SetAcceptDrop(bool) {
  acceptDrop = false;
  return false;
}

bool ZafMenuWindow::SetBordered(bool) {
  bordered = true;
  return true;
}

bool ZafMenuWindow::SetDisabled(bool) {
  disabled = false;
  return false;
}

bool ZafMenuWindow::SetNonCurrent(bool) {
  nonCurrent = false;
  return false;
}

bool ZafMenuWindow::SetParentPalette(bool) {
  parentPalette = false;
  return false;
}

bool ZafMenuWindow::SetLocked(bool) {
  locked = false;
  return false;
}

bool ZafMenuWindow::SetMaximized(bool) {
  maximized = false;
  return false;
}

bool ZafMenuWindow::SetMinimized(bool) {
  minimized = false;
  return false;
}

bool ZafMenuWindow::SetModal(bool) {
  modal = false;
  return false;
}

bool ZafMenuWindow::SetMovable(bool) {
  movable = false;
  return false;
}

ZafWindow* ZafMenuWindow::SetOwner(ZafWindow*) {
  owner = nullptr;
  return nullptr;
}

bool ZafMenuWindow::SetSystemKeys(bool) {
  systemKeys = true;
  return true;
}

bool ZafMenuWindow::SetSizeable(bool) {
  sizeable = false;
  return false;
}

// ---- The items and their native entries ----

ZafWindowObject* ZafMenuWindow::Subtract(ZafWindowObject* object) {
  if (object && object->Parent() == this && object->ScreenID() && Index(object) >= 0) {
    object->Event(ZafEventRecord(DestroyEvent, 0));
  }
  return ZafWindow::Subtract(object);
}

void ZafMenuWindow::NotifyChildrenDestroy() {
  for (ZafElement* element = Last(); element; element = element->Previous()) {
    static_cast<ZafWindowObject*>(element)->Event(ZafEventRecord(DestroyEvent, 0));
  }
}
