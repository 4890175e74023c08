#include "native/user/clock.h"

#include <time.h>

#include <algorithm>

namespace native {

std::uint64_t MonotonicClock::nowMs() const {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

int MonotonicClock::waitMs(std::uint64_t dueMs) const {
  std::uint64_t now = nowMs();
  if (dueMs <= now) {
    return 0;
  }
  // Round up so that the loop wakes after the due time, not a fraction before it.
  return static_cast<int>(std::min<std::uint64_t>(dueMs - now + 1, 0x7FFFFFFF));
}

}  // namespace native
