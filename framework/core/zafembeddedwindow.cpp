#include "framework/core/zafembeddedwindow.h"

bool ZafEmbeddedWindow::SetDestroyable(bool) {
  return destroyable = false;
}

bool ZafEmbeddedWindow::SetLocked(bool) {
  return locked = false;
}

bool ZafEmbeddedWindow::SetMaximized(bool) {
  return maximized = false;
}

bool ZafEmbeddedWindow::SetMinimized(bool) {
  return minimized = false;
}

bool ZafEmbeddedWindow::SetModal(bool) {
  return modal = false;
}

bool ZafEmbeddedWindow::SetMovable(bool) {
  return movable = false;
}

bool ZafEmbeddedWindow::SetSystemKeys(bool) {
  return systemKeys = false;
}

ZafWindow* ZafEmbeddedWindow::SetOwner(ZafWindow*) {
  return owner = nullptr;
}

bool ZafEmbeddedWindow::SetSizeable(bool) {
  return sizeable = false;
}

bool ZafEmbeddedWindow::SetTemporary(bool) {
  return temporary = false;
}

void ZafEmbeddedWindow::ClearWindowOptions() {
  destroyable = false;
  locked = false;
  maximized = false;
  minimized = false;
  modal = false;
  movable = false;
  systemKeys = false;
  owner = nullptr;
  sizeable = false;
  temporary = false;
}
