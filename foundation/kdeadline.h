#pragma once
// KDeadline: the moment a call must be done waiting by, on the monotonic clock. The links (serial ports and
// sockets) wait for their descriptors against one deadline per call, so wake-ups that do not make the
// descriptor ready (signals, spurious readiness) never stretch a call past its time-out.

#include <chrono>
#include <cstdint>

class KDeadline {
 public:
  using Clock = std::chrono::steady_clock;

  // One time-out from now; a negative time-out never passes.
  static KDeadline After(int32_t timeoutMs);

  // Waits until `fd` is ready for `events` (poll flags); false when the deadline passed first. An error or
  // hang-up on the descriptor counts as ready: the call that follows reports it.
  bool WaitFor(int fd, short events) const;

 private:
  explicit KDeadline(Clock::time_point moment) : moment(moment) {}

  Clock::time_point moment;
};
