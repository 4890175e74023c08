#pragma once
// LinkWaitReporter: how a request of a serial link that waits for its answer (the database link, the control
// unit's link) reaches the program. The request holds the thread that asks, the GUI thread, for up to the
// link's time-out: the program shows that it waits and, between the slices of the wait, serves what must
// not wait that long (the reaction-time link, the windows' paints, the command service).

#include <cstdint>
#include <functional>
#include <optional>

class KSerialPort;

class LinkWaitReporter {
 public:
  // While a request waits for its answer, the reporter is served about this often (ms).
  static constexpr int32_t kServeEveryMs = 100;

  virtual ~LinkWaitReporter() = default;

  // A request begins (true) or ends (false) its wait, answered or not.
  virtual void Busy(bool busy) = 0;
  // Between the slices of a wait.
  virtual void Serve() = 0;
  // Whether the program ends its waits (an exit was asked): each wait then ends at its next slice, with no
  // answer, and what failed for it is not the link's fault to tell the user about.
  virtual bool WaitsEnd() const { return false; }

  // Serves the reporter between two reads of a wait: after a read that brought nothing (its slice of
  // kServeEveryMs ran out), and once kServeEveryMs have passed since a wait last served it, across the
  // waits of one request after another (on KGetTickCount). A line that keeps sending is thus served ten
  // times a second, not at every read.
  void ServeWhenDue(bool quiet);

 private:
  std::optional<uint32_t> servedAt;
};

// Tells a reporter, when there is one, that a request waits for its answer, for as long as it lives.
class ShownWait {
 public:
  explicit ShownWait(LinkWaitReporter* reporter) : reporter(reporter) {
    if (reporter != nullptr) {
      reporter->Busy(true);
    }
  }
  ~ShownWait() {
    if (reporter != nullptr) {
      reporter->Busy(false);
    }
  }
  ShownWait(const ShownWait&) = delete;
  ShownWait& operator=(const ShownWait&) = delete;

 private:
  LinkWaitReporter* const reporter;
};

// What a served wait hands each read's bytes to (none the first time, for what came before the wait):
// answers true once the wait has what it waits for.
using WaitTake = std::function<bool(const uint8_t* bytes, int32_t count)>;

// Waits for what the port brings, handing it to `take`. True once `take` has what it waits for; false once a
// read made with no time left (`leftMs` answers what is left; 0 or less: none) brought nothing, and once the
// reporter ends the waits, which then read nothing more. With a reporter each read waits at most
// kServeEveryMs, and the reporter is served between reads as ServeWhenDue says. The port's other failures
// throw; its time-out is left at the last read's.
bool ServedWait(KSerialPort& port, LinkWaitReporter* reporter, const std::function<int64_t()>& leftMs,
                const WaitTake& take);
