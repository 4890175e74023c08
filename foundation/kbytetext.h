#pragma once
// Text in the one-byte code set (ISO 8859-1), the one conversion behind every 8-bit text the program sends
// or writes: the scoreboards, the database link, the results interface file, the control unit's text, the log
// and the 8-bit text streams. A character the code set holds is its own byte; any other becomes "?" (a pair
// of surrogates one "?"). Its low byte instead would be another character, even a line end or a byte a board
// takes as a command, so no text yields a byte below 0x20 that it did not hold.

#include <cstdint>
#include <string>

class KString;

// The byte of one character.
constexpr uint8_t KByteOf(char32_t codePoint) {
  return codePoint <= 0xFF ? static_cast<uint8_t>(codePoint) : uint8_t{'?'};
}

// The bytes of a text, one per character.
std::string KByteText(const KString& text);
