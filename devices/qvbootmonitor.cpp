#include "devices/qvbootmonitor.h"

#include <algorithm>
#include <cstdio>
#include <deque>

#include "devices/linkwaitreporter.h"
#include "devices/qvdraininput.h"
#include "devices/qvpacket.h"
#include "devices/qvporttimeout.h"
#include "foundation/kserialport.h"
#include "foundation/kx.h"

namespace {

constexpr const char* kEnterLine = "sb ffffb9 c 1 z";
// Longer answer lines are start-up chatter, cut to this length while skipping them.
constexpr size_t kMaxAnswerLength = 80;

// Lower-case hexadecimal, padded with zeros to `digits` (0: as few digits as the value needs).
std::string Hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*x", digits, value);
  return text;
}

// The dialogue on the line: each line sent, then the monitor's answer read as it comes. Bytes read beyond
// an answer stay for the next line's, as they would on the line.
class Dialogue {
 public:
  Dialogue(KSerialPort& port, LinkWaitReporter* reporter) : port(port), reporter(reporter) {}

  // Sends a line and waits for "ok" or "err", skipping anything else the sensor prints. True for "ok".
  bool Command(const std::string& line) {
    const std::string sent = line + "\r";
    port.Write(sent.data(), static_cast<int32_t>(sent.size()));
    QvPortTimeout deadline(port);
    std::string answer;
    for (;;) {
      const char byte = Next(deadline);
      if (byte == '\n') {
        if (!answer.empty() && answer.back() == '\r') {
          answer.pop_back();
        }
        if (answer == "ok" || answer == "err") {
          return answer == "ok";
        }
        answer.clear();
      } else if (answer.size() < kMaxAnswerLength) {
        answer.push_back(byte);
      }
    }
  }

  // Throws away what waits on the line, and what was read ahead, until it is quiet for `quietMs`.
  void Drain(int32_t quietMs) {
    ahead.clear();
    QvDrainInput(port, quietMs, reporter);
  }

  // Whether the program ends its waits: a try that met a silence then is not made again.
  bool WaitsEnd() const { return reporter != nullptr && reporter->WaitsEnd(); }

 private:
  // The next byte before the deadline; 5002 when none comes.
  char Next(const QvPortTimeout& deadline) {
    const auto some = [this](const uint8_t* bytes, int32_t count) {
      ahead.insert(ahead.end(), bytes, bytes + count);
      return !ahead.empty();
    };
    if (!ServedWait(
            port, reporter, [&deadline] { return deadline.Remaining(); }, some)) {
      throw KXSerialPort(kErrSerialTimeout);
    }
    const char byte = static_cast<char>(ahead.front());
    ahead.pop_front();
    return byte;
  }

  KSerialPort& port;
  LinkWaitReporter* const reporter;
  std::deque<uint8_t> ahead;
};

}  // namespace

void QvBootMonitor::Upload(KSerialPort& port, const std::vector<uint8_t>& data, uint32_t address,
                           int32_t attempts, const std::function<void(int32_t)>& progress,
                           LinkWaitReporter* reporter) {
  if (data.empty() || data.size() > kAreaSize) {
    throw KXSerialPort(kErrSerial);
  }
  Dialogue monitor(port, reporter);
  progress(0);
  // A sensor still starting may miss the first lines: only a silence is tried again, at least once. A try
  // sent again starts on a cleared line, so that nothing that came after the last one's time-out is taken
  // for its answer.
  for (int32_t attempt = 1;; ++attempt) {
    if (attempt > 1) {
      monitor.Drain(0);
    }
    try {
      if (!monitor.Command(kEnterLine)) {
        throw KXSerialPort(kErrSerialHandshake);
      }
    } catch (const KXSerialPort& failure) {
      if (failure.Code() != kErrSerialTimeout || attempt >= attempts || monitor.WaitsEnd()) {
        throw;
      }
      continue;
    }
    if (attempt > 1) {
      // The "ok" just read may be the late answer to an earlier try, and the monitor still owes one for
      // each try it heard: they are let go until the line stays quiet, or every later answer would be
      // taken for the line after the one it belongs to.
      monitor.Drain(port.Timeout());
    }
    break;
  }
  const uint32_t size = static_cast<uint32_t>(data.size());
  if (!monitor.Command(EraseLine(address, size))) {
    throw KXSerialPort(kErrSerialHandshake);
  }
  for (uint32_t offset = 0; offset < size; offset += kBytesPerLine) {
    const uint32_t count = std::min(kBytesPerLine, size - offset);
    if (!monitor.Command(WriteLine(address + offset, data.data() + offset, count))) {
      throw KXSerialPort(kErrSerialHandshake);
    }
    progress(static_cast<int32_t>(static_cast<uint64_t>(offset + count) * 100 / size));
  }
}

std::string QvBootMonitor::EraseLine(uint32_t address, uint32_t length) {
  return "fe " + Hex(address, 0) + " " + Hex(length, 0);
}

std::string QvBootMonitor::WriteLine(uint32_t address, const uint8_t* bytes, uint32_t count) {
  std::string line = "fw " + Hex(address, 0) + " ";
  for (uint32_t i = 0; i < count; ++i) {
    line += Hex(bytes[i], 2);
  }
  return line + " " + Hex(QvPacket::Checksum(bytes, count), 4);
}
