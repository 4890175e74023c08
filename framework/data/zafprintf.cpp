#include "framework/data/zafprintf.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "framework/data/zafchar.h"
#include "framework/data/zafconversiontable.h"
#include "framework/data/zafstandardformats.h"

namespace {

ZafConversionTable<ZafPrintfHandler>& Conversions() {
  static ZafConversionTable<ZafPrintfHandler> table;
  return table;
}

int FlagOf(ZafIChar character) {
  switch (character) {
    case '#':
      return ZAF_PRINTF_ALTERNATE;
    case '-':
      return ZAF_PRINTF_LEFT;
    case 'L':
      return ZAF_PRINTF_LONG_DOUBLE;
    case 'l':
      return ZAF_PRINTF_LONG;
    case 'q':
      return ZAF_PRINTF_QUAD;
    case 'h':
      return ZAF_PRINTF_SHORT;
    case '0':
      return ZAF_PRINTF_ZERO;
    case 'a':
      return ZAF_PRINTF_ALTERNATE_DIGITS;
    case '$':
      return ZAF_PRINTF_CURRENCY;
    case '@':
      return ZAF_PRINTF_CURRENCY_NO_SIGN;
    case ',':
      return ZAF_PRINTF_GROUPING;
    case ' ':
      return ZAF_PRINTF_BLANK;
    case '+':
      return ZAF_PRINTF_PLUS;
    case 'Z':
      return ZAF_PRINTF_DATA_OBJECT;
    default:
      return 0;
  }
}

// Reads decimal digits, held to ZAF_PRINTF_MAX_FIELD.
int ReadNumber(const ZafIChar*& format) {
  int value = 0;
  for (; ZafIsAsciiDigit(*format); ++format) {
    value = std::min(value * 10 + (*format - '0'), ZAF_PRINTF_MAX_FIELD);
  }
  return value;
}

struct ConversionSpec {
  int flags = 0;
  int width = 0;
  int precision = -1;
};

// Reads flags, width and precision up to the conversion character, which `format` then points at.
ConversionSpec ReadConversionSpec(const ZafIChar*& format, va_list* arguments) {
  ConversionSpec spec;
  for (;;) {
    const ZafIChar character = *format;
    if (const int flag = FlagOf(character)) {
      spec.flags |= flag;
      if (flag == ZAF_PRINTF_PLUS) {
        spec.flags &= ~ZAF_PRINTF_BLANK;
      }
      ++format;
    } else if (character >= '1' && character <= '9') {
      spec.width = ReadNumber(format);
    } else if (character == '*') {
      const int width = va_arg(*arguments, int);
      if (width < 0) {
        spec.flags |= ZAF_PRINTF_LEFT;
      }
      // The magnitude of INT_MIN does not fit an int; it is held to the field limit anyway.
      spec.width = width < 0 ? (width < -ZAF_PRINTF_MAX_FIELD ? ZAF_PRINTF_MAX_FIELD : -width)
                             : std::min(width, ZAF_PRINTF_MAX_FIELD);
      ++format;
    } else if (character == '.') {
      ++format;
      if (*format == '*') {
        const int precision = va_arg(*arguments, int);
        spec.precision = precision < 0 ? -1 : std::min(precision, ZAF_PRINTF_MAX_FIELD);
        ++format;
      } else {
        spec.precision = ReadNumber(format);
      }
    } else {
      break;
    }
  }
  // A blank is ignored once '+' was given, whatever the order.
  if (spec.flags & ZAF_PRINTF_PLUS) {
    spec.flags &= ~ZAF_PRINTF_BLANK;
  }
  return spec;
}

void StoreCount(va_list* arguments, int flags, int count) {
  if (flags & ZAF_PRINTF_SHORT) {
    *va_arg(*arguments, int16_t*) = static_cast<int16_t>(count);
  } else {
    *va_arg(*arguments, int32_t*) = count;
  }
}

}  // namespace

ZafPrintfOutput::ZafPrintfOutput(ZafIChar* buffer, std::size_t capacity)
    : buffer(buffer), capacity(capacity) {
  buffer[0] = 0;
}

void ZafPrintfOutput::Put(ZafIChar character) {
  const std::size_t position = static_cast<std::size_t>(count);
  if (position + 1 < capacity) {
    buffer[position] = character;
    buffer[position + 1] = 0;
  }
  if (count < std::numeric_limits<int>::max()) {
    ++count;
  }
}

void ZafPrintfOutput::Put(std::u16string_view text) {
  for (ZafIChar character : text) {
    Put(character);
  }
}

void ZafPrintfOutput::PutRepeated(ZafIChar character, int times) {
  for (; times > 0; --times) {
    Put(character);
  }
}

void ZafPrintfOutput::PutField(std::u16string_view prefix, std::u16string_view body, int flags, int width) {
  const int length = static_cast<int>(prefix.size() + body.size());
  const int pad = std::max(0, width - length);
  if (flags & ZAF_PRINTF_LEFT) {
    Put(prefix);
    Put(body);
    PutRepeated(u' ', pad);
  } else if (flags & ZAF_PRINTF_ZERO) {
    Put(prefix);
    PutRepeated(u'0', pad);
    Put(body);
  } else {
    PutRepeated(u' ', pad);
    Put(prefix);
    Put(body);
  }
}

void ZafSPrintfAddConversion(ZafIChar conversion, ZafPrintfHandler handler) {
  Conversions().Add(conversion, handler);
}

int ZafVSNPrintf(ZafIChar* buffer, std::size_t capacity, const ZafIChar* format, va_list arguments) {
  if (!buffer || capacity == 0) {
    return 0;
  }
  if (!format) {
    buffer[0] = 0;
    return 0;
  }
  ZafRegisterStandardFormats();
  ZafPrintfOutput output(buffer, capacity);
  // A copy of the list, so that handlers can take their arguments through a pointer to it.
  va_list cursor;
  va_copy(cursor, arguments);
  while (*format) {
    if (*format != '%') {
      output.Put(*format++);
      continue;
    }
    ++format;
    ConversionSpec spec = ReadConversionSpec(format, &cursor);
    const ZafIChar conversion = *format;
    if (!conversion) {
      break;
    }
    ++format;
    if (conversion == 'n') {
      StoreCount(&cursor, spec.flags, output.Count());
    } else if (conversion == 'p') {
      Conversions().Find('x')(&cursor, output, 'x', spec.flags | ZAF_PRINTF_LONG | ZAF_PRINTF_PREFIX,
                              spec.width, spec.precision);
    } else if (ZafPrintfHandler handler = Conversions().Find(conversion)) {
      handler(&cursor, output, conversion, spec.flags, spec.width, spec.precision);
    } else {
      // An unclaimed character prints as itself, padded like a one-character string.
      output.PutField({}, std::u16string_view(&conversion, 1), spec.flags, spec.width);
    }
  }
  va_end(cursor);
  return output.Count();
}

int ZafSNPrintf(ZafIChar* buffer, std::size_t capacity, const ZafIChar* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int count = ZafVSNPrintf(buffer, capacity, format, arguments);
  va_end(arguments);
  return count;
}

int ZafVSPrintf(ZafIChar* buffer, const ZafIChar* format, va_list arguments) {
  return ZafVSNPrintf(buffer, std::numeric_limits<std::size_t>::max(), format, arguments);
}
