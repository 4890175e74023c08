#pragma once
// The program's one port to the control unit: each operation on the unit opens it with the settings of the
// first named serial port and closes it at its end. After the open the unit needs a moment to settle; that
// wait goes through a replaceable function, so tests move a virtual clock instead of sleeping.

#include <cstdint>
#include <functional>

class KSerialPort;

class LinkPort {
 public:
  // The settle wait after an open, in milliseconds.
  static constexpr int32_t kSettleTime = 1100;

  using WaitFunction = std::function<void(int32_t milliseconds)>;

  static KSerialPort& Port();
  // Waits kSettleTime through the installed wait (a real sleep by default).
  static void Settle();
  // Installs the wait; an empty function puts the real sleep back.
  static void SetWait(WaitFunction wait);
};
