#include "model/ytime.h"

#include <limits>

#include "foundation/kstream.h"
#include "model/qvsettings.h"

namespace {

enum Separator { kNeg, kDayHour, kHourMinute, kMinuteSecond, kSecondFrac };

constexpr int64_t kUnitsPerMinute = int64_t{YTime::kUnitsPerSecond} * 60;
constexpr int64_t kUnitsPerHour = kUnitsPerMinute * 60;
constexpr int64_t kUnitsPerDay = kUnitsPerHour * 24;
// Whole fields longer than this cannot be a time a 48-bit count holds, and would overflow on the way.
constexpr int32_t kMaxFieldDigits = 9;
constexpr int32_t kMaxFractionDigits = 4;

void AppendPadded(KString& text, int64_t value, int32_t width) {
  KString digits;
  digits.AppendInt(value);
  for (int32_t i = digits.Length(); i < width; ++i) {
    text.AppendChar(u'0');
  }
  text.Append(digits);
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// True when `separator` stands in `text` at `at`.
bool SeparatorAt(const KString& text, int32_t at, const KString& separator) {
  if (separator.IsEmpty() || at + separator.Length() > text.Length()) {
    return false;
  }
  for (int32_t i = 0; i < separator.Length(); ++i) {
    if (text[at + i] != separator[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

YTime::YTime(int64_t value, int32_t step, int32_t resolution, int32_t index)
    // Multiplied without overflow: a product past the 48-bit range keeps its low 48 bits, as KInt48 does.
    : time(static_cast<int64_t>(static_cast<uint64_t>(value) * static_cast<uint64_t>(int64_t{step}))),
      resolution(int64_t{resolution}),
      source(index) {}

YTime::YTime(uint32_t timeWord, int32_t cameraResolution)
    : time(int64_t{timeWord}), resolution(int64_t{cameraResolution}), source(-1) {}

YTime YTime::FromMilliseconds(int32_t milliseconds) {
  if (milliseconds == kNoMilliseconds) {
    return YTime();
  }
  return YTime(milliseconds, kUnitsPerMillisecond, kUnitsPerMillisecond, -1);
}

int64_t YTime::RoundTo(int64_t value, int64_t step) {
  const int64_t half = step / 2;
  const int64_t magnitude = (value < 0 ? -value : value) + half;
  const int64_t rounded = magnitude - magnitude % step;
  return value < 0 ? -rounded : rounded;
}

int32_t YTime::ToMilliseconds() const {
  if (!HasResolution()) {
    return kNoMilliseconds;
  }
  const int64_t milliseconds = RoundTo(time.Value(), kUnitsPerMillisecond) / kUnitsPerMillisecond;
  // kNoMilliseconds itself is kept for "no time", so a real time stops one above it.
  if (milliseconds > std::numeric_limits<int32_t>::max()) {
    return std::numeric_limits<int32_t>::max();
  }
  if (milliseconds <= kNoMilliseconds) {
    return kNoMilliseconds + 1;
  }
  return static_cast<int32_t>(milliseconds);
}

YTime YTime::Rounded() const {
  YTime copy = *this;
  copy.SetResolution(defaultResolution);
  return copy;
}

void YTime::SetResolution(int64_t newResolution) {
  if (newResolution <= 0 || !HasResolution()) {
    return;
  }
  time = KInt48(RoundTo(time.Value(), newResolution));
  resolution = KInt48(newResolution);
}

int32_t YTime::FractionDigits(int64_t resolution) {
  int32_t digits = 0;
  for (int64_t unit = kUnitsPerSecond; unit > resolution && digits < kMaxFractionDigits; unit /= 10) {
    ++digits;
  }
  return digits;
}

void YTime::Format(KString& text, int32_t displayResolution) const {
  if (!HasResolution()) {
    return;
  }
  const int64_t display = displayResolution > 0 ? displayResolution : defaultPrecision;
  const int64_t value = RoundTo(time.Value(), display);
  if (value < 0) {
    text.Append(separators[kNeg]);
  }
  const int64_t magnitude = value < 0 ? -value : value;
  const int64_t days = magnitude / kUnitsPerDay;
  const int64_t hours = magnitude % kUnitsPerDay / kUnitsPerHour;
  const int64_t minutes = magnitude % kUnitsPerHour / kUnitsPerMinute;
  const int64_t seconds = magnitude % kUnitsPerMinute / kUnitsPerSecond;
  // Each field after the first present one is padded to two digits.
  bool leading = true;
  if (days > 0) {
    text.AppendInt(days);
    text.Append(separators[kDayHour]);
    leading = false;
  }
  if (!leading || hours > 0) {
    AppendPadded(text, hours, leading ? 1 : 2);
    text.Append(separators[kHourMinute]);
    leading = false;
  }
  if (!leading || minutes > 0) {
    AppendPadded(text, minutes, leading ? 1 : 2);
    text.Append(separators[kMinuteSecond]);
    leading = false;
  }
  AppendPadded(text, seconds, leading ? 1 : 2);
  const int32_t digits = FractionDigits(display);
  if (digits > 0) {
    int64_t unit = kUnitsPerSecond;
    for (int32_t i = 0; i < digits; ++i) {
      unit /= 10;
    }
    text.Append(separators[kSecondFrac]);
    AppendPadded(text, magnitude % kUnitsPerSecond / unit, digits);
  }
}

bool YTime::Parse(const KString& input) {
  KString text(input);
  text.Trim();
  int32_t at = 0;
  bool negative = false;
  if (SeparatorAt(text, at, separators[kNeg])) {
    negative = true;
    at += separators[kNeg].Length();
  } else if (text.At(at) == u'-') {
    negative = true;
    ++at;
  }
  // Whole fields, most significant first, and the separator that followed each.
  int64_t fields[4] = {};
  int32_t separatorAt[4] = {};
  int32_t fieldCount = 0;
  int64_t fraction = 0;
  int32_t fractionDigits = -1;
  while (true) {
    const int32_t begin = at;
    int64_t number = 0;
    while (IsDigit(text.At(at)) && at - begin < kMaxFieldDigits + 1) {
      number = number * 10 + (text[at] - u'0');
      ++at;
    }
    const int32_t length = at - begin;
    if (length == 0 || IsDigit(text.At(at))) {
      return false;
    }
    if (fractionDigits == 0) {
      if (length > kMaxFractionDigits) {
        return false;
      }
      fraction = number;
      fractionDigits = length;
      break;
    }
    if (fieldCount == 4 || length > kMaxFieldDigits) {
      return false;
    }
    fields[fieldCount++] = number;
    if (at == text.Length()) {
      break;
    }
    // The fraction separator is looked for first: with the usual separators it is the only '.'.
    bool matched = false;
    for (Separator s : {kSecondFrac, kMinuteSecond, kHourMinute, kDayHour}) {
      if (SeparatorAt(text, at, separators[s])) {
        separatorAt[fieldCount - 1] = at;
        at += separators[s].Length();
        if (s == kSecondFrac) {
          fractionDigits = 0;
        }
        matched = true;
        break;
      }
    }
    if (!matched) {
      return false;
    }
  }
  if (at != text.Length()) {
    return false;
  }
  // The fields end in seconds; those before it are minutes, hours and days, each followed by its own
  // separator, and a field below another must stay within its range.
  static constexpr Separator kExpected[4] = {kDayHour, kHourMinute, kMinuteSecond, kSecondFrac};
  static constexpr int64_t kUnits[4] = {kUnitsPerDay, kUnitsPerHour, kUnitsPerMinute, kUnitsPerSecond};
  static constexpr int64_t kLimits[4] = {0, 24, 60, 60};
  const int32_t first = 4 - fieldCount;
  int64_t units = 0;
  for (int32_t i = 0; i < fieldCount; ++i) {
    const int32_t place = first + i;
    const bool last = i == fieldCount - 1;
    if (!last && !SeparatorAt(text, separatorAt[i], separators[kExpected[place]])) {
      return false;
    }
    if (i > 0 && fields[i] >= kLimits[place]) {
      return false;
    }
    units += fields[i] * kUnits[place];
  }
  int64_t newResolution = kUnitsPerSecond;
  for (int32_t i = 0; i < fractionDigits; ++i) {
    newResolution /= 10;
  }
  units += fraction * newResolution;
  if (units > KInt48::kMax) {
    return false;
  }
  time = KInt48(negative ? -units : units);
  resolution = KInt48(newResolution);
  source = -1;
  return true;
}

void YTime::Write(KStream& stream) const {
  time.Write(stream);
  resolution.Write(stream);
  stream.WriteInt32(source);
}

void YTime::Read(KStream& stream) {
  KInt48 newTime;
  KInt48 newResolution;
  newTime.Read(stream);
  newResolution.Read(stream);
  const int32_t newSource = stream.ReadInt32();
  time = newTime;
  resolution = newResolution;
  source = newSource;
}

void YTime::Setup() {
  static constexpr const char16_t* kPaths[5] = {
      u"\\Strings\\Time\\NegChr", u"\\Strings\\Time\\DayHourSep", u"\\Strings\\Time\\HourMinuteSep",
      u"\\Strings\\Time\\MinuteSecondSep", u"\\Strings\\Time\\SecondFracSep"};
  static constexpr const char16_t* kFallbacks[5] = {u"-", u":", u":", u":", u"."};
  for (int32_t i = 0; i < 5; ++i) {
    separators[i] = QvSettings::Text(kPaths[i], kFallbacks[i]);
  }
  // Time fields hold milliseconds and show them whole, so a value typed in reads back unchanged.
  defaultStep = kUnitsPerMillisecond;
  defaultResolution = kUnitsPerMillisecond;
  defaultPrecision = kUnitsPerMillisecond;
}
