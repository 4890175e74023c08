// Opens arbitrary bytes as an event document. A refused document must leave the event as it was; an accepted
// one must write back to the very bytes it was read from, since every field is stored exactly.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "model/qvevent.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  KMemoryStream stream(bytes);
  QvEvent event;
  event.SetTitle(u"before");
  event.SetModified(false);
  try {
    event.Read(stream);
  } catch (const KX&) {
    if (!(event.GetTitle() == KString(u"before")) || event.GetLegCount() != 0) {
      std::abort();
    }
    return 0;
  }
  KMemoryStream written;
  event.Write(written);
  const auto used = static_cast<size_t>(stream.Position());
  if (written.Bytes() != std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(used))) {
    std::abort();
  }
  return 0;
}
