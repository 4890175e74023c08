// Scans fuzzed text with a fuzzed format. The input is split at the first pair of zero bytes: format
// first, then the text, both as little-endian 16-bit characters.
#include <cstddef>
#include <cstdint>
#include <string>

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
  // Each '%' takes at most one argument; a format that could take more than are passed is not valid input.
  constexpr std::size_t kSlots = 16;
  std::size_t conversions = 0;
  for (char16_t character : format) {
    conversions += character == u'%';
  }
  if (conversions > kSlots) {
    return 0;
  }
  // Every conversion may take an argument; the integer handlers store at most 32 bits, pointers 64.
  uint64_t slots[kSlots] = {};
  ZafSScanf(text.c_str(), format.c_str(), &slots[0], &slots[1], &slots[2], &slots[3], &slots[4], &slots[5],
            &slots[6], &slots[7], &slots[8], &slots[9], &slots[10], &slots[11], &slots[12], &slots[13],
            &slots[14], &slots[15]);
  return 0;
}
