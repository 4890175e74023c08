#include "framework/data/zafscanf.h"

#include <algorithm>
#include <cstdint>

#include "framework/data/zafchar.h"
#include "framework/data/zafconversiontable.h"
#include "framework/data/zafstandardformats.h"

namespace {

ZafConversionTable<ZafScanfHandler>& Conversions() {
  static ZafConversionTable<ZafScanfHandler> table;
  return table;
}

int FlagOf(ZafIChar character) {
  switch (character) {
    case '$':
      return ZAF_SCANF_CURRENCY;
    case '*':
      return ZAF_SCANF_SUPPRESS;
    case ',':
      return ZAF_SCANF_GROUPING;
    case 'h':
      return ZAF_SCANF_SHORT;
    case 'l':
      return ZAF_SCANF_LONG;
    case 'L':
      return ZAF_SCANF_LONG_DOUBLE;
    case '@':
      return ZAF_SCANF_AT;
    case 'Z':
      return ZAF_SCANF_DATA_OBJECT;
    default:
      return 0;
  }
}

// Widths beyond any handler's use are held here so that the count cannot overflow.
constexpr int kMaximumWidth = 0xFFFF;

struct ConversionSpec {
  int flags = 0;
  int width = 0;
  bool literalPercent = false;
};

// Reads the conversion spec after '%'; `format` then points at the conversion character. False when the
// format ends first.
bool ReadConversionSpec(const ZafIChar*& format, ConversionSpec& spec) {
  for (;; ++format) {
    const ZafIChar character = *format;
    if (!character) {
      return false;
    }
    if (character == '+' || character == '-') {
      continue;
    }
    if (const int flag = FlagOf(character)) {
      spec.flags |= flag;
    } else if (ZafIsAsciiDigit(character)) {
      spec.width = std::min(spec.width * 10 + (character - '0'), kMaximumWidth);
    } else if (character == '.') {
      // No precision is kept: the width starts again and a '*' or digits after the point are skipped.
      spec.width = 0;
      if (format[1] == '*') {
        ++format;
      } else {
        while (ZafIsAsciiDigit(format[1])) {
          ++format;
        }
      }
    } else if (character == '%') {
      spec.literalPercent = true;
      return true;
    } else {
      return true;
    }
  }
}

void StoreCount(va_list* arguments, int flags, int count) {
  if (flags & ZAF_SCANF_SHORT) {
    *va_arg(*arguments, int16_t*) = static_cast<int16_t>(count);
  } else {
    *va_arg(*arguments, int32_t*) = count;
  }
}

}  // namespace

void ZafSScanfAddConversion(ZafIChar conversion, ZafScanfHandler handler) {
  Conversions().Add(conversion, handler);
}

int ZafSScanfCore(const ZafIChar* text, const ZafIChar* format, va_list* arguments) {
  if (!text || !format) {
    return 0;
  }
  ZafRegisterStandardFormats();
  const ZafIChar* input = text;
  int assigned = 0;
  while (*format) {
    if (ZafIsSpace(*format)) {
      while (ZafIsSpace(*input)) {
        ++input;
      }
      ++format;
      continue;
    }
    if (*format != '%') {
      if (*input != *format) {
        return assigned;
      }
      ++input;
      ++format;
      continue;
    }
    ++format;
    ConversionSpec spec;
    if (!ReadConversionSpec(format, spec)) {
      return -1;
    }
    ZafIChar conversion = *format++;
    if (spec.literalPercent) {
      if (*input != '%') {
        return assigned;
      }
      ++input;
      continue;
    }
    if (conversion == 'n') {
      if (!(spec.flags & ZAF_SCANF_SUPPRESS)) {
        StoreCount(arguments, spec.flags,
                   static_cast<int>(std::min<std::ptrdiff_t>(input - text, INT32_MAX)));
      }
      continue;
    }
    ZafScanfHandler handler = nullptr;
    if (conversion == 'p') {
      conversion = 'x';
      spec.flags |= ZAF_SCANF_POINTER;
      handler = Conversions().Find(conversion);
    } else {
      handler = Conversions().Find(conversion);
      if (!handler) {
        // Without a handler of its own a conversion reads an integer in the base of its prefix.
        if (ZafIsUpper(conversion)) {
          spec.flags |= ZAF_SCANF_LONG;
        }
        conversion = 'i';
        handler = Conversions().Find(conversion);
      }
    }
    const int fields = handler(arguments, &input, conversion, spec.flags, spec.width, &format);
    if (fields < 0) {
      return assigned;
    }
    assigned += fields;
  }
  return assigned;
}

int ZafVSScanf(const ZafIChar* text, const ZafIChar* format, va_list arguments) {
  va_list cursor;
  va_copy(cursor, arguments);
  const int assigned = ZafSScanfCore(text, format, &cursor);
  va_end(cursor);
  return assigned;
}

int ZafSScanf(const ZafIChar* text, const ZafIChar* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int assigned = ZafVSScanf(text, format, arguments);
  va_end(arguments);
  return assigned;
}
