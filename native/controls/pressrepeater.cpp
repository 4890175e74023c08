#include "native/controls/pressrepeater.h"

#include "native/user/nonclienttracker.h"
#include "native/user/timerlist.h"

namespace native {

void PressRepeater::start() {
  running_ = SetTimer(window_, kTimerId, NonClientTracker::kRepeatDelayMs, nullptr) != 0;
}

void PressRepeater::stop() {
  if (running_) {
    KillTimer(window_, kTimerId);
    running_ = false;
  }
}

bool PressRepeater::takeTick(WPARAM timerId) {
  if (!running_ || timerId != kTimerId) {
    return false;
  }
  SetTimer(window_, kTimerId, NonClientTracker::kRepeatPeriodMs, nullptr);
  return true;
}

}  // namespace native
