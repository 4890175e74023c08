#pragma once
// The combined serial-port list of the port panels: the system's own ports (KSerialPort's list) followed by
// the ports that device interfaces of the hardware manager offer, numbered from 256.

#include <cstdint>

class YHardware;

class YSerialPort {
 public:
  static constexpr int32_t kFirstDevicePort = 256;

  // The system's ports plus the device ports (none without a manager).
  static int32_t TotalPorts(YHardware* hardware);
  // The port number at a combined index; 0 outside the list.
  static int32_t PortAt(YHardware* hardware, int32_t index);
  // The combined index of a port number; -1 when it is not in the list.
  static int32_t IndexOf(YHardware* hardware, int32_t port);
};
