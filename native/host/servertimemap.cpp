#include "native/host/servertimemap.h"

#include <algorithm>

namespace native {

namespace {

// The step from one stamp to the next, modulo 2^32: the count's wrap is a short step forward.
std::int32_t stepBetween(std::uint32_t from, std::uint32_t to) {
  return static_cast<std::int32_t>(to - from);
}

}  // namespace

std::uint64_t ServerTimeMap::map(std::uint32_t serverMs, std::uint64_t readMs) {
  if (!started_) {
    restart(Read{serverMs, readMs});
  } else if (stepBetween(lastStamp_, serverMs) < 0) {
    // An older stamp (an event its maker stamped late) gets the time of the event before it. Two on from
    // each other are a server clock set back (or a new server): the offset kept so far means nothing then,
    // and the count starts again from the first of them.
    if (!behind_ || stepBetween(behind_->stamp, serverMs) < 0) {
      behind_ = Read{serverMs, readMs};
      return givenMs_;
    }
    restart(*behind_);
  }
  behind_.reset();
  serverMs_ += stepBetween(lastStamp_, serverMs);
  lastStamp_ = serverMs;
  // A read with less delay than any before sets the offset right; the time moves on as far as the server's
  // clock went forward.
  offsetMs_ = std::min(offsetMs_, static_cast<std::int64_t>(readMs) - serverMs_);
  givenMs_ = std::max(givenMs_, static_cast<std::uint64_t>(serverMs_ + offsetMs_));
  return givenMs_;
}

void ServerTimeMap::restart(const Read& read) {
  started_ = true;
  lastStamp_ = read.stamp;
  serverMs_ = read.stamp;
  offsetMs_ = static_cast<std::int64_t>(read.readMs) - serverMs_;
}

}  // namespace native
