#include "toolkit/kzmenuwatchdog.h"

#include "foundation/ktime.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/virtualkeys.h"

namespace {

constexpr int32_t kPriority = 0;
constexpr int32_t kStackBytes = 32768;

}  // namespace

KZMenuWatchDog::KZMenuWatchDog(uint32_t delay) : delay(delay), guiThread(native::GetCurrentThreadId()) {
  Start(kPeriodMs, kPriority, kStackBytes);
}

KZMenuWatchDog::~KZMenuWatchDog() {
  Stop();
}

void KZMenuWatchDog::Arm() {
  deadline = 0;
  Resume();
  Rearm();
}

void KZMenuWatchDog::Disarm() {
  deadline = 0;
  Pause();
}

void KZMenuWatchDog::Rearm() {
  if (!IsRunning()) {
    deadline = 0;
    return;
  }
  // 0 means no deadline, so a deadline that falls on tick 0 is taken one tick later.
  const auto due = static_cast<int32_t>(KGetTickCount() + delay);
  deadline = due != 0 ? due : 1;
}

void KZMenuWatchDog::Tick(uint32_t now) {
  int32_t due = deadline;
  // The difference, not the values, is compared, so the deadline holds across the tick count's wrap.
  if (due == 0 || static_cast<int32_t>(now - static_cast<uint32_t>(due)) < 0) {
    return;
  }
  // Only the tick that clears this deadline posts; one the GUI thread set meanwhile waits for its time.
  if (deadline.compare_exchange_strong(due, 0)) {
    native::PostThreadMessage(guiThread, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
  }
}
