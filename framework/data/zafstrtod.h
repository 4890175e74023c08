// 16-bit decimal text to the nearest double, correctly rounded (ties to even). Only '.' is a decimal point;
// no locale applies. Overflow gives infinity with the sign, underflow zero with the sign.
#ifndef FRAMEWORK_DATA_ZAFSTRTOD_H
#define FRAMEWORK_DATA_ZAFSTRTOD_H

#include "framework/data/zaftypes.h"

// `end`, when given, receives the first character not used, or the text itself when nothing converted.
double ZafStrToD(const ZafIChar* text, ZafIChar** end);
double ZafAtoF(const ZafIChar* text);

#endif
