// Collation of 16-bit text: letters by base letter first, then accents (compared from the end of the text),
// then case, and punctuation last with its position. Covers ASCII and Latin-1.
#ifndef FRAMEWORK_DATA_ZAFCOLLATE_H
#define FRAMEWORK_DATA_ZAFCOLLATE_H

#include "framework/data/zaftypes.h"

// Writes the collation key of `source` with a terminator when its length is below `maximum` (otherwise
// writes nothing); returns the key's length.
int ZafStrXfrm(ZafIChar* destination, const ZafIChar* source, int maximum);
// Compares two texts by their collation keys.
int ZafStrColl(const ZafIChar* a, const ZafIChar* b);

#endif
