// Feeds arbitrary bytes to the settings-text reader. Whatever it accepts must save and read back to the
// same tree: the saved text of the loaded tree is loaded again, with no line skipped, and saved again
// byte for byte the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kregistry.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"

namespace {

std::vector<uint8_t> Saved(const KRegistry& registry) {
  KMemoryStream stream;
  // UTF-16 holds every 16-bit unit a text can have, so the comparison sees the tree and not the encoding.
  stream.SetWriteMode(KStream::kEncodingUtf16);
  stream.SetWriteLineMode(KStream::kLineCrLf);
  stream.WriteBOM();
  registry.Save(stream);
  return stream.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KRegistry::RegisterTypes();
  KRegistry registry;
  KMemoryStream input(std::vector<uint8_t>(data, data + size));
  try {
    registry.Load(input);
  } catch (const KX&) {
    // Refused files and read failures are expected; what was read before stays and is checked below.
  }
  const std::vector<uint8_t> first = Saved(registry);
  KRegistry copy;
  KMemoryStream again(first);
  if (copy.Load(again) != 0 || Saved(copy) != first) {
    std::abort();
  }
  return 0;
}
