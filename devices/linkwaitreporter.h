#pragma once
// LinkWaitReporter: how a request of a serial link that waits for its answer (the database link, the control
// unit's link) reaches the program. The request holds the thread that asks, the GUI thread, for up to the
// link's time-out: the program shows that it waits and, between the slices of the wait, serves what must
// not wait that long (the reaction-time link, the windows' paints, the command service).

#include <cstdint>

class KSerialPort;

class LinkWaitReporter {
 public:
  // While a request waits for its answer, the reporter is served at least this often (ms).
  static constexpr int32_t kServeEveryMs = 100;

  virtual ~LinkWaitReporter() = default;

  // A request begins (true) or ends (false) its wait, answered or not.
  virtual void Busy(bool busy) = 0;
  // Between the slices of a wait.
  virtual void Serve() = 0;
  // Whether the program ends its waits (an exit was asked): each wait then ends at its next slice, with no
  // answer, and what failed for it is not the link's fault to tell the user about.
  virtual bool WaitsEnd() const { return false; }
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

// What ServedRead answers for a wait the reporter ends.
inline constexpr int32_t kWaitEnded = -1;

// One slice of a wait: reads what the port brings within `leftMs`, at most kServeEveryMs when there is a
// reporter, which is then served. Answers the bytes read, 0 when none came, and kWaitEnded, reading
// nothing, once the reporter ends the waits; the port's other failures throw. The port's time-out is left at
// the slice's.
int32_t ServedRead(KSerialPort& port, uint8_t* buffer, int32_t size, int64_t leftMs,
                   LinkWaitReporter* reporter);
