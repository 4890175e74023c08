#pragma once
// The window system's clock: message times, tick counts, timers and double-click times come from it. Tests
// install a clock they advance by hand, so nothing waits on real time.

#include <cstdint>

namespace native {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start.
  virtual std::uint64_t nowMs() const = 0;
  // How long the message loop may block until `dueMs` arrives: milliseconds, or -1 to wait for other wake-ups
  // only (a clock that does not move by itself).
  virtual int waitMs(std::uint64_t dueMs) const = 0;
};

// The real monotonic clock.
class MonotonicClock : public Clock {
 public:
  std::uint64_t nowMs() const override;
  int waitMs(std::uint64_t dueMs) const override;
};

}  // namespace native
