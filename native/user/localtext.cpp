#include "native/user/localtext.h"

#include "foundation/kutf8.h"

namespace native {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t code) {
  uint8_t bytes[4];
  const int32_t count = KEncodeUtf8(code, bytes);
  out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count));
}

}  // namespace

std::string utf8FromUtf16(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      appendUtf8(out, kReplacement);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

std::u16string utf16FromUtf8(std::string_view text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80           ? 0
                : (lead >> 5) == 0x6  ? 1
                : (lead >> 4) == 0xE  ? 2
                : (lead >> 3) == 0x1E ? 3
                                      : -1;
    char32_t code = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
    bool good = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
    for (int k = 1; good && k <= extra; ++k) {
      auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      good = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (!good || code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::u16string utf16FromCodePoint(char32_t codePoint) {
  if (codePoint == 0) {
    return {};
  }
  if (codePoint < 0x10000) {
    return std::u16string(1, static_cast<char16_t>(codePoint));
  }
  return {KHighSurrogate(codePoint), KLowSurrogate(codePoint)};
}

}  // namespace native
