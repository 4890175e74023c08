#include "native/host/servertimemap.h"

namespace native {

std::uint64_t ServerTimeMap::map(std::uint32_t serverMs, std::uint64_t readMs) {
  // The step since the last stamp, modulo 2^32: the count's wrap is a short step forward.
  const auto step = static_cast<std::int32_t>(serverMs - lastStamp_);
  lastStamp_ = serverMs;
  serverMs_ = started_ ? serverMs_ + step : serverMs;
  const std::int64_t seen = static_cast<std::int64_t>(readMs) - serverMs_;
  // A server clock that went back (set back, or a new server) makes the offset kept so far meaningless. A
  // new offset gives this event the read's time, which no earlier event's time passes; a kept one moves the
  // time on as far as the server's clock went forward.
  if (!started_ || step < 0 || seen < offsetMs_) {
    offsetMs_ = seen;
  }
  started_ = true;
  // The offset is at most what this read saw, so the time is never after the read.
  return static_cast<std::uint64_t>(serverMs_ + offsetMs_);
}

}  // namespace native
