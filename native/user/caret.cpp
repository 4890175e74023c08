#include "native/user/caret.h"

#include "native/user/metrics.h"
#include "native/user/windowsystem.h"

namespace native {

void Caret::create(HWND owner, HBITMAP shape, int width, int height) {
  owner_ = owner;
  shape_ = shape;
  // A width or height of 0 asks for the system's thin line.
  width_ = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  height_ = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  position_ = POINT{0, 0};
  hideLevel_ = 1;
}

bool Caret::show(HWND window) {
  if (!ownedBy(window)) {
    return false;
  }
  if (hideLevel_ > 0) {
    --hideLevel_;
  }
  return true;
}

bool Caret::hide(HWND window) {
  if (!ownedBy(window)) {
    return false;
  }
  ++hideLevel_;
  return true;
}

bool Caret::setPosition(int x, int y) {
  if (owner_ == nullptr) {
    return false;
  }
  position_ = POINT{x, y};
  return true;
}

BOOL CreateCaret(HWND window, HBITMAP shape, int width, int height) {
  WindowSystem& system = WindowSystem::get();
  if (system.windows().find(window) == nullptr) {
    return FALSE;
  }
  system.caret().create(window, shape, width, height);
  return TRUE;
}

BOOL DestroyCaret() {
  Caret& caret = WindowSystem::get().caret();
  if (caret.owner() == nullptr) {
    return FALSE;
  }
  caret.destroy();
  return TRUE;
}

BOOL ShowCaret(HWND window) {
  return WindowSystem::get().caret().show(window) ? TRUE : FALSE;
}
BOOL HideCaret(HWND window) {
  return WindowSystem::get().caret().hide(window) ? TRUE : FALSE;
}
BOOL SetCaretPos(int x, int y) {
  return WindowSystem::get().caret().setPosition(x, y) ? TRUE : FALSE;
}

BOOL GetCaretPos(POINT* position) {
  if (position == nullptr) {
    return FALSE;
  }
  *position = WindowSystem::get().caret().position();
  return TRUE;
}

UINT GetCaretBlinkTime() {
  return WindowSystem::get().caret().blinkTimeMs();
}

BOOL SetCaretBlinkTime(UINT milliseconds) {
  WindowSystem::get().caret().setBlinkTimeMs(milliseconds);
  return TRUE;
}

}  // namespace native
