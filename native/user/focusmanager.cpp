#include "native/user/focusmanager.h"

#include <vector>

#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

WindowTree& tree() {
  return WindowSystem::get().windows();
}
LPARAM asParam(HWND window) {
  return reinterpret_cast<LPARAM>(window);
}

}  // namespace

bool FocusManager::holds(HWND window, HWND held) const {
  return held != nullptr && window != nullptr && (held == window || tree().isDescendant(window, held));
}

HWND FocusManager::setFocus(HWND window) {
  if (window != nullptr) {
    if (!tree().contains(window)) {
      return nullptr;
    }
    HWND topLevel = tree().topLevelOf(window);
    if (topLevel != active_) {
      HWND outerPending = pendingFocus_;
      pendingFocus_ = window;
      activate(topLevel, WA_ACTIVE);
      pendingFocus_ = outerPending;
      if (!tree().contains(window) || active_ != topLevel) {
        return nullptr;
      }
    }
  }
  HWND previous = focus_;
  if (previous == window) {
    return previous;
  }
  focus_ = window;
  if (tree().contains(previous)) {
    SendMessage(previous, WM_KILLFOCUS, static_cast<WPARAM>(asParam(window)), 0);
  }
  if (window != nullptr && focus_ == window && tree().contains(window)) {
    SendMessage(window, WM_SETFOCUS, static_cast<WPARAM>(asParam(previous)), 0);
  }
  return previous;
}

HWND FocusManager::activate(HWND topLevel, WORD how) {
  HWND previous = active_;
  if (topLevel == previous) {
    return previous;
  }
  active_ = topLevel;
  if (WindowRecord* window = tree().find(topLevel)) {
    tree().link(*window, HWND_TOP);
  }
  if (WindowRecord* old = tree().find(previous)) {
    WPARAM minimized = old->isMinimized() ? 1 : 0;
    SendMessage(previous, WM_NCACTIVATE, FALSE, 0);
    SendMessage(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, minimized), asParam(topLevel));
  }
  if ((previous == nullptr) != (topLevel == nullptr)) {
    for (HWND each : std::vector<HWND>(tree().desktop().children)) {
      if (tree().contains(each)) {
        SendMessage(each, WM_ACTIVATEAPP, topLevel != nullptr ? TRUE : FALSE, 0);
      }
    }
  }
  if (WindowRecord* window = tree().find(topLevel); window != nullptr && active_ == topLevel) {
    WPARAM minimized = window->isMinimized() ? 1 : 0;
    SendMessage(topLevel, WM_NCACTIVATE, TRUE, 0);
    SendMessage(topLevel, WM_ACTIVATE, MAKEWPARAM(how, minimized), asParam(previous));
  }
  // Keys must never reach a window that is not active: a focus left behind in the old window goes.
  if (focus_ != nullptr && !holds(active_, focus_) && !holds(active_, pendingFocus_)) {
    setFocus(nullptr);
  }
  return previous;
}

bool FocusManager::activationShouldFocus(HWND window) const {
  return pendingFocus_ == nullptr && !holds(window, focus_);
}

HWND FocusManager::setCapture(HWND window) {
  HWND previous = capture_;
  if (!tree().contains(window)) {
    return previous;
  }
  capture_ = window;
  if (previous != window && tree().contains(previous)) {
    SendMessage(previous, WM_CAPTURECHANGED, 0, asParam(window));
  }
  return previous;
}

void FocusManager::releaseCapture() {
  HWND previous = capture_;
  capture_ = nullptr;
  if (tree().contains(previous)) {
    SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
  }
}

HWND FocusManager::nextToActivate(HWND leaving) const {
  auto eligible = [&](HWND candidate) {
    const WindowRecord* window = tree().find(candidate);
    return window != nullptr && candidate != leaving && !holds(leaving, candidate) &&
           window->owner != leaving && window->hasVisibleFlag() && !window->isDisabled() &&
           !window->isMinimized() && !window->destroying;
  };
  if (const WindowRecord* window = tree().find(leaving); window != nullptr && eligible(window->owner)) {
    return window->owner;
  }
  for (HWND candidate : tree().desktop().children) {
    if (eligible(candidate)) {
      return candidate;
    }
  }
  return nullptr;
}

void FocusManager::windowLeaving(HWND window, FocusGoes focusGoes, bool passActivation) {
  if (holds(window, capture_)) {
    releaseCapture();
  }
  if (passActivation && active_ == window) {
    activate(nextToActivate(window), WA_ACTIVE);
  }
  if (holds(window, focus_)) {
    const WindowRecord* record = tree().find(window);
    bool toParent = focusGoes == FocusGoes::ToParent && record != nullptr && record->isChild();
    setFocus(toParent ? record->parent : nullptr);
  }
}

void FocusManager::forget(HWND window) {
  for (HWND* held : {&focus_, &active_, &capture_, &pendingFocus_}) {
    if (*held == window) {
      *held = nullptr;
    }
  }
}

HWND SetFocus(HWND window) {
  return WindowSystem::get().focus().setFocus(window);
}
HWND GetFocus() {
  return WindowSystem::get().focus().focus();
}

HWND SetActiveWindow(HWND window) {
  WindowSystem& system = WindowSystem::get();
  if (window == nullptr || window == system.windows().desktopHandle()) {
    return system.focus().activate(nullptr, WA_INACTIVE);
  }
  const WindowRecord* record = system.windows().find(window);
  if (record == nullptr || !system.windows().isTopLevel(*record)) {
    return nullptr;
  }
  return system.focus().activate(window, WA_ACTIVE);
}

HWND GetActiveWindow() {
  return WindowSystem::get().focus().active();
}

BOOL SetForegroundWindow(HWND window) {
  WindowSystem& system = WindowSystem::get();
  HWND topLevel = system.windows().topLevelOf(window);
  if (topLevel == nullptr) {
    return FALSE;
  }
  system.focus().activate(topLevel, WA_ACTIVE);
  return TRUE;
}

HWND GetForegroundWindow() {
  return GetActiveWindow();
}
HWND SetCapture(HWND window) {
  return WindowSystem::get().focus().setCapture(window);
}

BOOL ReleaseCapture() {
  WindowSystem::get().focus().releaseCapture();
  return TRUE;
}

HWND GetCapture() {
  return WindowSystem::get().focus().capture();
}

}  // namespace native
