// The framework's scanf over 16-bit text. The scanner matches literal characters and white space itself and
// hands each conversion to the handler a data class registered for its character.
#ifndef FRAMEWORK_DATA_ZAFSCANF_H
#define FRAMEWORK_DATA_ZAFSCANF_H

#include <cstdarg>

#include "framework/data/zaftypes.h"

// Flag bits handed to the handlers. The scanner only collects '$', '@', ',' and 'Z'; handlers give them
// their meaning.
inline constexpr int ZAF_SCANF_LONG = 0x0001;         // 'l', or an upper-case character without a handler
inline constexpr int ZAF_SCANF_SHORT = 0x0002;        // 'h'
inline constexpr int ZAF_SCANF_SUPPRESS = 0x0004;     // '*': read but assign nothing
inline constexpr int ZAF_SCANF_LONG_DOUBLE = 0x0008;  // 'L'
inline constexpr int ZAF_SCANF_POINTER = 0x0010;      // 'p'
inline constexpr int ZAF_SCANF_CURRENCY = 0x0200;     // '$'
inline constexpr int ZAF_SCANF_AT = 0x0400;           // '@'
inline constexpr int ZAF_SCANF_GROUPING = 0x0800;     // ','
inline constexpr int ZAF_SCANF_DATA_OBJECT = 0x4000;  // 'Z'

// A handler advances `input` past what it read (and `format` past any format characters of its own, such as a
// bracket set), takes its arguments from the list, and returns the number of fields it assigned, or a
// negative value when the input does not match.
using ZafScanfHandler = int (*)(va_list* arguments, const ZafIChar** input, ZafIChar conversion, int flags,
                                int width, const ZafIChar** format);

void ZafSScanfAddConversion(ZafIChar conversion, ZafScanfHandler handler);

// Each returns the number of fields assigned, or -1 when the format ends inside a conversion.
int ZafSScanf(const ZafIChar* text, const ZafIChar* format, ...);
int ZafVSScanf(const ZafIChar* text, const ZafIChar* format, va_list arguments);
int ZafSScanfCore(const ZafIChar* text, const ZafIChar* format, va_list* arguments);

#endif
