// Line-end conversions between CR, LF and CR LF, for 16-bit text and for 8-bit native text. Each takes
// (source, destination or null); a null destination converts in place; a null source returns null;
// otherwise the destination is returned.
#ifndef FRAMEWORK_DATA_ZAFLINEEND_H
#define FRAMEWORK_DATA_ZAFLINEEND_H

#include "framework/data/zaftypes.h"

// Shrinking: each CR LF pair becomes one character. The destination needs the source's size.
ZafIChar* ZafCRLFToCR(const ZafIChar* source, ZafIChar* destination);
ZafIChar* ZafCRLFToLF(const ZafIChar* source, ZafIChar* destination);
char* ZafCRLFToCRNarrow(const char* source, char* destination);
char* ZafCRLFToLFNarrow(const char* source, char* destination);

// Growing: each lone CR (or LF) becomes CR LF; existing pairs stay. `capacity` is the size of the
// destination (of the source when in place) in characters, terminator included. When the result does not
// fit, nothing is written and null is returned.
ZafIChar* ZafCRToCRLF(const ZafIChar* source, ZafIChar* destination, int capacity);
ZafIChar* ZafLFToCRLF(const ZafIChar* source, ZafIChar* destination, int capacity);
char* ZafCRToCRLFNarrow(const char* source, char* destination, int capacity);
char* ZafLFToCRLFNarrow(const char* source, char* destination, int capacity);

#endif
