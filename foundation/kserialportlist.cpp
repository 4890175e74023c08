// The system's serial ports: which port numbers exist on this machine and which device each one names.
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/kserialport.h"
#include "foundation/kstring.h"

extern char** environ;

namespace {

struct DeviceRange {
  const char* prefix;
  int32_t firstPort;
  int32_t lastPort;
};
constexpr DeviceRange kDeviceRanges[] = {{"ttyS", 1, 99}, {"ttyUSB", 101, 199}, {"ttyACM", 201, 255}};
constexpr char kOverridePrefix[] = "KESTROVE_COM";

std::vector<int32_t> portList;
std::string deviceFolder = "/dev";

// The number made of all the digits of `text`, -1 when it is empty, holds anything else or is too large.
int32_t DigitsValue(std::string_view text) {
  if (text.empty() || text.size() > 6) {
    return -1;
  }
  int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return -1;
    }
    value = value * 10 + (c - '0');
  }
  return value;
}

// The port number of a device name of one of the ranges ("ttyUSB2" -> 103), 0 for any other name.
int32_t PortOfDeviceName(std::string_view name, bool& isStandardSerial) {
  for (const DeviceRange& range : kDeviceRanges) {
    std::string_view prefix = range.prefix;
    if (name.substr(0, prefix.size()) != prefix) {
      continue;
    }
    int32_t number = DigitsValue(name.substr(prefix.size()));
    if (number < 0 || number > range.lastPort - range.firstPort) {
      continue;
    }
    isStandardSerial = range.firstPort == 1;
    return range.firstPort + number;
  }
  return 0;
}

// Whether a ttyS device has a UART behind it: most machines create ttyS0-31 whatever the hardware.
bool HasUart(const std::string& device, const std::string& classEntry) {
  std::error_code ignored;
  std::ifstream typeFile(classEntry + "/type");
  int type = 0;
  if (typeFile >> type) {
    return type != 0;
  }
  if (std::filesystem::exists(classEntry + "/device", ignored)) {
    return true;  // a driver that reports no UART type but has hardware behind it
  }
  int descriptor = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    return false;
  }
  serial_struct info{};
  bool known = ioctl(descriptor, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
  close(descriptor);
  return known;
}

// The port numbers of the KESTROVE_COM<n> variables, whatever their paths.
std::vector<int32_t> OverriddenPorts() {
  std::vector<int32_t> ports;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    std::string_view variable = *entry;
    if (variable.substr(0, sizeof kOverridePrefix - 1) != kOverridePrefix) {
      continue;
    }
    size_t equals = variable.find('=');
    int32_t port =
        DigitsValue(variable.substr(sizeof kOverridePrefix - 1, equals - (sizeof kOverridePrefix - 1)));
    if (port > 0) {
      ports.push_back(port);
    }
  }
  return ports;
}

}  // namespace

std::string KSerialPort::DevicePath(int32_t port) {
  if (port <= 0) {
    return {};
  }
  const std::string variable = kOverridePrefix + std::to_string(port);
  if (const char* override = std::getenv(variable.c_str()); override != nullptr && *override != 0) {
    return override;
  }
  for (const DeviceRange& range : kDeviceRanges) {
    if (port >= range.firstPort && port <= range.lastPort) {
      return deviceFolder + "/" + range.prefix + std::to_string(port - range.firstPort);
    }
  }
  return {};
}

void KSerialPort::EnumeratePorts() {
  EnumeratePorts("/dev", "/sys/class/tty");
}

void KSerialPort::EnumeratePorts(const std::string& devices, const std::string& classFolder) {
  deviceFolder = devices;
  portList.clear();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(devices, error)) {
    const std::string name = entry.path().filename().string();
    bool isStandardSerial = false;
    int32_t port = PortOfDeviceName(name, isStandardSerial);
    // A port that an override sends elsewhere is judged by its override below.
    if (port == 0 || std::getenv((kOverridePrefix + std::to_string(port)).c_str()) != nullptr) {
      continue;
    }
    if (!isStandardSerial || HasUart(entry.path().string(), classFolder + "/" + name)) {
      portList.push_back(port);
    }
  }
  for (int32_t port : OverriddenPorts()) {
    std::error_code ignored;
    if (std::filesystem::exists(DevicePath(port), ignored)) {
      portList.push_back(port);
    }
  }
  std::sort(portList.begin(), portList.end());
  portList.erase(std::unique(portList.begin(), portList.end()), portList.end());
}

void KSerialPort::ReleasePorts() {
  portList.clear();
  deviceFolder = "/dev";
}

int32_t KSerialPort::PortCount() {
  return static_cast<int32_t>(portList.size());
}

int32_t KSerialPort::PortNumber(int32_t index) {
  return index >= 0 && index < PortCount() ? portList[static_cast<size_t>(index)] : 0;
}

int32_t KSerialPort::FindPort(int32_t port) {
  auto found = std::find(portList.begin(), portList.end(), port);
  return found == portList.end() ? -1 : static_cast<int32_t>(found - portList.begin());
}

void KSerialPort::PortName(int32_t port, KString& text) {
  text.AppendNarrow("COM").AppendInt(port);
  std::string path = DevicePath(port);
  if (!path.empty()) {
    text.AppendNarrow(" (").Append(KString::FromUtf8(path)).AppendChar(u')');
  }
}
