#pragma once
// The millisecond tick count, tick comparison across its wrap, sleeping, and the question whether narrow
// (8-bit) operating-system calls are in use.

#include <cstdint>

// A source of millisecond ticks. Tests install one to drive everything that reads KGetTickCount.
using KTickSource = uint32_t (*)();

// Milliseconds since an arbitrary start, from the monotonic clock (or the installed source). The count is
// unsigned and wraps after about 49.7 days, so compare two counts with KTickDifference, never with <.
uint32_t KGetTickCount();

// Installs the tick source that KGetTickCount reads; null goes back to the monotonic clock.
void KSetTickSource(KTickSource source);

// later - earlier as a signed 32-bit difference: positive when later is after earlier, even across the wrap
// (valid while the two are less than about 24.8 days apart).
constexpr int32_t KTickDifference(uint32_t later, uint32_t earlier) {
  return static_cast<int32_t>(later - earlier);
}

// Blocks the calling thread for the given milliseconds (0 or less returns at once).
void KSleep(int32_t milliseconds);

// Whether the 8-bit forms of the operating-system calls are in use. Here the system takes UTF-8 for every
// text and path, so there is no narrow form that loses characters: always false.
constexpr bool KNarrowApi() {
  return false;
}
