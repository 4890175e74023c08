#pragma once
// Who has the keyboard focus, which top-level window is active and who holds the mouse capture, and the
// messages that tell windows about changes: WM_KILLFOCUS/WM_SETFOCUS, WM_NCACTIVATE/WM_ACTIVATE,
// WM_ACTIVATEAPP and WM_CAPTURECHANGED. The focus is always inside the active window, or nowhere.

#include "native/user/nativetypes.h"

namespace native {

class FocusManager {
 public:
  HWND focus() const { return focus_; }
  HWND active() const { return active_; }
  HWND capture() const { return capture_; }

  // Answers the previous focus; focusing a window of an inactive top-level window activates that first.
  HWND setFocus(HWND window);
  // Makes a top-level window (or none) the active one and brings it to the front; `how` is WA_ACTIVE or
  // WA_CLICKACTIVE. Answers the previously active window.
  HWND activate(HWND topLevel, WORD how);
  HWND setCapture(HWND window);
  void releaseCapture();

  // Default processing of an activation gives the window the focus unless it already holds it somewhere
  // inside, or SetFocus is activating the window on its way to one of its children.
  bool activationShouldFocus(HWND window) const;

  enum class FocusGoes { ToParent, Nowhere };
  // A window stops being able to hold what it holds (hidden, destroyed, disabled, minimised): the capture is
  // released, the focus inside it moves on, and, when asked, activation passes to another top-level window.
  void windowLeaving(HWND window, FocusGoes focusGoes, bool passActivation);
  // A window is gone: whatever still names it is cleared without messages.
  void forget(HWND window);

 private:
  bool holds(HWND window, HWND held) const;
  HWND nextToActivate(HWND leaving) const;

  HWND focus_ = nullptr;
  HWND active_ = nullptr;
  HWND capture_ = nullptr;
  HWND pendingFocus_ = nullptr;
};

HWND SetFocus(HWND window);
HWND GetFocus();
// A top-level window; the desktop window (or null) deactivates the program.
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();

}  // namespace native
