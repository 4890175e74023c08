#pragma once
// QvBootMonitor: the text dialogue with a block sensor's boot monitor that writes a firmware image or
// start-gun sounds into its flash (docs/control-unit-protocol.md, "The boot-monitor dialogue").

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class KSerialPort;
class LinkWaitReporter;

class QvBootMonitor {
 public:
  static constexpr uint32_t kFirmwareAddress = 0;
  static constexpr uint32_t kSoundAddress = 0x100000;
  // Each area holds at most this many bytes.
  static constexpr uint32_t kAreaSize = 0x100000;
  static constexpr uint32_t kBytesPerLine = 64;

  // Enters the monitor (up to `attempts` tries, at least one; after a repeated try is answered the answers
  // still owed to earlier tries are let go until the line is quiet), erases the file's length at `address`
  // and writes the data line by line, reporting progress 0 to 100. Every wait for the monitor serves the
  // reporter, when there is one, between its slices. Throws KXSerialPort: 5002 when the monitor does not
  // answer in the port's read time-out, 5006 when it answers "err"; 5000 for data that does not fit the
  // area.
  static void Upload(KSerialPort& port, const std::vector<uint8_t>& data, uint32_t address, int32_t attempts,
                     const std::function<void(int32_t)>& progress, LinkWaitReporter* reporter = nullptr);

  // The lines of the dialogue, without their CR.
  static std::string EraseLine(uint32_t address, uint32_t length);
  static std::string WriteLine(uint32_t address, const uint8_t* bytes, uint32_t count);
};
