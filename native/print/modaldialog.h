#pragma once
// A small modal dialog built from the native controls: a captioned pop-up over its owner, which stays
// disabled while the dialog runs its own message loop. Tab and Shift+Tab move the focus through the
// controls that take it, a group of radio buttons as one stop entered at its checked button; from a push
// button the arrow keys move the focus by where the controls lie, as in the framework's dialogs; Enter
// presses the focused push button (else OK); Escape and the close box cancel. While the loop waits for
// input the owner gets WM_ENTERIDLE (MSGF_DIALOGBOX, the dialog), which is where tests script the user; a
// dialog passes the WM_ENTERIDLE of a dialog it owns on to its own owner.

#include <string>
#include <vector>

#include "native/print/printtypes.h"
#include "native/user/nativetypes.h"

namespace native {

inline constexpr WPARAM MSGF_DIALOGBOX = 0;

class ModalDialog {
 public:
  // Creates the dialog hidden, its client area the given size, centred over the owner (or the desktop). A
  // null owner means the active window; a child window stands for its top-level window.
  ModalDialog(HWND owner, const std::u16string& title, int clientWidth, int clientHeight);
  virtual ~ModalDialog();
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows the dialog and runs until it ends; true when the user chose OK.
  bool run();
  HWND window() const { return window_; }

 protected:
  // A child control; the rectangle is in client coordinates.
  HWND addControl(LPCWSTR className, const std::u16string& text, DWORD style, const RECT& rect, int id);
  HWND item(int id) const;
  std::u16string text(int id) const;
  void setText(int id, const std::u16string& text);
  bool checked(int id) const;
  void setChecked(int id, bool checked);
  void enable(int id, bool enabled);
  // Ends the loop: OK only when accept() agrees.
  void end(bool ok);
  // The control that has the focus when the dialog shows, its text selected; without one, the first that
  // Tab reaches.
  void startFocus(int id) { startFocus_ = id; }
  // Gives the control the focus with its text selected, ready to be typed over.
  void focusAll(int id);

  // A control's WM_COMMAND notification.
  virtual void onCommand(int /*id*/, int /*code*/) {}
  // Called when the user chooses OK: false keeps the dialog open (the dialog shows why).
  virtual bool accept() { return true; }

 private:
  static LRESULT procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Dialog keys; true when the key was taken.
  bool dialogKey(const MSG& message);
  void moveFocus(bool backwards);
  // Moves the focus from the focused push button by an arrow key, among the controls Tab reaches.
  void moveFocusByArrow(HWND focus, UINT virtualKey);
  // The controls Tab reaches, in child order: enabled and visible ones with WS_TABSTOP.
  std::vector<HWND> tabStops() const;
  // Gives the stop the focus where Tab enters it, its text selected.
  void focusStop(HWND stop);
  bool isRadioButton(HWND control) const;
  // Whether the focus lies in what Tab reaches as that stop: the control, a part of it, or its radio group.
  bool stopHolds(HWND stop, HWND focus) const;
  // Where Tab enters a stop: a radio group at its checked button.
  HWND entryOf(HWND stop) const;

  HWND owner_;
  HWND window_ = nullptr;
  // Enter presses these when they have the focus.
  std::vector<HWND> pushButtons_;
  std::vector<HWND> radioButtons_;
  int startFocus_ = 0;
  bool done_ = false;
  bool ok_ = false;
};

}  // namespace native
