#pragma once
// The bytes of a text the program sends or writes for a peer, the one conversion behind every such output:
// the scoreboards, the database and reaction-time links, the results interface file, the control unit's
// text and the log. Every control character a text holds (C0, DEL and C1) goes out as a blank, so no text
// can end a line, start a frame or give a board a command. In the one-byte code set (ISO 8859-1) a character
// the set holds is its own byte and any other becomes "?": its low byte instead would be another character,
// even a line end or a byte a board takes as a command.

#include <cstdint>
#include <string>

#include "foundation/kstream.h"

class KString;

// A character that is no text of its own: below U+0020, U+007F and U+0080 to U+009F.
constexpr bool KIsControl(char32_t codePoint) {
  return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

// The byte of one character in the one-byte code set, controls kept (text files and narrow window texts
// carry their own tabs and line ends).
constexpr uint8_t KByteOf(char32_t codePoint) {
  return codePoint <= 0xFF ? static_cast<uint8_t>(codePoint) : uint8_t{'?'};
}

// The bytes of a text in a stream encoding: kEncodingUtf16 two bytes a unit, low byte first;
// kEncodingLocal UTF-8; any other one byte per character. A pair of surrogates is one character, a lone
// surrogate one that no code set holds ("?", or U+FFFD).
std::string KByteText(const KString& text, int32_t encoding = KStream::kEncodingByte);
