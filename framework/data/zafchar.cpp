#include "framework/data/zafchar.h"

#include <array>

namespace {

struct CharRange {
  ZafIChar low;
  ZafIChar high;
};

constexpr std::array<CharRange, 7> kSpaceRanges = {{
    {0x0009, 0x000D},
    {0x0020, 0x0020},
    {0x0085, 0x0085},
    {0x00A0, 0x00A0},
    {0x2000, 0x200B},
    {0x2028, 0x2029},
    {0x3000, 0x3000},
}};

// A run of cased letters: upper-case characters [upperLow, upperHigh] map to lower case by adding `offset`.
// With `alternating` set the run is pairs (upper, lower) side by side, as in Latin Extended-A.
struct CaseRun {
  ZafIChar upperLow;
  ZafIChar upperHigh;
  int offset;
  bool alternating;
};

constexpr std::array<CaseRun, 12> kCaseRuns = {{
    {0x0041, 0x005A, 32, false},  // A-Z
    {0x00C0, 0x00D6, 32, false},  // Latin-1 capitals before the multiplication sign
    {0x00D8, 0x00DE, 32, false},  // and after it
    {0x0100, 0x012E, 1, true},    // Latin Extended-A pairs
    {0x0132, 0x0136, 1, true},
    {0x0139, 0x0147, 1, true},
    {0x014A, 0x0176, 1, true},
    {0x0179, 0x017D, 1, true},
    {0x0391, 0x03A1, 32, false},  // Greek capitals (0x03A2 is unassigned)
    {0x03A3, 0x03AB, 32, false},
    {0x0400, 0x040F, 80, false},  // Cyrillic
    {0x0410, 0x042F, 32, false},
}};

// Pairs outside the regular runs. The runs are searched first, so I and i keep each other as partners
// while the dotted capital I and the dotless i map onto them one way only.
struct CasePair {
  ZafIChar upper;
  ZafIChar lower;
};

constexpr std::array<CasePair, 4> kCasePairs = {{
    {0x0178, 0x00FF},  // Y with diaeresis
    {0x0130, 0x0069},  // capital I with dot above
    {0x0049, 0x0131},  // dotless i
    {0x0053, 0x017F},  // long s
}};

// Lower-case letters without an upper case of their own.
constexpr std::array<ZafIChar, 6> kCaselessLower = {0x00AA, 0x00B5, 0x00BA, 0x00DF, 0x0138, 0x0149};

bool InCaseRun(const CaseRun& run, int upper) {
  if (upper < run.upperLow || upper > run.upperHigh) {
    return false;
  }
  return !run.alternating || (upper - run.upperLow) % 2 == 0;
}

// The lower case of an upper-case letter of the table, or 0 when the character is not one.
ZafIChar LowerOf(ZafIChar character) {
  for (const CaseRun& run : kCaseRuns) {
    if (InCaseRun(run, character)) {
      return static_cast<ZafIChar>(character + run.offset);
    }
  }
  for (const CasePair& pair : kCasePairs) {
    if (pair.upper == character) {
      return pair.lower;
    }
  }
  return 0;
}

// The upper case of a lower-case letter of the table, or 0 when the character is not one.
ZafIChar UpperOf(ZafIChar character) {
  for (const CaseRun& run : kCaseRuns) {
    if (InCaseRun(run, character - run.offset)) {
      return static_cast<ZafIChar>(character - run.offset);
    }
  }
  for (const CasePair& pair : kCasePairs) {
    if (pair.lower == character) {
      return pair.upper;
    }
  }
  return 0;
}

// Scripts whose ten decimal digits are contiguous from the given zero.
constexpr std::array<ZafIChar, 9> kDigitZeros = {0x0030, 0x0660, 0x06F0, 0x0966, 0x09E6,
                                                 0x0A66, 0x0BE6, 0x0E50, 0xFF10};

// Tamil ten, hundred and thousand: a numeral that multiplies what stands before it.
constexpr ZafIChar kTamilTen = 0x0BF0;

}  // namespace

bool ZafIsSpace(ZafIChar character) {
  for (const CharRange& range : kSpaceRanges) {
    if (character >= range.low && character <= range.high) {
      return true;
    }
  }
  return false;
}

bool ZafIsUpper(ZafIChar character) {
  return LowerOf(character) != 0;
}

bool ZafIsLower(ZafIChar character) {
  if (UpperOf(character) != 0) {
    return true;
  }
  for (ZafIChar caseless : kCaselessLower) {
    if (caseless == character) {
      return true;
    }
  }
  return false;
}

ZafIChar ZafToLower(ZafIChar character) {
  const ZafIChar lower = LowerOf(character);
  return lower ? lower : character;
}

ZafIChar ZafToUpper(ZafIChar character) {
  const ZafIChar upper = UpperOf(character);
  return upper ? upper : character;
}

bool ZafIsAlpha(ZafIChar character) {
  return ZafIsUpper(character) || ZafIsLower(character);
}

int ZafDigitValue(ZafIChar character) {
  for (ZafIChar zero : kDigitZeros) {
    if (character >= zero && character <= zero + 9) {
      return character - zero;
    }
  }
  switch (character) {
    case kTamilTen:
      return 10;
    case kTamilTen + 1:
      return 100;
    case kTamilTen + 2:
      return 1000;
    default:
      return -1;
  }
}

bool ZafIsDigit(ZafIChar character) {
  return ZafDigitValue(character) >= 0;
}
