// Offers arbitrary bytes to the command service's request reader, in pieces whose sizes the first byte
// chooses. The reader must never keep more than the limits allow, and a complete request must be the same
// whatever the pieces were; a complete request that can be written again must read back unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "native/shell/commandwire.h"

namespace {

native::CommandRequestReader read(std::string_view bytes, std::size_t piece) {
  native::CommandRequestReader reader;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    reader.feed(bytes.substr(at, piece));
  }
  reader.finish();
  return reader;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) {
    return 0;
  }
  std::size_t piece = static_cast<std::size_t>(data[0] % 16) + 1;
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  native::CommandRequestReader whole = read(bytes, bytes.size() + 1);
  native::CommandRequestReader pieces = read(bytes, piece);
  if (whole.topic().size() > native::CommandWire::kMaxTopic ||
      whole.command().size() > native::CommandWire::kMaxCommand || whole.state() != pieces.state() ||
      whole.topic() != pieces.topic() || whole.command() != pieces.command()) {
    std::abort();
  }
  if (whole.state() == native::CommandRequestReader::State::Complete) {
    std::optional<std::string> again = native::CommandWire::request(whole.topic(), whole.command());
    if (!again.has_value()) {
      std::abort();  // what was read within the limits can always be written
    }
    native::CommandRequestReader reread = read(*again, piece);
    if (reread.topic() != whole.topic() || reread.command() != whole.command()) {
      std::abort();
    }
  }
  return 0;
}
