#pragma once
// The clock the photo-finish links measure their time-outs and retries by: milliseconds of a steady clock,
// replaced by tests that drive time themselves.

#include <chrono>
#include <cstdint>
#include <functional>

using LinkClock = std::function<int64_t()>;

inline int64_t SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
