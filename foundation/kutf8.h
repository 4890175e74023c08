#pragma once
// UTF-8 and UTF-16 conversions shared by KString and the text side of KStream. Invalid UTF-8 never fails:
// each byte that does not begin a valid sequence stands for the character of the same value (Latin-1), so
// text in an older 8-bit file still reads. A lone UTF-16 surrogate is written as U+FFFD.

#include <cstdint>

// Decodes one character from `bytes` (`available` of them, at least 1). Returns how many bytes it used
// (1 to 4) and sets `codePoint`.
int32_t KDecodeUtf8(const uint8_t* bytes, int32_t available, char32_t& codePoint);
// Encodes a code point (at most U+10FFFF; surrogates become U+FFFD) into `out`; returns the byte count.
int32_t KEncodeUtf8(char32_t codePoint, uint8_t out[4]);

// UTF-16 surrogate helpers.
constexpr bool KIsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool KIsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
constexpr char32_t KJoinSurrogates(char16_t high, char16_t low) {
  return 0x10000 + ((char32_t{high} - 0xD800) << 10) + (char32_t{low} - 0xDC00);
}
// Splits a code point above U+FFFF into its two units.
constexpr char16_t KHighSurrogate(char32_t codePoint) {
  return char16_t(0xD800 + ((codePoint - 0x10000) >> 10));
}
constexpr char16_t KLowSurrogate(char32_t codePoint) {
  return char16_t(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
}
