#include "foundation/kutf8.h"

namespace {

bool IsContinuation(uint8_t byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

int32_t KDecodeUtf8(const uint8_t* bytes, int32_t available, char32_t& codePoint) {
  const uint8_t lead = bytes[0];
  codePoint = lead;
  int32_t length = 0;
  char32_t value = 0;
  char32_t smallest = 0;  // overlong forms are invalid
  if (lead < 0x80) {
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, smallest = 0x10000;
  } else {
    return 1;
  }
  if (available < length) {
    return 1;
  }
  for (int32_t i = 1; i < length; ++i) {
    if (!IsContinuation(bytes[i])) {
      return 1;
    }
    value = (value << 6) | (bytes[i] & 0x3F);
  }
  if (value < smallest || value > 0x10FFFF || KIsHighSurrogate(value) || KIsLowSurrogate(value)) {
    return 1;
  }
  codePoint = value;
  return length;
}

int32_t KEncodeUtf8(char32_t codePoint, uint8_t out[4]) {
  if (codePoint > 0x10FFFF || KIsHighSurrogate(codePoint) || KIsLowSurrogate(codePoint)) {
    codePoint = 0xFFFD;
  }
  if (codePoint < 0x80) {
    out[0] = uint8_t(codePoint);
    return 1;
  }
  if (codePoint < 0x800) {
    out[0] = uint8_t(0xC0 | (codePoint >> 6));
    out[1] = uint8_t(0x80 | (codePoint & 0x3F));
    return 2;
  }
  if (codePoint < 0x10000) {
    out[0] = uint8_t(0xE0 | (codePoint >> 12));
    out[1] = uint8_t(0x80 | ((codePoint >> 6) & 0x3F));
    out[2] = uint8_t(0x80 | (codePoint & 0x3F));
    return 3;
  }
  out[0] = uint8_t(0xF0 | (codePoint >> 18));
  out[1] = uint8_t(0x80 | ((codePoint >> 12) & 0x3F));
  out[2] = uint8_t(0x80 | ((codePoint >> 6) & 0x3F));
  out[3] = uint8_t(0x80 | (codePoint & 0x3F));
  return 4;
}
