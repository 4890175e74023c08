#pragma once
// CuBootMonitor: the simulated boot monitor of a block sensor, which takes the text lines of an upload and
// keeps the flash they write, so that tests can compare it with the uploaded file.

#include <cstdint>
#include <string>
#include <vector>

class CuBootMonitor {
 public:
  // The firmware area and the sound area, one after the other.
  static constexpr uint32_t kFlashSize = 0x200000;

  CuBootMonitor();

  // The answer to one line without its CR: "ok\r\n", "err\r\n", or nothing before the monitor is entered.
  std::string Answer(const std::string& line);
  bool Entered() const { return entered; }
  // The flash bytes from `address`; empty when the range is outside the flash.
  std::vector<uint8_t> Flash(uint32_t address, uint32_t length) const;

 private:
  bool Erase(const std::vector<std::string>& fields);
  bool Write(const std::vector<std::string>& fields);
  // A range that lies inside the flash.
  static bool InFlash(uint64_t address, uint64_t length);

  bool entered = false;
  std::vector<uint8_t> flash;
  std::vector<bool> erased;
};
