#pragma once
// A pseudo-terminal whose two sides pass bytes unchanged, for playing a serial device: the simulator or a
// test reads and writes the controller side while the program opens the device side ("/dev/pts/N") as its
// serial port. The pair keeps the device side open itself, so that the line stays up while the program
// closes and reopens its port.

#include <string>

class RawPseudoTerminal {
 public:
  // Throws std::runtime_error when the system has no pseudo-terminal to give.
  RawPseudoTerminal();
  ~RawPseudoTerminal();
  RawPseudoTerminal(const RawPseudoTerminal&) = delete;
  RawPseudoTerminal& operator=(const RawPseudoTerminal&) = delete;

  int Controller() const { return controller; }
  // The device side the pair keeps open; it is there to hold the line and to read its settings, never to
  // read bytes from.
  int DeviceKeeper() const { return deviceKeeper; }
  const std::string& DevicePath() const { return devicePath; }

 private:
  int controller = -1;
  int deviceKeeper = -1;
  std::string devicePath;
};
