#include "framework/data/zafutf8.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t code) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
  } else {
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  }
}

// The code point of the sequence at `index` and its length in bytes; 0 bytes when it is not valid.
struct Decoded {
  char32_t code;
  std::size_t length;
};

Decoded DecodeUtf8(std::string_view text, std::size_t index) {
  const auto byte = [&](std::size_t at) { return static_cast<uint8_t>(text[at]); };
  const uint8_t lead = byte(index);
  std::size_t length = 0;
  char32_t code = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    return {lead, 1};
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return {0, 0};
  }
  if (index + length > text.size()) {
    return {0, 0};
  }
  for (std::size_t next = 1; next < length; ++next) {
    if ((byte(index + next) & 0xC0) != 0x80) {
      return {0, 0};
    }
    code = (code << 6) | (byte(index + next) & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8.
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return {0, 0};
  }
  return {code, length};
}

}  // namespace

std::string ZafToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t index = 0; index < text.size(); ++index) {
    char32_t unit = text[index];
    if (IsHighSurrogate(unit) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) {
      unit = 0x10000 + ((unit - 0xD800) << 10) + (text[index + 1] - 0xDC00);
      ++index;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      unit = kReplacement;
    }
    AppendUtf8(out, unit);
  }
  return out;
}

std::u16string ZafFromUtf8(std::string_view text) {
  std::u16string out;
  for (std::size_t index = 0; index < text.size();) {
    const Decoded decoded = DecodeUtf8(text, index);
    if (decoded.length == 0) {
      AppendUtf16(out, kReplacement);
      ++index;
    } else {
      AppendUtf16(out, decoded.code);
      index += decoded.length;
    }
  }
  return out;
}
