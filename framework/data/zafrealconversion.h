// The real data class's share of formatted text: the printf and scanf conversions e, f, g, E, F, G. They
// write and read numbers with the current locale's decimal point, signs, parentheses and currency.
//
// Printing builds its digits one at a time from the value (integer digits by repeated division by ten,
// fraction digits by repeated multiplication) and rounds on the next digit alone, so it can differ in the
// last place from a correctly rounded result. Precision beyond 24 digits is written as zeros.
#ifndef FRAMEWORK_DATA_ZAFREALCONVERSION_H
#define FRAMEWORK_DATA_ZAFREALCONVERSION_H

#include <cstdarg>

#include "framework/data/zafprintf.h"

// Precision is held to this many digits; the rest of a larger precision prints as zeros.
inline constexpr int ZAF_REAL_MAX_PRECISION = 24;
// A real scan reads at most this many characters.
inline constexpr int ZAF_REAL_MAX_SCAN_WIDTH = 349;

void ZafRealPrintfConversion(va_list* arguments, ZafPrintfOutput& output, ZafIChar conversion, int flags,
                             int width, int precision);
// Stores a float, or a double with 'l' or the conversions 'E' and 'F', or with 'Z' into a ZafRealData.
// Returns 1, 0 with the assignment suppressed, or -1 when no number stands there or the number (before the
// width ends it) runs into a character that is neither the end, white space nor the format's next literal.
int ZafRealScanfConversion(va_list* arguments, const ZafIChar** input, ZafIChar conversion, int flags,
                           int width, const ZafIChar** format);

#endif
