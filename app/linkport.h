#pragma once
// The program's one port to the control unit: each operation on the unit opens it with the settings of the
// first named serial port and closes it at its end. After the open the unit needs a moment to settle; that
// wait goes through a replaceable function, so tests move a virtual clock instead of sleeping.

#include <cstdint>
#include <functional>

class KSerialPort;
class KString;

class LinkPort {
 public:
  // The settle wait after an open, in milliseconds.
  static constexpr int32_t kSettleTime = 1100;
  // The real wait sleeps in slices this long and serves what must not wait between them.
  static constexpr int32_t kSettleSlice = 100;

  using WaitFunction = std::function<void(int32_t milliseconds)>;

  static KSerialPort& Port();
  // Opens the port with the settings text for the unit's bytes, waits for the unit to settle and sets the
  // short read time-out ("\Serial\ShortTimeout"); throws KXSerialPort as the port does.
  static void Open(const KString& settings);
  // Opens the port again with the settings of the first named serial port, for a request the user retries:
  // the unit may have been unplugged and plugged in again. A port that does not open stays closed, and the
  // retried request fails on it.
  static void Reopen();
  // Waits kSettleTime through the installed wait; by default a real sleep, with the reaction-time link served
  // and the windows painted after each slice.
  static void Settle();
  // Installs the wait; an empty function puts the real sleep back.
  static void SetWait(WaitFunction wait);
};
