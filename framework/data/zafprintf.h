// The framework's printf over 16-bit text. The core parses flags, width, precision and size letters and
// hands each conversion to the handler that a data class registered for its character. Output is bounded:
// ZafSNPrintf and ZafVSNPrintf take the buffer's capacity, and ZafSPrintf on an array takes the array's.
#ifndef FRAMEWORK_DATA_ZAFPRINTF_H
#define FRAMEWORK_DATA_ZAFPRINTF_H

#include <concepts>
#include <cstdarg>
#include <cstddef>
#include <string_view>

#include "framework/data/zaftypes.h"

// Flag bits handed to the handlers.
inline constexpr int ZAF_PRINTF_ALTERNATE = 0x0001;         // '#'
inline constexpr int ZAF_PRINTF_PREFIX = 0x0002;            // "0" and the conversion character first ('p')
inline constexpr int ZAF_PRINTF_LEFT = 0x0004;              // '-'
inline constexpr int ZAF_PRINTF_LONG_DOUBLE = 0x0008;       // 'L'
inline constexpr int ZAF_PRINTF_LONG = 0x0010;              // 'l': a 32-bit integer argument
inline constexpr int ZAF_PRINTF_QUAD = 0x0020;              // 'q': a 64-bit integer argument
inline constexpr int ZAF_PRINTF_SHORT = 0x0040;             // 'h'
inline constexpr int ZAF_PRINTF_ZERO = 0x0080;              // '0'
inline constexpr int ZAF_PRINTF_ALTERNATE_DIGITS = 0x0100;  // 'a'
inline constexpr int ZAF_PRINTF_CURRENCY = 0x0200;          // '$'
inline constexpr int ZAF_PRINTF_CURRENCY_NO_SIGN = 0x0400;  // '@'
inline constexpr int ZAF_PRINTF_GROUPING = 0x0800;          // ','
inline constexpr int ZAF_PRINTF_BLANK = 0x1000;             // ' '
inline constexpr int ZAF_PRINTF_PLUS = 0x2000;              // '+'
inline constexpr int ZAF_PRINTF_DATA_OBJECT = 0x4000;       // 'Z'

// Widths and precisions are held to this many characters, so that no count can overflow.
inline constexpr int ZAF_PRINTF_MAX_FIELD = 0xFFFF;

// Where a conversion writes. Characters past the capacity are counted but not stored, and the stored text
// always stays terminated.
class ZafPrintfOutput {
 public:
  // `capacity` counts the terminator; it must be at least 1.
  ZafPrintfOutput(ZafIChar* buffer, std::size_t capacity);

  void Put(ZafIChar character);
  void Put(std::u16string_view text);
  // Writes prefix and body padded to `width`: spaces in front, zeros between prefix and body with
  // ZAF_PRINTF_ZERO, or spaces behind with ZAF_PRINTF_LEFT.
  void PutField(std::u16string_view prefix, std::u16string_view body, int flags, int width);
  // Characters produced so far, stored or not.
  int Count() const { return count; }

 private:
  void PutRepeated(ZafIChar character, int times);

  ZafIChar* buffer;
  std::size_t capacity;
  int count = 0;
};

// A handler takes its arguments from the list, writes to the output and returns nothing; precision is -1
// when none was given.
using ZafPrintfHandler = void (*)(va_list* arguments, ZafPrintfOutput& output, ZafIChar conversion, int flags,
                                  int width, int precision);

void ZafSPrintfAddConversion(ZafIChar conversion, ZafPrintfHandler handler);

// Formats into at most `capacity` characters, terminator included. Returns the length of the whole result;
// when that is `capacity` or more, the buffer holds its first capacity - 1 characters.
int ZafVSNPrintf(ZafIChar* buffer, std::size_t capacity, const ZafIChar* format, va_list arguments);
int ZafSNPrintf(ZafIChar* buffer, std::size_t capacity, const ZafIChar* format, ...);

// Without a capacity the caller's buffer must hold the result; prefer the bounded forms.
int ZafVSPrintf(ZafIChar* buffer, const ZafIChar* format, va_list arguments);

template <typename Buffer>
requires std::same_as<Buffer, ZafIChar*>
int ZafSPrintf(Buffer buffer, const ZafIChar* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int count = ZafVSPrintf(buffer, format, arguments);
  va_end(arguments);
  return count;
}

// An array buffer is never overrun: its size bounds the output.
template <std::size_t N>
int ZafSPrintf(ZafIChar (&buffer)[N], const ZafIChar* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int count = ZafVSNPrintf(buffer, N, format, arguments);
  va_end(arguments);
  return count;
}

#endif
