// The string library over zero-terminated 16-bit text. Lengths and counts are in characters. The few
// members that take 8-bit text (marked Narrow) work where the framework meets native text.
#ifndef FRAMEWORK_DATA_ZAFSTRLIB_H
#define FRAMEWORK_DATA_ZAFSTRLIB_H

#include "framework/data/zaftypes.h"

ZafIChar* ZafStrCpy(ZafIChar* destination, const ZafIChar* source);
// Copies at most n characters and fills the rest of the n with zeros; no terminator when the source has
// n characters or more.
ZafIChar* ZafStrNCpy(ZafIChar* destination, const ZafIChar* source, int n);
ZafIChar* ZafStrCat(ZafIChar* destination, const ZafIChar* source);
// Appends at most n characters, then always a terminator.
ZafIChar* ZafStrNCat(ZafIChar* destination, const ZafIChar* source, int n);
int ZafStrLen(const ZafIChar* string);
// A new copy (delete[] it), or null for null.
ZafIChar* ZafStrDup(const ZafIChar* string);

// Characters compared as signed 16-bit values, so that 0x8000 and above sort before the rest; stored sort
// orders rely on it.
int ZafStrCmp(const ZafIChar* a, const ZafIChar* b);
// At most n characters, compared unsigned; 0 when n characters matched.
int ZafStrNCmp(const ZafIChar* a, const ZafIChar* b, int n);
int ZafStrNCmpWide(const ZafIChar* a, const ZafIChar* b, int n);
// Upper-case letters of the case table are lowered on both sides first.
int ZafStrICmp(const ZafIChar* a, const ZafIChar* b);
int ZafStrNICmp(const ZafIChar* a, const ZafIChar* b, int n);
// Either side may be null: a null string compares as minus (or plus) the other's first character.
int ZafStrCmpNullSafe(const ZafIChar* a, const ZafIChar* b);
// 16-bit a against 8-bit b: the low byte of a's character is matched with b's byte (taken as signed).
int ZafStrCmpNarrow(const ZafIChar* a, const char* b);
int ZafStrCmpNarrowNarrow(const char* a, const char* b);

// Searching for 0 finds the terminator.
ZafIChar* ZafStrChr(const ZafIChar* string, ZafIChar character);
ZafIChar* ZafStrRChr(const ZafIChar* string, ZafIChar character);
ZafIChar* ZafStrPBrk(const ZafIChar* string, const ZafIChar* set);
// Index of the first character of the set, or the string's length.
int ZafStrCSpn(const ZafIChar* string, const ZafIChar* set);
// The smallest of the last-occurrence indexes of the set's characters, or the string's length.
int ZafStrRCSpn(const ZafIChar* string, const ZafIChar* set);
// An empty pattern finds the string itself.
ZafIChar* ZafStrStr(const ZafIChar* string, const ZafIChar* pattern);
// Tokeniser with one saved position shared by every caller (the GUI thread only). A remainder made only of
// delimiters gives one empty token before null.
ZafIChar* ZafStrTok(ZafIChar* string, const ZafIChar* delimiters);

// In place; each returns the string.
ZafIChar* ZafStrLwr(ZafIChar* string);
ZafIChar* ZafStrUpr(ZafIChar* string);
// In place; nothing for null.
void ZafStrRepc(ZafIChar* string, ZafIChar oldCharacter, ZafIChar newCharacter);
void ZafStrStripChar(ZafIChar* string, ZafIChar character);

// Case-sensitive match with '*' and '?'; 0 on a match.
int ZafWildCardMatch(const ZafIChar* string, const ZafIChar* pattern);

// Radix 2 to 16 with lower-case digits; a negative value is signed only in radix 10 ("-" before any zero
// padding), otherwise its 32-bit two's complement. Zeros pad the digits to the minimum width. The buffer
// must hold the result (at most 33 characters beyond the width).
ZafIChar* ZafIToA(ZafLong value, ZafIChar* buffer, int radix, int minimumWidth);

#endif
