#include "tools/cusim/cubootmonitor.h"

#include <charconv>
#include <sstream>

#include "devices/qvpacket.h"

namespace {

bool ParseHex(const std::string& text, uint64_t& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream words(line);
  std::string field;
  while (words >> field) {
    fields.push_back(field);
  }
  return fields;
}

}  // namespace

CuBootMonitor::CuBootMonitor() : flash(kFlashSize, 0), erased(kFlashSize, false) {}

std::string CuBootMonitor::Answer(const std::string& line) {
  if (line == "sb ffffb9 c 1 z") {
    entered = true;
    return "ok\r\n";
  }
  if (!entered) {
    return "";
  }
  const std::vector<std::string> fields = Fields(line);
  bool done = false;
  if (!fields.empty() && fields[0] == "fe") {
    done = Erase(fields);
  } else if (!fields.empty() && fields[0] == "fw") {
    done = Write(fields);
  }
  return done ? "ok\r\n" : "err\r\n";
}

std::vector<uint8_t> CuBootMonitor::Flash(uint32_t address, uint32_t length) const {
  if (!InFlash(address, length)) {
    return {};
  }
  return std::vector<uint8_t>(flash.begin() + address, flash.begin() + address + length);
}

bool CuBootMonitor::Erase(const std::vector<std::string>& fields) {
  uint64_t address = 0;
  uint64_t length = 0;
  if (fields.size() != 3 || !ParseHex(fields[1], address) || !ParseHex(fields[2], length) ||
      !InFlash(address, length)) {
    return false;
  }
  for (uint64_t i = address; i < address + length; ++i) {
    flash[i] = 0xFF;
    erased[i] = true;
  }
  return true;
}

bool CuBootMonitor::Write(const std::vector<std::string>& fields) {
  uint64_t address = 0;
  uint64_t sum = 0;
  if (fields.size() != 4 || !ParseHex(fields[1], address) || !ParseHex(fields[3], sum) ||
      fields[2].size() % 2 != 0 || fields[2].size() > 128) {
    return false;
  }
  std::vector<uint8_t> data;
  for (size_t i = 0; i < fields[2].size(); i += 2) {
    uint64_t byte = 0;
    if (!ParseHex(fields[2].substr(i, 2), byte)) {
      return false;
    }
    data.push_back(static_cast<uint8_t>(byte));
  }
  if (data.empty() || !InFlash(address, data.size()) || sum != QvPacket::Checksum(data.data(), data.size())) {
    return false;
  }
  for (size_t i = 0; i < data.size(); ++i) {
    if (!erased[address + i]) {
      return false;
    }
  }
  for (size_t i = 0; i < data.size(); ++i) {
    flash[address + i] = data[i];
    erased[address + i] = false;
  }
  return true;
}

bool CuBootMonitor::InFlash(uint64_t address, uint64_t length) {
  return address <= kFlashSize && length <= kFlashSize - address;
}
