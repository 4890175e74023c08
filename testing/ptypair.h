#pragma once
// A pseudo-terminal pair for tests of serial links: the program under test opens the device side as its
// serial port (through the KESTROVE_COM<n> mapping) while the test plays the other end on the controller
// side. Real bytes go through a real tty.

#include <termios.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/pty/rawpseudoterminal.h"

namespace ktest {

class PtyPair {
 public:
  // Opens the pair; throws std::runtime_error when the system has no pseudo-terminals to give.
  PtyPair() = default;
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  // The device path that the program opens ("/dev/pts/N").
  const std::string& DevicePath() const { return terminal.DevicePath(); }

  // Sets KESTROVE_COM<port> to the device path until this pair is destroyed (the previous value comes back).
  void MapToPort(int32_t port);

  // Sends bytes to the program: they arrive as input on the device side.
  void Send(std::string_view bytes);
  // Collects what the program wrote until `count` bytes came or `timeoutMs` passed without a new byte;
  // returns what came.
  std::string Receive(size_t count, int timeoutMs = 500);
  // True when nothing the program wrote is waiting to be received after `timeoutMs`.
  bool NothingReceived(int timeoutMs);

  // The line settings the program put on the device side.
  termios DeviceSettings() const;

 private:
  RawPseudoTerminal terminal;
  std::string mappedVariable;
  std::string previousValue;
  bool hadPreviousValue = false;
};

}  // namespace ktest
