#pragma once
// What every standard control shares: its window, its font, its place among its parent's children (the
// notifications go there), and the class procedure that makes the control's object when the window is made
// (WM_NCCREATE) and deletes it with the window (WM_NCDESTROY). The object's address lives in the window's
// extra bytes, so subclassing (GWL_WNDPROC, GWL_USERDATA) leaves it alone.

#include <string>

#include "native/gdi/gditypes.h"
#include "native/user/messages.h"
#include "native/user/nativetypes.h"
#include "native/user/windowapi.h"

namespace native {

class ControlWindow {
 public:
  explicit ControlWindow(HWND window) : window_(window) {}
  virtual ~ControlWindow() = default;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  // The control's own messages; what it does not take goes to handleCommon.
  virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  // The extra bytes a control class reserves for the object's address.
  static constexpr int kExtraBytes = sizeof(LONG_PTR);

  // The class procedure of control type `Control`.
  template <typename Control>
  static LRESULT procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLong(window, 0, reinterpret_cast<LONG_PTR>(new Control(window)));
    }
    return dispatch(window, message, wParam, lParam);
  }

 protected:
  HWND window() const { return window_; }
  DWORD style() const;
  bool enabled() const;
  bool focused() const;
  RECT clientRect() const;
  HFONT font() const { return font_; }
  // The window text as default processing keeps it.
  std::u16string text() const;
  // Sends WM_COMMAND with the control's id and the code to the parent, or to `target`.
  void notifyParent(WORD code) const;
  void notifyWindow(HWND target, WORD code) const;
  // Sends WM_HSCROLL or WM_VSCROLL to the parent with the code, a signed 16-bit position and the control.
  void scrollParent(bool vertical, WORD code, int position) const;
  void invalidate() const;
  // Font, text, enabling, painting and the rest of default processing.
  LRESULT handleCommon(UINT message, WPARAM wParam, LPARAM lParam);
  // Draws the whole client area; WM_PAINT calls it between BeginPaint and EndPaint.
  virtual void paint(HDC dc) = 0;

 private:
  static LRESULT dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_;
  HFONT font_ = nullptr;
};

}  // namespace native
