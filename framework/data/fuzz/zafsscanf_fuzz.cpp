// Scans fuzzed text with a fuzzed format. The input is split at the first pair of zero bytes: format
// first, then the text, both as little-endian 16-bit characters.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/data/zafscanf.h"

namespace {

std::u16string Characters(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t index = 0; index + 1 < size; index += 2) {
    text += static_cast<char16_t>(data[index] | (data[index + 1] << 8));
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string all = Characters(data, size);
  const std::size_t split = all.find(u'\0');
  const std::u16string format = all.substr(0, split);
  const std::u16string text = split == std::u16string::npos ? u"" : all.substr(split + 1);
  // Each '%' takes at most one argument; a format that could take more than are passed is not valid input,
  // and neither is 'Z', which promises the caller passed data objects.
  constexpr std::size_t kSlots = 16;
  std::size_t conversions = 0;
  for (char16_t character : format) {
    conversions += character == u'%';
    if (character == u'Z') {
      return 0;
    }
  }
  if (conversions > kSlots) {
    return 0;
  }
  // Every conversion may take an argument: integers and reals store at most 64 bits, the string
  // conversions at most the width (held to 0xFFFF by the scanner) and a terminator.
  constexpr std::size_t kSlotCharacters = 0x10001;
  // Made once: what a scan leaves in them does not matter.
  static std::vector<std::u16string> slots(kSlots, std::u16string(kSlotCharacters, u'\0'));
  ZafSScanf(text.c_str(), format.c_str(), slots[0].data(), slots[1].data(), slots[2].data(), slots[3].data(),
            slots[4].data(), slots[5].data(), slots[6].data(), slots[7].data(), slots[8].data(),
            slots[9].data(), slots[10].data(), slots[11].data(), slots[12].data(), slots[13].data(),
            slots[14].data(), slots[15].data());
  return 0;
}
