#include "native/controls/controlwindow.h"

#include "native/user/focusmanager.h"
#include "native/user/messageapi.h"
#include "native/user/paintapi.h"
#include "native/user/styles.h"
#include "native/user/windowpos.h"

namespace native {

LRESULT ControlWindow::dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<ControlWindow*>(GetWindowLong(window, 0));
  if (control == nullptr) {
    return DefWindowProc(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLong(window, 0, 0);
    delete control;
    return DefWindowProc(window, message, wParam, lParam);
  }
  return control->handle(message, wParam, lParam);
}

DWORD ControlWindow::style() const {
  return static_cast<DWORD>(GetWindowLong(window_, GWL_STYLE));
}

bool ControlWindow::enabled() const {
  return IsWindowEnabled(window_) != FALSE;
}

bool ControlWindow::focused() const {
  return GetFocus() == window_;
}

RECT ControlWindow::clientRect() const {
  RECT rect{};
  GetClientRect(window_, &rect);
  return rect;
}

std::u16string ControlWindow::text() const {
  auto length = static_cast<std::size_t>(DefWindowProc(window_, WM_GETTEXTLENGTH, 0, 0));
  std::u16string result(length + 1, u'\0');
  result.resize(static_cast<std::size_t>(
      DefWindowProc(window_, WM_GETTEXT, result.size(), reinterpret_cast<LPARAM>(result.data()))));
  return result;
}

void ControlWindow::notifyParent(WORD code) const {
  notifyWindow(GetParent(window_), code);
}

void ControlWindow::notifyWindow(HWND target, WORD code) const {
  if (target == nullptr) {
    return;
  }
  auto id = static_cast<WORD>(GetWindowLong(window_, GWL_ID));
  SendMessage(target, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(window_));
}

void ControlWindow::scrollParent(bool vertical, WORD code, int position) const {
  HWND parent = GetParent(window_);
  if (parent == nullptr) {
    return;
  }
  // The position travels as a signed 16-bit word.
  SendMessage(parent, vertical ? WM_VSCROLL : WM_HSCROLL,
              MAKEWPARAM(code, static_cast<WORD>(static_cast<SHORT>(position))),
              reinterpret_cast<LPARAM>(window_));
}

void ControlWindow::invalidate() const {
  InvalidateRect(window_, nullptr, TRUE);
}

LRESULT ControlWindow::handleCommon(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<std::uintptr_t>(lParam)) != 0) {
        invalidate();
      }
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
      LRESULT result = DefWindowProc(window_, message, wParam, lParam);
      invalidate();
      return result;
    }
    case WM_ENABLE:
      invalidate();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the controls paint their whole client area themselves
    case WM_PAINT: {
      PAINTSTRUCT paintInfo{};
      HDC dc = BeginPaint(window_, &paintInfo);
      paint(dc);
      EndPaint(window_, &paintInfo);
      return 0;
    }
    default:
      return DefWindowProc(window_, message, wParam, lParam);
  }
}

}  // namespace native
