// 16-bit text to 32-bit integers. Overflow gives the limit of the type; nothing else is reported.
#ifndef FRAMEWORK_DATA_ZAFSTRTOL_H
#define FRAMEWORK_DATA_ZAFSTRTOL_H

#include "framework/data/zaftypes.h"

// Base 2 to 36, or 0 for the number's own prefix ("0x" hexadecimal, "0" octal, else decimal). `end`, when
// given, receives the first character not used, or the text itself when no digit was taken.
ZafLong ZafStrToL(const ZafIChar* text, ZafIChar** end, int base);
ZafULong ZafStrToUL(const ZafIChar* text, ZafIChar** end, int base);
int ZafAtoI(const ZafIChar* text);
ZafLong ZafAtoL(const ZafIChar* text);

#endif
