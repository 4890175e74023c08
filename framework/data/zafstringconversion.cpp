#include "framework/data/zafstringconversion.h"

#include <algorithm>
#include <bitset>
#include <memory>
#include <string>
#include <string_view>

#include "framework/data/zafchar.h"
#include "framework/data/zafscanf.h"
#include "framework/data/zafstringdata.h"

namespace {

constexpr std::u16string_view kNullText = u"(null)";

// One bit for each of the 65,536 characters.
using CharacterSet = std::bitset<0x10000>;

// Reads a bracket expression that starts at `format` (just after the '['), leaving `format` after its ']'
// (or at the format's end when none closes it). '^' first inverts the set; the first character after '['
// or '^' is taken literally, even ']'; "a-z" adds a range, but a '-' before ']' or before a character below
// the range's start is itself a member.
CharacterSet ReadBracketSet(const ZafIChar*& format) {
  CharacterSet set;
  bool invert = false;
  if (*format == '^') {
    invert = true;
    ++format;
  }
  bool first = true;
  while (*format && (first || *format != ']')) {
    const ZafIChar start = *format++;
    first = false;
    if (format[0] == '-' && format[1] && format[1] != ']' && format[1] >= start) {
      for (uint32_t character = start; character <= format[1]; ++character) {
        set.set(character);
      }
      format += 2;
    } else {
      set.set(start);
    }
  }
  if (*format == ']') {
    ++format;
  }
  if (invert) {
    set.flip();
  }
  set.reset(0);
  return set;
}

}  // namespace

void ZafStringPrintfConversion(va_list* arguments, ZafPrintfOutput& output, ZafIChar conversion, int flags,
                               int width, int precision) {
  std::u16string_view body;
  ZafIChar character = 0;
  if (flags & ZAF_PRINTF_DATA_OBJECT) {
    const auto* data = dynamic_cast<const ZafStringData*>(va_arg(*arguments, const ZafData*));
    if (!data || !data->Text()) {
      return;
    }
    body = data->Text();
    if (conversion == 'c') {
      body = body.substr(0, 1);
    }
  } else if (conversion == 'c') {
    character = static_cast<ZafIChar>(va_arg(*arguments, int));
    body = std::u16string_view(&character, 1);
  } else {
    const ZafIChar* text = va_arg(*arguments, const ZafIChar*);
    body = text ? std::u16string_view(text) : kNullText;
  }
  if (conversion == 's' && precision >= 0 && body.size() > static_cast<std::size_t>(precision)) {
    body = body.substr(0, static_cast<std::size_t>(precision));
  }
  output.PutField({}, body, flags, width);
}

int ZafStringScanfConversion(va_list* arguments, const ZafIChar** input, ZafIChar conversion, int flags,
                             int width, const ZafIChar** format) {
  const ZafIChar* place = *input;
  CharacterSet set;
  int limit = width;
  if (conversion == '[') {
    set = ReadBracketSet(*format);
  } else if (conversion == 'c') {
    limit = width > 0 ? width : 1;
  } else {
    while (ZafIsSpace(*place)) {
      ++place;
    }
  }
  // '[' takes its set, 'c' any character, 's' anything but white space.
  const auto accepts = [&](ZafIChar character) {
    return character &&
           (conversion == '[' ? set.test(character) : conversion == 'c' || !ZafIsSpace(character));
  };
  const bool suppress = flags & ZAF_SCANF_SUPPRESS;
  const bool intoData = flags & ZAF_SCANF_DATA_OBJECT;
  // A bare buffer's room is known only through the width: without one, the default bounds it.
  if (!suppress && !intoData && limit <= 0) {
    limit = ZAF_SCANF_BUFFER_DEFAULT;
  }
  int count = 0;
  while (accepts(place[count]) && (limit <= 0 || count < limit)) {
    ++count;
  }
  *input = place + count;
  if (conversion == '[' && count == 0) {
    return -1;
  }
  if (suppress) {
    return 0;
  }
  if (intoData) {
    auto* data = dynamic_cast<ZafStringData*>(va_arg(*arguments, ZafData*));
    if (data) {
      data->SetText(std::u16string(place, static_cast<std::size_t>(count)).c_str());
    }
  } else {
    ZafIChar* buffer = va_arg(*arguments, ZafIChar*);
    std::copy_n(place, count, buffer);
    buffer[count] = 0;
  }
  return 1;
}
