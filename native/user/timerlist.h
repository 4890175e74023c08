#pragma once
// Window timers (a window and an id) and thread timers (no window; the id is the one SetTimer returned). A
// timer never queues messages: when the loop finds nothing else, it makes a WM_TIMER for the earliest due
// timer, so however long the program is busy at most one WM_TIMER per timer waits.

#include <cstdint>
#include <optional>
#include <vector>

#include "native/user/messagequeue.h"
#include "native/user/nativetypes.h"

namespace native {

class TimerList {
 public:
  // Starts the timer, or restarts an existing one with the new period; answers the id, 0 on failure.
  UINT_PTR set(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC procedure, std::uint64_t nowMs);
  bool kill(HWND window, UINT_PTR id);
  void killAllOf(HWND window);

  // The WM_TIMER of the earliest due timer the filter accepts; taking it (`remove`) starts the next period
  // from now, so a late timer does not catch up with a burst.
  std::optional<MSG> due(const MessageFilter& filter, bool remove, std::uint64_t nowMs);
  // When the earliest timer the filter accepts falls due.
  std::optional<std::uint64_t> nextDue(const MessageFilter& filter) const;
  // Whether `procedure` is the callback of that running timer; a WM_TIMER's lParam is trusted only then.
  bool hasProcedure(HWND window, UINT_PTR id, TIMERPROC procedure) const;

  // Shortest period: a period of 0 would make the loop spin.
  static constexpr UINT kMinimumPeriodMs = 10;

 private:
  struct Timer {
    HWND window;
    UINT_PTR id;
    UINT periodMs;
    std::uint64_t dueMs;
    TIMERPROC procedure;
  };
  Timer* find(HWND window, UINT_PTR id);

  std::vector<Timer> timers_;
  UINT_PTR nextThreadTimerId_ = 1;
};

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC procedure);
BOOL KillTimer(HWND window, UINT_PTR id);

}  // namespace native
