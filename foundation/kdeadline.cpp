#include "foundation/kdeadline.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

KDeadline KDeadline::After(int32_t timeoutMs) {
  return KDeadline(timeoutMs < 0 ? Clock::time_point::max()
                                 : Clock::now() + std::chrono::milliseconds(timeoutMs));
}

bool KDeadline::WaitFor(int fd, short events) const {
  for (;;) {
    int wait = -1;
    if (moment != Clock::time_point::max()) {
      auto left = std::chrono::ceil<std::chrono::milliseconds>(moment - Clock::now());
      wait = static_cast<int>(std::clamp<int64_t>(left.count(), 0, INT32_MAX));
    }
    pollfd waiting{fd, events, 0};
    int ready = poll(&waiting, 1, wait);
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    return ready != 0;
  }
}
