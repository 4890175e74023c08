#include "foundation/ktime.h"

#include <atomic>
#include <cerrno>
#include <ctime>

namespace {

std::atomic<KTickSource> tickSource{nullptr};

uint32_t MonotonicTicks() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  // Unsigned arithmetic wraps by definition, which is exactly the behaviour of a 32-bit tick counter.
  return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                               static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

}  // namespace

uint32_t KGetTickCount() {
  KTickSource source = tickSource.load(std::memory_order_acquire);
  return source != nullptr ? source() : MonotonicTicks();
}

void KSetTickSource(KTickSource source) {
  tickSource.store(source, std::memory_order_release);
}

void KSleep(int32_t milliseconds) {
  if (milliseconds <= 0) {
    return;
  }
  timespec remaining{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  // A signal may cut the sleep short; go on sleeping for what is left.
  while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
}
