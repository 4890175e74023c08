#include "framework/data/zafintegerdata.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/data/zafchar.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafscanf.h"
#include "framework/data/zafstrlib.h"
#include "framework/data/zafstrtol.h"

namespace {

// Printing: sizes are 'h' 16 bits, 'q' 64 bits, otherwise (also 'l') 32 bits; 'p' prints a pointer.
struct IntegerArgument {
  uint64_t magnitude = 0;
  bool negative = false;
};

IntegerArgument TakeArgument(va_list* arguments, bool isSigned, int flags) {
  IntegerArgument argument;
  if (flags & ZAF_PRINTF_DATA_OBJECT) {
    const auto* data = dynamic_cast<const ZafIntegerData*>(va_arg(*arguments, const ZafData*));
    const int64_t value = data ? data->Value() : 0;
    argument.negative = isSigned && value < 0;
    argument.magnitude = argument.negative
                             ? static_cast<uint64_t>(-value)
                             : static_cast<uint64_t>(isSigned ? value : static_cast<uint32_t>(value));
    return argument;
  }
  if (flags & ZAF_PRINTF_PREFIX) {
    argument.magnitude = reinterpret_cast<uintptr_t>(va_arg(*arguments, void*));
    return argument;
  }
  int64_t value = 0;
  if (flags & ZAF_PRINTF_QUAD) {
    value = va_arg(*arguments, long long);
  } else {
    const int word = va_arg(*arguments, int);
    if (flags & ZAF_PRINTF_SHORT) {
      value = isSigned ? static_cast<int16_t>(word) : static_cast<uint16_t>(word);
    } else {
      value = isSigned ? static_cast<int64_t>(word) : static_cast<int64_t>(static_cast<uint32_t>(word));
    }
  }
  if (isSigned && value < 0) {
    argument.negative = true;
    argument.magnitude = 0 - static_cast<uint64_t>(value);
  } else {
    argument.magnitude = static_cast<uint64_t>(value);
  }
  return argument;
}

std::u16string Digits(uint64_t magnitude, int radix, bool upperCase) {
  const char16_t* digitTable = upperCase ? u"0123456789ABCDEF" : u"0123456789abcdef";
  std::u16string digits;
  do {
    digits.insert(digits.begin(), digitTable[magnitude % radix]);
    magnitude /= radix;
  } while (magnitude);
  return digits;
}

// Thousands separators every three digits from the right.
std::u16string Grouped(const std::u16string& digits) {
  std::u16string grouped;
  for (std::size_t index = 0; index < digits.size(); ++index) {
    if (index > 0 && (digits.size() - index) % 3 == 0) {
      grouped += u',';
    }
    grouped += digits[index];
  }
  return grouped;
}

void PrintInteger(va_list* arguments, ZafPrintfOutput& output, ZafIChar conversion, int flags, int width,
                  int precision) {
  const bool isSigned = conversion == 'd' || conversion == 'i';
  const int radix = conversion == 'o' ? 8 : (conversion == 'x' || conversion == 'X') ? 16 : 10;
  const IntegerArgument argument = TakeArgument(arguments, isSigned, flags);

  // As in C: a precision is the least number of digits, and a zero value with precision 0 has none.
  std::u16string digits;
  if (argument.magnitude != 0 || precision != 0) {
    digits = Digits(argument.magnitude, radix, conversion == 'X');
  }
  if (precision > static_cast<int>(digits.size())) {
    digits.insert(0, precision - digits.size(), u'0');
  }
  if (radix == 10 && (flags & ZAF_PRINTF_GROUPING)) {
    digits = Grouped(digits);
  }

  std::u16string prefix;
  if (argument.negative) {
    prefix = u"-";
  } else if (isSigned && (flags & ZAF_PRINTF_PLUS)) {
    prefix = u"+";
  } else if (isSigned && (flags & ZAF_PRINTF_BLANK)) {
    prefix = u" ";
  }
  if (flags & ZAF_PRINTF_PREFIX) {
    prefix += u'0';
    prefix += conversion;
  } else if ((flags & ZAF_PRINTF_ALTERNATE) && radix == 8 && (digits.empty() || digits[0] != '0')) {
    prefix += u'0';
  } else if ((flags & ZAF_PRINTF_ALTERNATE) && radix == 16 && argument.magnitude != 0) {
    prefix += u'0';
    prefix += conversion;
  }
  // Zero padding gives way to an explicit precision, as in C.
  const int fieldFlags = precision >= 0 ? (flags & ~ZAF_PRINTF_ZERO) : flags;
  output.PutField(prefix, digits, fieldFlags, width);
}

// Scanning: at most 39 characters of the input make the number.
constexpr int kMaximumScanWidth = 39;

// Whether the digits strtol took (sign and prefix included) stand for a number of the signed 32-bit range:
// strtol holds larger numbers at the limit, which a data object must not take for the number typed.
bool FitsSigned32(std::u16string_view taken, int base) {
  std::size_t at = 0;
  bool negative = false;
  if (at < taken.size() && (taken[at] == u'+' || taken[at] == u'-')) {
    negative = taken[at++] == u'-';
  }
  if ((base == 0 || base == 16) && taken.size() > at + 1 && taken[at] == u'0' &&
      (taken[at + 1] == u'x' || taken[at + 1] == u'X')) {
    base = 16;
    at += 2;
  } else if (base == 0) {
    base = taken.size() > at && taken[at] == u'0' ? 8 : 10;
  }
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  uint64_t magnitude = 0;
  for (; at < taken.size(); ++at) {
    const ZafIChar c = taken[at];
    const int digit = c >= u'0' && c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10;
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (magnitude > limit) {
      return false;
    }
  }
  return true;
}

int ScanBase(ZafIChar conversion) {
  switch (conversion) {
    case 'o':
    case 'O':
      return 8;
    case 'x':
    case 'X':
      return 16;
    case 'd':
    case 'D':
    case 'u':
      return 10;
    default:
      return 0;  // by the number's own prefix
  }
}

int ScanInteger(va_list* arguments, const ZafIChar** input, ZafIChar conversion, int flags, int width,
                const ZafIChar** /*format*/) {
  const ZafIChar* place = *input;
  while (ZafIsSpace(*place)) {
    ++place;
  }
  const int limit = (width <= 0 || width > kMaximumScanWidth) ? kMaximumScanWidth : width;
  ZafIChar field[kMaximumScanWidth + 1];
  int length = 0;
  for (; length < limit && place[length]; ++length) {
    field[length] = place[length];
  }
  field[length] = 0;

  ZafIChar* end = nullptr;
  const int base = ScanBase(conversion);
  const bool isSigned = conversion == 'd' || conversion == 'D' || base == 0;
  const uint32_t value =
      isSigned ? static_cast<uint32_t>(ZafStrToL(field, &end, base)) : ZafStrToUL(field, &end, base);
  if (end == field) {
    return -1;
  }
  const bool dataObject = (flags & ZAF_SCANF_DATA_OBJECT) != 0;
  if (dataObject && !FitsSigned32(std::u16string_view(field, static_cast<std::size_t>(end - field)), base)) {
    return -1;
  }
  *input = place + (end - field);
  if (flags & ZAF_SCANF_SUPPRESS) {
    return 0;
  }
  if (dataObject) {
    if (auto* data = dynamic_cast<ZafIntegerData*>(va_arg(*arguments, ZafData*))) {
      data->SetValue(static_cast<int32_t>(value));
    }
  } else if (flags & ZAF_SCANF_POINTER) {
    *va_arg(*arguments, void**) = reinterpret_cast<void*>(static_cast<uintptr_t>(value));
  } else if (flags & ZAF_SCANF_SHORT) {
    *va_arg(*arguments, int16_t*) = static_cast<int16_t>(value);
  } else {
    *va_arg(*arguments, int32_t*) = static_cast<int32_t>(value);
  }
  return 1;
}

}  // namespace

ZafIntegerData::ZafIntegerData(int32_t initial) : value(initial) {
  RegisterFormats();
}

ZafIntegerData::ZafIntegerData(const ZafIChar* text, const ZafIChar* format) {
  RegisterFormats();
  SetFormattedText(text, format);
}

ZafIntegerData::ZafIntegerData(const ZafIntegerData& other) : ZafFormatData(other), value(other.value) {}

ZafIntegerData::ZafIntegerData(const ZafIChar* name, ZafDataPersistence& persistence)
    : ZafFormatData(
          EnterReadLevel(name, persistence, u"ZafIntegerData", ID_ZAF_INTEGER_DATA, ZAF_STORAGE_TYPE_DATA),
          persistence) {
  RegisterFormats();
  ZafError readError = Error();
  if (ZafFile* file = persistence.File(); file && readError == ZAF_ERROR_NONE) {
    int32_t stored = 0;
    file->ReadInt32(stored);
    if (file->Error() != ZAF_ERROR_NONE) {
      readError = ZAF_ERROR_READ;
    } else {
      value = stored;
    }
  }
  LeaveReadLevel(persistence, readError);
}

ZafClassID ZafIntegerData::ClassID() const {
  return ID_ZAF_INTEGER_DATA;
}

const ZafIChar* ZafIntegerData::ClassName() const {
  return u"ZafIntegerData";
}

bool ZafIntegerData::IsA(ZafClassID id) const {
  return id == ID_ZAF_INTEGER_DATA || ZafFormatData::IsA(id);
}

bool ZafIntegerData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafIntegerData") == 0) || ZafFormatData::IsAName(name);
}

ZafData* ZafIntegerData::Duplicate() {
  return new ZafIntegerData(*this);
}

ZafDataConstructor ZafIntegerData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafIntegerData(name, persistence);
  };
}

ZafError ZafIntegerData::Write(ZafDataPersistence& persistence) {
  ZafFormatData::Write(persistence);
  if (ZafFile* file = persistence.File()) {
    file->WriteInt32(value);
  }
  return FinishWrite(persistence);
}

void ZafIntegerData::Clear() {
  BeginChange();
  value = 0;
  SetError(ZAF_ERROR_NONE);
  EndChange(true);
}

int ZafIntegerData::FormattedText(ZafIChar* buffer, int maximumLength, const ZafIChar* format) const {
  if (!format || !*format) {
    format = *Format() ? Format() : u"%d";
  }
  return ZafFormatData::FormattedText(buffer, maximumLength, format);
}

ZafError ZafIntegerData::SetFormattedText(const ZafIChar* text, const ZafIChar* format) {
  BeginChange();
  if (!text || !*text) {
    Clear();
  } else {
    SetError(ScanText(text, format && *format ? format : u"%d") ? ZAF_ERROR_NONE : ZAF_ERROR_INVALID_NUMBER);
  }
  EndChange(true);
  return Error();
}

int ZafIntegerData::SetValue(int32_t newValue) {
  BeginChange();
  value = newValue;
  EndChange(true);
  return 0;
}

int ZafIntegerData::SetValue(const ZafIntegerData& other) {
  return SetValue(other.value);
}

void ZafIntegerData::RegisterFormats() {
  // A function-local static runs its initialiser once, even when two threads format their first text at
  // the same time.
  static const bool registered = [] {
    for (ZafIChar conversion : std::u16string_view(u"diouxX")) {
      ZafSPrintfAddConversion(conversion, PrintInteger);
    }
    for (ZafIChar conversion : std::u16string_view(u"dDioOuxX")) {
      ZafSScanfAddConversion(conversion, ScanInteger);
    }
    return true;
  }();
  (void)registered;
}
