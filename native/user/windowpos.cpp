#include "native/user/windowpos.h"

#include <algorithm>
#include <vector>

#include "native/user/exposure.h"
#include "native/user/iconslots.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/painting.h"
#include "native/user/placement.h"
#include "native/user/rects.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

WindowTree& tree() {
  return WindowSystem::get().windows();
}

bool isSpecialInsertAfter(HWND insertAfter) {
  return insertAfter == HWND_TOP || insertAfter == HWND_BOTTOM || insertAfter == HWND_TOPMOST ||
         insertAfter == HWND_NOTOPMOST;
}

// The area a window maximises into and minimises along: the desktop, or the parent's client area.
RECT containerArea(const WindowRecord& window) {
  const WindowRecord* parent = tree().find(window.parent);
  return RECT{0, 0, parent->clientRect.right - parent->clientRect.left,
              parent->clientRect.bottom - parent->clientRect.top};
}

// The places of the other icons in the window's container.
std::vector<RECT> otherIcons(const WindowRecord& window) {
  const WindowRecord* parent = tree().find(window.parent);
  std::vector<RECT> icons;
  for (HWND sibling : parent->children) {
    const WindowRecord* other = tree().find(sibling);
    if (sibling != window.handle && other->isMinimized()) {
      icons.push_back(other->rect);
    }
  }
  return icons;
}

// A window minimised takes the first slot no other icon of its container overlaps.
RECT minimizedSlot(const WindowRecord& window) {
  RECT area = containerArea(window);
  return IconSlots::slot(area, IconSlots::firstFree(area, otherIcons(window)));
}

}  // namespace

void settleIcon(HWND handle) {
  const WindowRecord* window = tree().find(handle);
  if (window == nullptr || !window->isMinimized()) {
    return;
  }
  RECT kept = IconSlots::settled(window->rect, containerArea(*window), otherIcons(*window));
  if (!EqualRect(&kept, &window->rect)) {
    SetWindowPos(handle, nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void recalculateClient(HWND handle) {
  WindowRecord* window = tree().find(handle);
  RECT client = window->rect;
  SendMessage(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  if ((window = tree().find(handle)) != nullptr) {
    // A procedure's answer is kept inside the window, even when that leaves no area.
    const RECT& outer = window->rect;
    LONG left = std::clamp(client.left, outer.left, outer.right);
    LONG top = std::clamp(client.top, outer.top, outer.bottom);
    window->clientRect = RECT{left, top, std::clamp(client.right, left, outer.right),
                              std::clamp(client.bottom, top, outer.bottom)};
  }
}

void sendSizeAndMove(HWND handle, bool size, bool move) {
  const WindowRecord* window = tree().find(handle);
  RECT client = window->clientRect;
  if (size) {
    WPARAM kind = window->isMinimized()   ? SIZE_MINIMIZED
                  : window->isMaximized() ? SIZE_MAXIMIZED
                                          : SIZE_RESTORED;
    SendMessage(handle, WM_SIZE, kind, MAKELPARAM(client.right - client.left, client.bottom - client.top));
  }
  if (move && tree().find(handle) != nullptr) {
    SendMessage(handle, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
  }
}

void setPlacement(HWND handle, Placement placement, UINT extraFlags) {
  WindowRecord* window = tree().find(handle);
  if (!window->isMinimized() && !window->isMaximized()) {
    window->restoreRect = window->rect;
  }
  RECT target = window->restoreRect;
  window->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  if (placement == Placement::Maximized) {
    target = containerArea(*window);
    window->style |= WS_MAXIMIZE;
  } else if (placement == Placement::Minimized) {
    target = minimizedSlot(*window);
    window->style |= WS_MINIMIZE;
  }
  SetWindowPos(handle, HWND_TOP, target.left, target.top, target.right - target.left,
               target.bottom - target.top, extraFlags | SWP_FRAMECHANGED);
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  WindowSystem& system = WindowSystem::get();
  WindowRecord* window = system.windows().find(handle);
  if (window == nullptr || handle == system.windows().desktopHandle()) {
    return FALSE;
  }
  if ((flags & SWP_NOZORDER) == 0 && !isSpecialInsertAfter(insertAfter)) {
    const WindowRecord* after = system.windows().find(insertAfter);
    if (after == nullptr || after == window || after->parent != window->parent) {
      flags |= SWP_NOZORDER;  // only a sibling can be a place in the order
    }
  }
  WINDOWPOS position{handle, insertAfter, x, y, width, height, flags};
  if ((flags & SWP_NOMOVE) != 0) {
    position.x = window->rect.left;
    position.y = window->rect.top;
  }
  if ((flags & SWP_NOSIZE) != 0) {
    position.cx = window->width();
    position.cy = window->height();
  }
  if ((flags & SWP_NOSENDCHANGING) == 0) {
    SendMessage(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    if ((window = system.windows().find(handle)) == nullptr) {
      return FALSE;
    }
  }
  Exposure exposure(handle);
  RECT target = placedRect(position.x, position.y, position.cx, position.cy);
  bool moved = target.left != window->rect.left || target.top != window->rect.top;
  bool sized =
      target.right - target.left != window->width() || target.bottom - target.top != window->height();
  position.flags =
      (position.flags & ~(SWP_NOMOVE | SWP_NOSIZE)) | (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
  position.cx = target.right - target.left;
  position.cy = target.bottom - target.top;
  window->rect = target;
  if ((position.flags & SWP_NOZORDER) == 0) {
    system.windows().link(*window, position.hwndInsertAfter);
  }
  bool hidden = false;
  if ((position.flags & SWP_SHOWWINDOW) != 0) {
    window->style |= WS_VISIBLE;
    paintMayBeDue();
  } else if ((position.flags & SWP_HIDEWINDOW) != 0 && window->hasVisibleFlag()) {
    window->style &= ~WS_VISIBLE;
    hidden = true;
  }
  exposure.keepPixels(position.flags);
  if (moved || sized || (position.flags & SWP_FRAMECHANGED) != 0) {
    recalculateClient(handle);
  }
  if (hidden) {
    system.focus().windowLeaving(handle, FocusManager::FocusGoes::ToParent, true);
  }
  window = system.windows().find(handle);
  if (window != nullptr && (position.flags & SWP_NOACTIVATE) == 0 && system.windows().isTopLevel(*window) &&
      window->hasVisibleFlag() && !window->isMinimized()) {
    system.focus().activate(handle, WA_ACTIVE);
  }
  if (system.windows().find(handle) != nullptr) {
    exposure.placed(position.flags);
  }
  if (system.windows().find(handle) != nullptr) {
    SendMessage(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
  }
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint != FALSE ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND window) {
  return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND handle, int command) {
  WindowSystem& system = WindowSystem::get();
  WindowRecord* window = system.windows().find(handle);
  if (window == nullptr || handle == system.windows().desktopHandle()) {
    return FALSE;
  }
  bool wasVisible = window->hasVisibleFlag();
  bool show = command != SW_HIDE;
  bool activates = system.windows().isTopLevel(*window) &&
                   (command == SW_SHOWNORMAL || command == SW_SHOWMINIMIZED || command == SW_SHOWMAXIMIZED ||
                    command == SW_SHOW || command == SW_RESTORE || command == SW_SHOWDEFAULT);
  Placement current = window->isMinimized()   ? Placement::Minimized
                      : window->isMaximized() ? Placement::Maximized
                                              : Placement::Normal;
  Placement target = current;
  switch (command) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      target = Placement::Minimized;
      break;
    case SW_SHOWMAXIMIZED:
      target = Placement::Maximized;
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      // Restoring a minimised window that was maximised before brings it back maximised.
      target = current == Placement::Minimized && window->restoreToMaximized ? Placement::Maximized
                                                                             : Placement::Normal;
      break;
    default:
      break;
  }
  if (show != wasVisible) {
    SendMessage(handle, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if ((window = system.windows().find(handle)) == nullptr) {
      return wasVisible ? TRUE : FALSE;
    }
  }
  UINT visibility = show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  UINT activation = activates ? 0 : SWP_NOACTIVATE;
  if (target != current) {
    if (target == Placement::Minimized) {
      window->restoreToMaximized = current == Placement::Maximized;
    }
    setPlacement(handle, target, visibility | activation);
    if (system.windows().find(handle) == nullptr) {
      return wasVisible ? TRUE : FALSE;
    }
    if (target == Placement::Minimized) {
      // A minimised window takes no keys of its own: a top-level one's go to no window (the active window
      // reads them as system keys), a document's to the area it lives in. SW_MINIMIZE also hands activation
      // on.
      system.focus().windowLeaving(handle, FocusManager::FocusGoes::ToParent, command == SW_MINIMIZE);
    } else if (current == Placement::Minimized && system.focus().active() == handle) {
      // Still the active window, it is told so again now that it can take the focus back.
      SendMessage(handle, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    }
  } else if (show != wasVisible) {
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | visibility | activation);
  } else if (activates && show) {
    system.focus().activate(handle, WA_ACTIVE);
  }
  return wasVisible ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND handle, RECT* rect) {
  const WindowRecord* window = tree().find(handle);
  if (window == nullptr || rect == nullptr) {
    return FALSE;
  }
  *rect = tree().screenRect(*window);
  return TRUE;
}

BOOL GetClientRect(HWND handle, RECT* rect) {
  const WindowRecord* window = tree().find(handle);
  if (window == nullptr || rect == nullptr) {
    return FALSE;
  }
  *rect = RECT{0, 0, window->clientRect.right - window->clientRect.left,
               window->clientRect.bottom - window->clientRect.top};
  return TRUE;
}

namespace {

// The screen position of a window's client origin; null stands for the screen itself.
bool originOf(HWND handle, POINT* origin) {
  if (handle == nullptr) {
    *origin = POINT{0, 0};
    return true;
  }
  const WindowRecord* window = tree().find(handle);
  if (window == nullptr) {
    return false;
  }
  *origin = tree().clientOrigin(*window);
  return true;
}

bool offsetBetween(HWND from, HWND to, POINT* offset) {
  POINT fromOrigin{};
  POINT toOrigin{};
  if (!originOf(from, &fromOrigin) || !originOf(to, &toOrigin)) {
    return false;
  }
  *offset = POINT{fromOrigin.x - toOrigin.x, fromOrigin.y - toOrigin.y};
  return true;
}

}  // namespace

BOOL ClientToScreen(HWND window, POINT* point) {
  if (point == nullptr || tree().find(window) == nullptr) {
    return FALSE;
  }
  MapWindowPoints(window, nullptr, point, 1);
  return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
  if (point == nullptr || tree().find(window) == nullptr) {
    return FALSE;
  }
  MapWindowPoints(nullptr, window, point, 1);
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  POINT offset{};
  if (points == nullptr || !offsetBetween(from, to, &offset)) {
    return 0;
  }
  for (UINT i = 0; i < count; ++i) {
    points[i].x += offset.x;
    points[i].y += offset.y;
  }
  return MAKELONG(offset.x, offset.y);
}

int MapWindowPoints(HWND from, HWND to, RECT* rect) {
  POINT offset{};
  if (rect == nullptr || !offsetBetween(from, to, &offset)) {
    return 0;
  }
  OffsetRect(rect, offset.x, offset.y);
  return MAKELONG(offset.x, offset.y);
}

HWND WindowFromPoint(POINT point) {
  return tree().windowAt(point);
}

}  // namespace native
