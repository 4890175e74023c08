// Converts fuzzed 16-bit text with ZafStrToD and checks that the end position stays inside the text and
// that the value agrees with a second conversion of the text the end position marks off.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/data/zafstrtod.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t index = 0; index + 1 < size; index += 2) {
    text += static_cast<char16_t>(data[index] | (data[index + 1] << 8));
  }
  ZafIChar* end = nullptr;
  const double value = ZafStrToD(text.c_str(), &end);
  const std::ptrdiff_t used = end - text.c_str();
  if (used < 0 || static_cast<size_t>(used) > text.size()) {
    std::abort();
  }
  // The consumed part alone must give the same value, bit for bit.
  const std::u16string consumed = text.substr(0, used);
  ZafIChar* secondEnd = nullptr;
  const double again = ZafStrToD(consumed.c_str(), &secondEnd);
  if (std::memcmp(&value, &again, sizeof value) != 0 && !(value != value && again != again)) {
    std::abort();
  }
  if (secondEnd - consumed.c_str() != used) {
    std::abort();
  }
  return 0;
}
