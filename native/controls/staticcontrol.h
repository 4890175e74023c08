#pragma once
// The "STATIC" control: a label drawn left, centred or right, words wrapped, "&" underlining the next
// character unless SS_NOPREFIX, grey when disabled, on the background its parent gives for
// WM_CTLCOLORSTATIC.

#include "native/controls/controlwindow.h"

namespace native {

class StaticControl : public ControlWindow {
 public:
  explicit StaticControl(HWND window) : ControlWindow(window) {}

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  UINT textFormat() const;
  void paint(HDC dc) override;
};

}  // namespace native
