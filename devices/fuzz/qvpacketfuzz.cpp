// Feeds arbitrary line bytes to the control-unit frame reader, in slices whose size the first byte picks,
// and checks that every frame it accepts encodes back to the same bytes and that reading its words as a
// trial record stays inside them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "devices/qvframereader.h"
#include "devices/qvtrialrecord.h"
#include "foundation/kx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  const size_t slice = data[0] % 64 + 1;
  QvFrameReader reader;
  QvPacket packet;
  for (size_t offset = 1; offset < size; offset += slice) {
    reader.Feed(data + offset, std::min(slice, size - offset));
    for (int32_t code = reader.Next(packet); code != QvFrameReader::kNeedMore; code = reader.Next(packet)) {
      if (code != kErrNone) {
        continue;
      }
      const std::vector<uint8_t> again = packet.Encode();
      QvPacket decoded;
      if (QvPacket::Decode(again.data(), again.size(), decoded) != kErrNone ||
          decoded.words != packet.words) {
        std::abort();
      }
      QvTrialRecord record;
      (void)record.Read(packet.words);
    }
  }
  return 0;
}
