// Creation and destruction of windows.

#include <memory>
#include <vector>

#include "native/user/exposure.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/paintapi.h"
#include "native/user/placement.h"
#include "native/user/rects.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

WindowTree& tree() {
  return WindowSystem::get().windows();
}
void markDestroying(HWND handle) {
  WindowRecord* window = tree().find(handle);
  window->destroying = true;
  for (HWND child : window->children) {
    markDestroying(child);
  }
}

void sendDestroy(HWND handle) {
  SendMessage(handle, WM_DESTROY, 0, 0);
  if (const WindowRecord* window = tree().find(handle)) {
    for (HWND child : std::vector<HWND>(window->children)) {
      if (tree().contains(child)) {
        sendDestroy(child);
      }
    }
  }
}

// The last message, then the record goes: children first, so each window's WM_NCDESTROY comes after those of
// everything inside it.
void finishDestroy(HWND handle) {
  if (const WindowRecord* window = tree().find(handle)) {
    for (HWND child : std::vector<HWND>(window->children)) {
      finishDestroy(child);
    }
  }
  if (!tree().contains(handle)) {
    return;
  }
  SendMessage(handle, WM_NCDESTROY, 0, 0);
  WindowSystem& system = WindowSystem::get();
  WindowRecord* window = system.windows().find(handle);
  if (window == nullptr) {
    return;
  }
  system.timers().killAllOf(handle);
  if (system.caret().owner() == handle) {
    DestroyCaret();
  }
  system.focus().forget(handle);
  system.menus().destroySystemMenuOf(handle);
  --window->windowClass->windowCount;
  system.windows().remove(handle);
}

}  // namespace

HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                    void* createParam) {
  WindowSystem& system = WindowSystem::get();
  WindowTree& windows = system.windows();
  WindowClass* windowClass = system.classes().find(className);
  if (windowClass == nullptr) {
    return nullptr;
  }
  auto record = std::make_unique<WindowRecord>();
  const WindowRecord* parentRecord = windows.find(parent);
  if (parentRecord != nullptr && parentRecord->destroying) {
    return nullptr;  // nothing new may hang on a window that is going
  }
  if ((style & WS_CHILD) != 0) {
    if (parentRecord == nullptr) {
      return nullptr;
    }
    record->parent = parent;
    record->id = static_cast<LONG_PTR>(reinterpret_cast<std::uintptr_t>(menuOrId));
  } else {
    if (parent != nullptr && parent != windows.desktopHandle()) {
      if (parentRecord == nullptr) {
        return nullptr;
      }
      record->owner = windows.topLevelOf(parent);
    }
    record->parent = windows.desktopHandle();
    style |= WS_CLIPSIBLINGS;
    // A top-level window's id word holds its menu bar, as SetMenu keeps it; a handle that is not a menu
    // leaves the window without one.
    if (system.menus().find(menuOrId) != nullptr) {
      record->id = static_cast<LONG_PTR>(reinterpret_cast<std::uintptr_t>(menuOrId));
    }
  }
  record->windowClass = windowClass;
  record->procedure = windowClass->procedure;
  // Visibility and the minimised and maximised states are applied once the window exists.
  record->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  record->exStyle = exStyle;
  record->instance = instance;
  record->rect = placedRect(x, y, width, height);
  record->clientRect = record->rect;
  record->extraBytes.resize(static_cast<std::size_t>(windowClass->windowExtraBytes));
  HWND handle = windows.add(std::move(record));
  if (handle == nullptr) {
    return nullptr;
  }
  WindowRecord& window = *windows.find(handle);
  window.handle = handle;
  ++windowClass->windowCount;
  // A new child goes behind its siblings, so walking GW_HWNDNEXT from GW_CHILD visits children in the order
  // they were made: dialog tab order and automatic radio groups follow it. A new top-level window comes to
  // the front.
  HWND insertAfter = (style & WS_CHILD) != 0          ? HWND_BOTTOM
                     : (exStyle & WS_EX_TOPMOST) != 0 ? HWND_TOPMOST
                                                      : HWND_TOP;
  windows.link(window, insertAfter);
  if (windows.isTopLevel(window)) {
    WindowSystem::get().compositor().fitSurface(window);
  }

  CREATESTRUCT create{createParam, instance,  menuOrId, parent, height, width, y, x, static_cast<LONG>(style),
                      windowName,  className, exStyle};
  if (SendMessage(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == FALSE) {
    markDestroying(handle);
    finishDestroy(handle);
    return nullptr;
  }
  if (!tree().contains(handle)) {
    return nullptr;
  }
  recalculateClient(handle);
  if (!tree().contains(handle)) {
    return nullptr;
  }
  if (SendMessage(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!tree().contains(handle)) {
    return nullptr;
  }
  sendSizeAndMove(handle);
  if (!tree().contains(handle)) {
    return nullptr;
  }
  int show = (style & WS_MAXIMIZE) != 0   ? SW_SHOWMAXIMIZED
             : (style & WS_MINIMIZE) != 0 ? SW_SHOWMINIMIZED
                                          : SW_SHOW;
  if ((style & WS_VISIBLE) != 0) {
    ShowWindow(handle, show);
  } else if (show != SW_SHOW) {
    setPlacement(handle, show == SW_SHOWMAXIMIZED ? Placement::Maximized : Placement::Minimized,
                 SWP_NOACTIVATE);
  }
  return tree().contains(handle) ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle) {
  WindowSystem& system = WindowSystem::get();
  const WindowRecord* window = system.windows().find(handle);
  if (window == nullptr || handle == system.windows().desktopHandle() || window->destroying) {
    return FALSE;
  }
  for (HWND owned : system.windows().ownedWindows(handle)) {
    DestroyWindow(owned);
  }
  if (!tree().contains(handle)) {
    return TRUE;
  }
  markDestroying(handle);
  // What the window covered is shown again once it is gone.
  Exposure exposure(handle);
  system.focus().windowLeaving(handle, FocusManager::FocusGoes::ToParent, true);
  if (tree().contains(handle)) {
    sendDestroy(handle);
  }
  finishDestroy(handle);
  exposure.gone();
  return TRUE;
}

}  // namespace native
