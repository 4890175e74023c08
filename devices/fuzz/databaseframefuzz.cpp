// Feeds arbitrary bytes to the frame reader in slices whose size the first byte chooses. Every frame found
// must encode back to bytes that read as the same frame (one refused for its payload as one that is not),
// and the reader must never hold more than one frame and one slice.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "devices/databaseframe.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void CheckRoundTrip(const DatabaseFrame& frame) {
  Check(frame.code.size() == 3);
  const std::string bytes = frame.Encode(frame.hasChecksum);
  DatabaseFrameReader again;
  again.Feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  DatabaseFrame back;
  Check(again.Next(back));
  Check(back.code == frame.code && back.hasChecksum == frame.hasChecksum && back.Refusal() == nullptr);
  Check(frame.Refusal() != nullptr || back.payload == frame.payload);
  Check(again.Pending() == 0 && again.BadChecksums() == 0 && again.BrokenFrames() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  const size_t slice = 1 + data[0] % 64;
  DatabaseFrameReader reader;
  for (size_t at = 1; at < size; at += slice) {
    const size_t count = at + slice <= size ? slice : size - at;
    reader.Feed(data + at, count);
    DatabaseFrame frame;
    while (reader.Next(frame)) {
      CheckRoundTrip(frame);
      frame.Lines(0);
      frame.Lines(1);
    }
    Check(reader.Pending() <= static_cast<size_t>(DatabaseFrame::kMaxPayloadBytes) + 32 + slice);
  }
  return 0;
}
