#include "chart/cf_string.h"

#include "framework/data/zafintegerdata.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafrealdata.h"

namespace {

// Formats into `text` in full: a first try in a small buffer, and a second one sized to the length that
// the first reported when the result did not fit.
template <typename Value>
void FormatNumber(std::u16string& text, const ZafIChar* format, Value value) {
  text.clear();
  if (!format) {
    return;
  }
  ZafRealData::RegisterFormats();
  ZafIntegerData::RegisterFormats();
  text.resize(32);
  int length = ZafSNPrintf(text.data(), text.size() + 1, format, value);
  if (length > static_cast<int>(text.size())) {
    text.resize(static_cast<std::size_t>(length));
    length = ZafSNPrintf(text.data(), text.size() + 1, format, value);
  }
  text.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
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
