// Character classes of 16-bit text: white space, case, digits and letters. The case table covers
// Latin-1, Latin Extended-A, basic Greek and basic Cyrillic; other characters have no case.
#ifndef FRAMEWORK_DATA_ZAFCHAR_H
#define FRAMEWORK_DATA_ZAFCHAR_H

#include "framework/data/zaftypes.h"

// White space: 0x09-0x0D, space, next line (0x85), no-break space (0xA0), the typographic spaces
// 0x2000-0x200B, the line and paragraph separators 0x2028-0x2029 and the ideographic space 0x3000.
bool ZafIsSpace(ZafIChar character);
bool ZafIsUpper(ZafIChar character);
bool ZafIsLower(ZafIChar character);
// The other case of a cased letter; any other character unchanged.
ZafIChar ZafToLower(ZafIChar character);
ZafIChar ZafToUpper(ZafIChar character);
// A letter of the case table (cased letters, plus the Latin-1 letters that have no other case).
bool ZafIsAlpha(ZafIChar character);
// Decimal digits of several scripts, and the Tamil numerals ten, hundred and thousand.
bool ZafIsDigit(ZafIChar character);
// '0' to '9' only: the digits of formats, exponents and other text meant for the program itself.
inline bool ZafIsAsciiDigit(ZafIChar character) {
  return character >= '0' && character <= '9';
}
// The value of a digit character (10, 100 or 1000 for the Tamil numerals); -1 for anything else.
int ZafDigitValue(ZafIChar character);

#endif
