#pragma once
// The repeat of a held press on a control's arrow or page area: the first repeat after a delay, then one
// every period, on a timer of the control's own (the built-in scroll bars repeat at the same pace).

#include "native/user/nativetypes.h"

namespace native {

class PressRepeater {
 public:
  explicit PressRepeater(HWND window) : window_(window) {}

  void start();
  void stop();
  // True when the WM_TIMER is the repeater's; the next tick then comes one period later.
  bool takeTick(WPARAM timerId);

  // An id programs are unlikely to pick for timers of their own on a control.
  static constexpr UINT_PTR kTimerId = 0x7E9E;

 private:
  HWND window_;
  bool running_ = false;
};

}  // namespace native
