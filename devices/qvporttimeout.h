#pragma once
// QvPortTimeout: keeps a serial port's read time-out while an exchange shortens it to what is left of its
// deadline (counted on KGetTickCount), and puts it back however the exchange ends.

#include <cstdint>

#include "foundation/kserialport.h"
#include "foundation/ktime.h"

class QvPortTimeout {
 public:
  explicit QvPortTimeout(KSerialPort& port)
      : port(port),
        timeout(port.Timeout()),
        deadline(KGetTickCount() + static_cast<uint32_t>(timeout < 0 ? 0 : timeout)) {}
  ~QvPortTimeout() { port.SetTimeout(timeout); }
  QvPortTimeout(const QvPortTimeout&) = delete;
  QvPortTimeout& operator=(const QvPortTimeout&) = delete;

  // Milliseconds left before the deadline; 0 or less when it has passed.
  int32_t Remaining() const { return static_cast<int32_t>(deadline - KGetTickCount()); }
  // Sets the port's time-out to what is left before the deadline; false when nothing is left.
  bool SetRemaining() {
    const int32_t remaining = Remaining();
    if (remaining <= 0) {
      return false;
    }
    port.SetTimeout(remaining);
    return true;
  }

 private:
  KSerialPort& port;
  int32_t timeout;
  uint32_t deadline;
};
