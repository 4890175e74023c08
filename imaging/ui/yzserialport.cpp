#include "imaging/ui/yzserialport.h"

#include <algorithm>

#include "devices/yserialport.h"
#include "foundation/kserialport.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzdialog.h"

YZSerialPort::YZSerialPort(KZDialog* dialog, uint32_t options, YHardware* hardware)
    : KZSerialPort(dialog, options), hardware(hardware) {}

YZSerialPort::~YZSerialPort() = default;

bool YZSerialPort::ListsBothKinds() const {
  return PortList() && (Options() & (kSystemPorts | kExtraPorts)) == (kSystemPorts | kExtraPorts);
}

bool YZSerialPort::GetPort(int32_t& port) {
  // Entry 0 is "none"; the combined list follows it.
  const int32_t index = ListsBothKinds() ? PortList()->SelectedIndex() : -1;
  if (index < 0 || index > YSerialPort::TotalPorts(hardware)) {
    return KZSerialPort::GetPort(port);
  }
  port = YSerialPort::PortAt(hardware, index - 1);
  return true;
}

bool YZSerialPort::SetPort(int32_t port) {
  if (!ListsBothKinds() || port < 0) {
    return KZSerialPort::SetPort(port);
  }
  PortList()->Select(YSerialPort::IndexOf(hardware, port) + 1);
  Refresh();
  return true;
}

int32_t YZSerialPort::AddExtraPorts(int32_t firstIndex) {
  const int32_t total = YSerialPort::TotalPorts(hardware);
  // The list's first entry is "none", so the combined index of the first device port is one less; the
  // device ports always follow the system's in the combined list.
  int32_t added = 0;
  for (int32_t index = std::max(firstIndex - 1, KSerialPort::PortCount()); index < total; ++index, ++added) {
    KString name;
    KSerialPort::PortName(YSerialPort::PortAt(hardware, index), name);
    Dialog()->AddComboItem(name.CStr(), 0);
  }
  return added;
}
