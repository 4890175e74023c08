#include "foundation/kbytetext.h"

#include "foundation/kstring.h"
#include "foundation/kutf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUnit(std::string& bytes, char16_t unit) {
  bytes.push_back(static_cast<char>(unit & 0xFF));
  bytes.push_back(static_cast<char>(unit >> 8));
}

}  // namespace

std::string KByteText(const KString& text, int32_t encoding) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.Length()));
  for (int32_t i = 0; i < text.Length(); ++i) {
    char32_t codePoint = text[i];
    if (KIsHighSurrogate(codePoint) && KIsLowSurrogate(text.At(i + 1))) {
      codePoint = KJoinSurrogates(text[i], text[i + 1]);
      ++i;
    } else if (KIsHighSurrogate(codePoint) || KIsLowSurrogate(codePoint)) {
      codePoint = kReplacement;
    } else if (KIsControl(codePoint)) {
      codePoint = U' ';
    }
    if (encoding == KStream::kEncodingUtf16 && codePoint > 0xFFFF) {
      AppendUnit(bytes, KHighSurrogate(codePoint));
      AppendUnit(bytes, KLowSurrogate(codePoint));
    } else if (encoding == KStream::kEncodingUtf16) {
      AppendUnit(bytes, static_cast<char16_t>(codePoint));
    } else if (encoding == KStream::kEncodingLocal) {
      uint8_t utf8[4];
      bytes.append(reinterpret_cast<const char*>(utf8), static_cast<size_t>(KEncodeUtf8(codePoint, utf8)));
    } else {
      bytes.push_back(static_cast<char>(KByteOf(codePoint)));
    }
  }
  return bytes;
}
