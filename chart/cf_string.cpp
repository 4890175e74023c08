#include "chart/cf_string.h"

#include <algorithm>
#include <string_view>

#include "framework/data/zafintegerdata.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafrealdata.h"

namespace {

constexpr char16_t kGroupingFlag = u'\'';
constexpr std::u16string_view kDigits = u"0123456789";

// Takes the grouping flag out of the flags of the format's first conversion; answers whether it was there.
bool TakeGroupingFlag(std::u16string& format) {
  const std::size_t start = format.find(u'%');
  bool taken = false;
  for (std::size_t at = start == std::u16string::npos ? format.size() : start + 1;
       at < format.size() && std::u16string_view(u"-+ #0'").find(format[at]) != std::u16string_view::npos;) {
    if (format[at] == kGroupingFlag) {
      format.erase(at, 1);
      taken = true;
    } else {
      ++at;
    }
  }
  return taken;
}

// Commas between the groups of three digits of the first run of digits, the whole part: the chart's
// numbers always take "." for the decimal point.
void GroupThousands(std::u16string& text) {
  const std::size_t first = text.find_first_of(kDigits);
  if (first == std::u16string::npos) {
    return;
  }
  const std::size_t end = std::min(text.find_first_not_of(kDigits, first), text.size());
  for (std::size_t at = end; at > first + 3;) {
    at -= 3;
    text.insert(at, 1, u',');
  }
}

// Formats into `text` in full: a first try in a small buffer, and a second one sized to the length that
// the first reported when the result did not fit. The flag ' groups the whole part's digits in thousands.
template <typename Value>
void FormatNumber(std::u16string& text, const ZafIChar* format, Value value) {
  text.clear();
  if (!format) {
    return;
  }
  // Only a format that holds the flag is copied: numbers are formatted by the thousand as traces load.
  std::u16string plain;
  bool grouped = false;
  if (std::u16string_view(format).find(kGroupingFlag) != std::u16string_view::npos) {
    plain = format;
    grouped = TakeGroupingFlag(plain);
  }
  const ZafIChar* used = grouped ? plain.c_str() : format;
  ZafRealData::RegisterFormats();
  ZafIntegerData::RegisterFormats();
  text.resize(32);
  int length = ZafSNPrintf(text.data(), text.size() + 1, used, value);
  if (length > static_cast<int>(text.size())) {
    text.resize(static_cast<std::size_t>(length));
    length = ZafSNPrintf(text.data(), text.size() + 1, used, value);
  }
  text.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
  if (grouped) {
    GroupThousands(text);
  }
}

}  // namespace

cf_String::cf_String(const ZafIChar* initial) {
  Assign(initial);
}

void cf_String::Assign(const ZafIChar* newText) {
  if (newText) {
    text = newText;
  } else {
    text.clear();
  }
}

void cf_String::Append(const ZafIChar* more) {
  if (more) {
    text += more;
  }
}

void cf_String::SetNumber(double value, const ZafIChar* format) {
  FormatNumber(text, format, value);
}

void cf_String::SetNumber(int32_t value, const ZafIChar* format) {
  FormatNumber(text, format, value);
}
