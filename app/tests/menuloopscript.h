#pragma once
// A pop-up menu runs a loop of its own, which tells the window that owns the menu each time it waits for
// input; so does a dialog of the window system (the file and print dialogs). While installed on that window,
// each such wait is a pass of the program's script, so that a step can act inside the open menu or dialog;
// until a step has answered it, the loop is nudged to come back idle (a menu is closed by Escape and a dialog
// by its close box once the script has given up), so a test never hangs on it. One at a time.

#include "app/tests/programtest.h"
#include "native/native.h"
#include "native/print/modaldialog.h"

class MenuLoopScript {
 public:
  MenuLoopScript(native::HWND owner, ProgramScript& script) : owner(owner), script(script) {
    active = this;
    previous = reinterpret_cast<native::WNDPROC>(
        native::SetWindowLong(owner, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&Procedure)));
  }
  ~MenuLoopScript() {
    Uninstall();
    if (active == this) {
      active = nullptr;
    }
  }
  MenuLoopScript(const MenuLoopScript&) = delete;
  MenuLoopScript& operator=(const MenuLoopScript&) = delete;

  // The menu window in whose wait for input the script's pass runs now; null outside such a pass.
  static native::HWND WaitingMenu() { return active != nullptr ? active->waitingMenu : nullptr; }
  // The same for a window system dialog.
  static native::HWND WaitingDialog() { return active != nullptr ? active->waitingDialog : nullptr; }
  // A step's input for the menu (a key) is on its way: the menu is no longer nudged, and the owner gets
  // its own procedure back.
  void Answered() { answered = true; }

 private:
  static native::LRESULT Procedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                   native::LPARAM lParam) {
    MenuLoopScript& self = *active;
    const native::WNDPROC next = self.previous;
    const bool menu = wParam == native::MSGF_MENU;
    if (message == native::WM_ENTERIDLE && (menu || wParam == native::MSGF_DIALOGBOX) && !self.answered) {
      const auto waiting = reinterpret_cast<native::HWND>(lParam);
      (menu ? self.waitingMenu : self.waitingDialog) = waiting;
      self.script.Tick();
      self.waitingMenu = nullptr;
      self.waitingDialog = nullptr;
      if (self.script.GivenUp()) {
        native::PostMessage(menu ? window : waiting, menu ? native::WM_KEYDOWN : native::WM_CLOSE,
                            menu ? native::VK_ESCAPE : 0, 0);
      } else if (!self.answered) {
        native::PostMessage(window, native::WM_NULL, 0, 0);
      }
    }
    if (self.answered || message == native::WM_NCDESTROY) {
      self.Uninstall();
    }
    return native::CallWindowProc(next, window, message, wParam, lParam);
  }
  void Uninstall() {
    if (previous != nullptr && native::IsWindow(owner)) {
      native::SetWindowLong(owner, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(previous));
    }
    previous = nullptr;
  }

  static inline MenuLoopScript* active = nullptr;
  native::HWND owner;
  ProgramScript& script;
  native::WNDPROC previous = nullptr;
  native::HWND waitingMenu = nullptr;
  native::HWND waitingDialog = nullptr;
  bool answered = false;
};
