#include "foundation/kbytetext.h"

#include "foundation/kstring.h"
#include "foundation/kutf8.h"

std::string KByteText(const KString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.Length()));
  for (int32_t i = 0; i < text.Length(); ++i) {
    if (KIsHighSurrogate(text[i]) && KIsLowSurrogate(text.At(i + 1))) {
      ++i;  // the pair is one character
    }
    bytes.push_back(static_cast<char>(KByteOf(text[i])));
  }
  return bytes;
}
