// The string data class's share of formatted text: the printf conversions 'c' and 's' and the scanf
// conversions 's', 'c' and '['. With the 'Z' flag the argument is a ZafStringData (a `const ZafData*` when
// printing, a `ZafData*` when scanning); otherwise a 16-bit text, a character (promoted to int) or a 16-bit
// buffer.
//
// A scan into a bare buffer stores at most the field width, or ZAF_SCANF_BUFFER_DEFAULT characters when no
// width is given, then a terminator: the caller's buffer holds width + 1 characters (256 without a width).
#ifndef FRAMEWORK_DATA_ZAFSTRINGCONVERSION_H
#define FRAMEWORK_DATA_ZAFSTRINGCONVERSION_H

#include <cstdarg>

#include "framework/data/zafprintf.h"

inline constexpr int ZAF_SCANF_BUFFER_DEFAULT = 255;

void ZafStringPrintfConversion(va_list* arguments, ZafPrintfOutput& output, ZafIChar conversion, int flags,
                               int width, int precision);
// Returns 1 when a field was stored, 0 with the assignment suppressed, -1 for a '[' set that matched
// nothing.
int ZafStringScanfConversion(va_list* arguments, const ZafIChar** input, ZafIChar conversion, int flags,
                             int width, const ZafIChar** format);

#endif
