#pragma once
// A pop-up menu runs a loop of its own, which tells the window that owns the menu each time it waits for
// input. While installed on that window, each such wait is a pass of the program's script, so that a step
// can act inside the open menu; until a step has answered it, the menu is nudged to come back idle (and
// closed by Escape once the script has given up), so a test never hangs on an open menu. One at a time.

#include "app/tests/programtest.h"
#include "native/native.h"

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
  // A step's input for the menu (a key) is on its way: the menu is no longer nudged, and the owner gets
  // its own procedure back.
  void Answered() { answered = true; }

 private:
  static native::LRESULT Procedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                   native::LPARAM lParam) {
    MenuLoopScript& self = *active;
    const native::WNDPROC next = self.previous;
    if (message == native::WM_ENTERIDLE && wParam == native::MSGF_MENU && !self.answered) {
      self.waitingMenu = reinterpret_cast<native::HWND>(lParam);
      self.script.Tick();
      self.waitingMenu = nullptr;
      if (self.script.GivenUp()) {
        native::PostMessage(window, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
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
  bool answered = false;
};
