// Uploads a small image through the boot-monitor dialogue to a sensor whose answers are the fuzzed bytes
// (devices/fuzz/fuzzedserialport.h). Whatever it prints, the upload either ends with every line written
// and progress at 100, or fails with a silence (5002) or a refusal (5006); it never writes more lines than
// the tries to enter, the erase and the data lines.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "devices/fuzz/fuzzedserialport.h"
#include "devices/qvbootmonitor.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

constexpr int32_t kAttempts = 3;
// Three data lines, the last one short.
constexpr size_t kImageBytes = 2 * QvBootMonitor::kBytesPerLine + 5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedSerialPort port(data, size);
  std::vector<uint8_t> image(kImageBytes);
  for (size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<uint8_t>(i * 7);
  }
  int32_t lastProgress = -1;
  const auto progress = [&lastProgress](int32_t percent) {
    Check(percent >= lastProgress && percent <= 100);
    lastProgress = percent;
  };
  try {
    QvBootMonitor::Upload(port, image, QvBootMonitor::kSoundAddress, kAttempts, progress);
    Check(lastProgress == 100);
  } catch (const KXSerialPort& failure) {
    Check(failure.Code() == kErrSerialTimeout || failure.Code() == kErrSerialHandshake);
  }
  Check(port.Writes() <= kAttempts + 1 + 3);
  return 0;
}
