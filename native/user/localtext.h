#pragma once
// Text in the local code page, which is UTF-8, to and from the window system's UTF-16: the clipboard's 8-bit
// format and the 8-bit forms of messages use it.

#include <string>
#include <string_view>

namespace native {

// Lone surrogates become U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);
// Malformed, overlong and out-of-range sequences become U+FFFD, one per bad byte.
std::u16string utf16FromUtf8(std::string_view text);
// One code point's units, two for one beyond 16 bits; none for 0.
std::u16string utf16FromCodePoint(char32_t codePoint);

}  // namespace native
