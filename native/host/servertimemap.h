#pragma once
// Puts the times a display server stamps on its input events onto the program's monotonic clock (the clock
// of timers, message times and tick counts), so that a click counts from when the user made it, not from
// when a busy program got round to reading it. The server counts milliseconds of its own in 32 bits. Every
// event is read some time after the server stamped it, so the difference between the clocks seen at a read
// is the true one plus that delay: the smallest difference seen is kept as the offset.

#include <cstdint>
#include <optional>

namespace native {

class ServerTimeMap {
 public:
  // The time on the program's clock of an event the server stamped `serverMs`, read at `readMs` on the
  // program's clock (which never goes back). It is never after `readMs`, and never before the time given to
  // the event before it, whatever the server's clock did (wrapped, went back, jumped ahead). A stamp behind
  // the latest one moves nothing: the server's clock is taken to have gone back only when a second stamp
  // comes on from it.
  std::uint64_t map(std::uint32_t serverMs, std::uint64_t readMs);

 private:
  struct Read {
    std::uint32_t stamp;
    std::uint64_t readMs;
  };

  // Counts the server's time anew from a stamp read at `readMs`.
  void restart(const Read& read);

  bool started_ = false;
  std::uint32_t lastStamp_ = 0;
  std::int64_t serverMs_ = 0;   // the server's time counted on past its 32-bit wrap
  std::int64_t offsetMs_ = 0;   // the program's clock minus the server's
  std::uint64_t givenMs_ = 0;   // the time given to the latest event
  std::optional<Read> behind_;  // the latest stamp behind `lastStamp_`, while no later one came
};

}  // namespace native
