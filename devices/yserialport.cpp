#include "devices/yserialport.h"

#include "devices/yhardware.h"
#include "foundation/kserialport.h"

namespace {

int32_t DevicePorts(YHardware* hardware) {
  return hardware != nullptr ? hardware->DevicePortCount() : 0;
}

}  // namespace

int32_t YSerialPort::TotalPorts(YHardware* hardware) {
  return KSerialPort::PortCount() + DevicePorts(hardware);
}

int32_t YSerialPort::PortAt(YHardware* hardware, int32_t index) {
  const int32_t systemPorts = KSerialPort::PortCount();
  if (index < 0) {
    return 0;
  }
  if (index < systemPorts) {
    return KSerialPort::PortNumber(index);
  }
  return index - systemPorts < DevicePorts(hardware) ? kFirstDevicePort + (index - systemPorts) : 0;
}

int32_t YSerialPort::IndexOf(YHardware* hardware, int32_t port) {
  if (port >= kFirstDevicePort) {
    return port - kFirstDevicePort < DevicePorts(hardware)
               ? KSerialPort::PortCount() + (port - kFirstDevicePort)
               : -1;
  }
  return KSerialPort::FindPort(port);
}
