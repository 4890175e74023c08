#include "framework/data/zafstrtol.h"

#include <cstdint>

#include "framework/data/zafchar.h"

namespace {

// A digit's value in the number, or -1 for a character that is not one. Numerals of ten and more (the
// Tamil ten, hundred and thousand) first scale what was gathered and then count as the digit 0.
int DigitValue(ZafIChar character, uint64_t& gathered) {
  if (ZafIsDigit(character)) {
    const int value = ZafDigitValue(character);
    if (value < 10) {
      return value;
    }
    gathered *= static_cast<uint64_t>(value / 10);
    return 0;
  }
  if (ZafIsUpper(character)) {
    return character - 55;
  }
  if (ZafIsLower(character)) {
    return character - 87;
  }
  return -1;
}

struct ParsedInteger {
  uint32_t value = 0;
  bool negative = false;
  bool overflow = false;
};

// Gathers the digits, stopping the value at `positiveLimit` (or `negativeLimit` after a '-').
ParsedInteger ParseInteger(const ZafIChar* text, ZafIChar** end, int base, uint64_t positiveLimit,
                           uint64_t negativeLimit) {
  ParsedInteger parsed;
  const ZafIChar* place = text;
  while (ZafIsSpace(*place)) {
    ++place;
  }
  if (*place == '-' || *place == '+') {
    parsed.negative = *place == '-';
    ++place;
  }
  if ((base == 0 || base == 16) && place[0] == '0' && (place[1] == 'x' || place[1] == 'X')) {
    base = 16;
    place += 2;
  } else if (base == 0) {
    base = place[0] == '0' ? 8 : 10;
  }
  const uint64_t limit = parsed.negative ? negativeLimit : positiveLimit;
  uint64_t gathered = 0;
  bool tookDigit = false;
  if (base >= 2 && base <= 36) {
    for (;; ++place) {
      uint64_t scaled = gathered;
      const int digit = DigitValue(*place, scaled);
      if (digit < 0 || digit >= base) {
        break;
      }
      tookDigit = true;
      // Past the limit the value stays there, but the digits are still consumed.
      if (!parsed.overflow) {
        gathered = scaled * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (scaled > limit || gathered > limit) {
          parsed.overflow = true;
          gathered = limit;
        }
      }
    }
  }
  if (end) {
    *end = const_cast<ZafIChar*>(tookDigit ? place : text);
  }
  parsed.value = static_cast<uint32_t>(gathered);
  return parsed;
}

}  // namespace

ZafLong ZafStrToL(const ZafIChar* text, ZafIChar** end, int base) {
  const ParsedInteger parsed = ParseInteger(text, end, base, 0x7FFFFFFFu, 0x80000000u);
  if (parsed.overflow) {
    return parsed.negative ? INT32_MIN : INT32_MAX;
  }
  const uint32_t value = parsed.negative ? 0u - parsed.value : parsed.value;
  return static_cast<ZafLong>(value);
}

ZafULong ZafStrToUL(const ZafIChar* text, ZafIChar** end, int base) {
  const ParsedInteger parsed = ParseInteger(text, end, base, 0xFFFFFFFFu, 0xFFFFFFFFu);
  if (parsed.overflow) {
    return 0xFFFFFFFFu;
  }
  return parsed.negative ? 0u - parsed.value : parsed.value;
}

int ZafAtoI(const ZafIChar* text) {
  return ZafStrToL(text, nullptr, 10);
}

ZafLong ZafAtoL(const ZafIChar* text) {
  return ZafStrToL(text, nullptr, 10);
}
