// Feeds arbitrary bytes to the text side of a stream, to the KString record reader and, as a format
// text, to KString::AppendFormat (formats come from the settings text). Line reading in
// every read mode must end without a crash and give back, in lines and their ends, no more units than
// there were bytes; a KString record that is accepted must write back to exactly the bytes it came from.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kstream.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"

namespace {

void ReadAllLines(const std::vector<uint8_t>& bytes, int32_t encoding, int32_t lineMode) {
  KMemoryStream stream(bytes);
  stream.SetReadMode(encoding);
  stream.SetReadLineMode(lineMode);
  size_t units = 0;
  for (;;) {
    KString line;
    const int32_t end = stream.ReadLine(line);
    units += static_cast<size_t>(line.Length());
    if (end == KStream::kEndOfStream || end == KStream::kEndAfterText) {
      break;
    }
    if ((end != 10 && end != 13) || units > bytes.size()) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  for (int32_t encoding = KStream::kEncodingByte; encoding <= KStream::kEncodingAuto; ++encoding) {
    for (int32_t lineMode = KStream::kLineNone; lineMode <= KStream::kLineLfCr; ++lineMode) {
      ReadAllLines(bytes, encoding, lineMode);
    }
  }

  KString format;
  format.AppendNarrow(reinterpret_cast<const char*>(data), static_cast<int32_t>(size));
  KString formatted;
  formatted.AppendFormat(-12345, format);
  formatted.AppendFormat(1e300, format);

  KMemoryStream input(bytes);
  KString text;
  try {
    text.Read(input);
  } catch (const KX&) {
    return 0;  // refused records are expected
  }
  KMemoryStream output;
  text.Write(output);
  const size_t used = size - static_cast<size_t>(input.Remaining());
  if (output.Bytes() != std::vector<uint8_t>(data, data + used)) {
    std::abort();
  }
  return 0;
}
