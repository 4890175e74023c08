// The words of a window and its place in the tree.

#include "native/user/windowapi.h"

#include <algorithm>
#include <cstring>

#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/painting.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

WindowTree& tree() {
  return WindowSystem::get().windows();
}

// Offsets into the window extra bytes must leave room for a whole word.
bool extraWordFits(const WindowRecord& window, int index) {
  return index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= window.extraBytes.size();
}

}  // namespace

LONG_PTR GetWindowLong(HWND handle, int index) {
  const WindowRecord* window = tree().find(handle);
  if (window == nullptr) {
    return 0;
  }
  switch (index) {
    case GWL_WNDPROC:
      return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWL_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(window->instance);
    case GWL_ID:
      return window->id;
    case GWL_STYLE:
      return static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(window->exStyle);
    case GWL_USERDATA:
      return window->userData;
    default:
      break;
  }
  LONG_PTR value = 0;
  if (extraWordFits(*window, index)) {
    std::memcpy(&value, window->extraBytes.data() + index, sizeof value);
  }
  return value;
}

LONG_PTR SetWindowLong(HWND handle, int index, LONG_PTR value) {
  WindowRecord* window = tree().find(handle);
  if (window == nullptr) {
    return 0;
  }
  LONG_PTR previous = GetWindowLong(handle, index);
  switch (index) {
    case GWL_WNDPROC:
      if (value == 0) {
        return 0;
      }
      window->procedure = reinterpret_cast<WNDPROC>(value);
      break;
    case GWL_HINSTANCE:
      window->instance = reinterpret_cast<HINSTANCE>(value);
      break;
    case GWL_ID:
      window->id = value;
      break;
    case GWL_STYLE:
      window->style = (static_cast<DWORD>(value) & ~WS_CHILD) | (window->style & WS_CHILD);
      paintMayBeDue();
      break;
    case GWL_EXSTYLE:
      window->exStyle = (static_cast<DWORD>(value) & ~WS_EX_TOPMOST) | (window->exStyle & WS_EX_TOPMOST);
      break;
    case GWL_USERDATA:
      window->userData = value;
      break;
    default:
      if (!extraWordFits(*window, index)) {
        return 0;
      }
      std::memcpy(window->extraBytes.data() + index, &value, sizeof value);
      break;
  }
  return previous;
}

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure == nullptr ? 0 : procedure(window, message, wParam, lParam);
}

BOOL IsWindow(HWND window) {
  return tree().find(window) != nullptr ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND handle) {
  const WindowRecord* window = tree().find(handle);
  return window != nullptr && tree().isVisible(*window) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND handle) {
  const WindowRecord* window = tree().find(handle);
  return window != nullptr && !window->isDisabled() ? TRUE : FALSE;
}

BOOL EnableWindow(HWND handle, BOOL enable) {
  WindowSystem& system = WindowSystem::get();
  WindowRecord* window = system.windows().find(handle);
  if (window == nullptr) {
    return FALSE;
  }
  bool wasDisabled = window->isDisabled();
  if (wasDisabled == (enable == FALSE)) {
    return wasDisabled ? TRUE : FALSE;
  }
  if (enable != FALSE) {
    window->style &= ~WS_DISABLED;
  } else {
    window->style |= WS_DISABLED;
    system.focus().windowLeaving(handle, FocusManager::FocusGoes::Nowhere, false);
  }
  if (system.windows().find(handle) != nullptr) {
    SendMessage(handle, WM_ENABLE, enable != FALSE ? TRUE : FALSE, 0);
  }
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsIconic(HWND handle) {
  const WindowRecord* window = tree().find(handle);
  return window != nullptr && window->isMinimized() ? TRUE : FALSE;
}

BOOL IsZoomed(HWND handle) {
  const WindowRecord* window = tree().find(handle);
  return window != nullptr && window->isMaximized() ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND handle) {
  const WindowRecord* window = tree().find(handle);
  while (window != nullptr && window->isChild()) {
    if (window->parent == parent) {
      return TRUE;
    }
    window = tree().find(window->parent);
  }
  return FALSE;
}

HWND GetParent(HWND handle) {
  const WindowRecord* window = tree().find(handle);
  if (window == nullptr) {
    return nullptr;
  }
  if (window->isChild()) {
    return window->parent;
  }
  return (window->style & WS_POPUP) != 0 ? window->owner : nullptr;
}

HWND GetWindow(HWND handle, UINT relation) {
  const WindowRecord* window = tree().find(handle);
  if (window == nullptr) {
    return nullptr;
  }
  if (relation == GW_OWNER) {
    return window->owner;
  }
  if (relation == GW_CHILD) {
    return window->children.empty() ? nullptr : window->children.front();
  }
  const WindowRecord* parent = tree().find(window->parent);
  if (parent == nullptr) {
    return nullptr;
  }
  const std::vector<HWND>& siblings = parent->children;
  auto position = std::find(siblings.begin(), siblings.end(), handle);
  switch (relation) {
    case GW_HWNDFIRST:
      return siblings.front();
    case GW_HWNDLAST:
      return siblings.back();
    case GW_HWNDNEXT:
      return position + 1 == siblings.end() ? nullptr : *(position + 1);
    case GW_HWNDPREV:
      return position == siblings.begin() ? nullptr : *(position - 1);
    default:
      return nullptr;
  }
}

HWND GetTopWindow(HWND handle) {
  return GetWindow(handle == nullptr ? GetDesktopWindow() : handle, GW_CHILD);
}

HWND GetDesktopWindow() {
  return tree().desktopHandle();
}

}  // namespace native
