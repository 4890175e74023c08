#include "imaging/ycamera.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "imaging/ynotification.h"

namespace {

constexpr int32_t kBlockBytes = 16000;

// Sensor extent of type 102 by parameter 5 (pixel averaging).
constexpr int32_t kExtent[4] = {1000, 864, 576, 432};
// Type 101 by [frame mode p5][frame density p7]: the highest frame rate, and the frame length in bytes.
constexpr int32_t kRateLimit[3][3] = {{450, 900, 1650}, {500, 1000, 0}, {450, 900, 0}};
constexpr int32_t kRawFrameLength[3][3] = {{1000, 500, 250}, {500, 250, 0}, {500, 250, 0}};

// The limits that do not depend on the type; the others are computed in MinValue and MaxValue.
struct Limits {
  int32_t minimum;
  int32_t maximum;
};
constexpr Limits kNoValue = {0, -1};
constexpr Limits kAny = {INT_MIN, INT_MAX};
constexpr Limits kCount = {0, INT_MAX};
constexpr Limits kFixedLimits[YCamera::kParameterCount] = {
    {100, 102},      kAny,     kAny,        kAny,     kAny,
    kNoValue,        kNoValue, kNoValue,    kNoValue, {0, 1},
    {0, 100},        {0, 1},   kNoValue,    kNoValue, kNoValue,
    kNoValue,        {0, 1},   {0, 1},      {0, 3},   kNoValue,
    kNoValue,        kNoValue, {250, 4000}, kCount,   {-10000, 10000},
    {-10000, 10000}, kAny,     {0, 1},      kCount,   kCount,
    kCount,          kCount,   {0, 1},      {0, 2},   kCount,
    {0, 2},          kCount,   kAny,        {1, 99},  {1, 99},
    kNoValue,        {0, 1}};

// The parameters a type's defaults set, with their values for types 101 and 102.
struct TypeDefault {
  int32_t n;
  int32_t raw;
  int32_t coded;
};
constexpr TypeDefault kTypeDefaults[] = {
    {5, 0, 0},      {6, 0, 250},      {7, 2, 500},  {8, 100, 500},    {9, 0, 1},     {10, 100, 65},
    {11, 1, 0},     {12, 1, 1},       {13, 1, 60},  {14, 8, 65},      {15, 0, 10},   {27, 0, 1},
    {28, 100, 100}, {29, 1000, 1000}, {30, 25, 25}, {31, 2000, 2000}, {40, 127, 150}};

// The parameters every choice of type resets, with their values.
struct CommonDefault {
  int32_t n;
  int32_t value;
};
constexpr CommonDefault kCommonDefaults[] = {
    {16, 0}, {17, 0}, {18, 0}, {19, 0},   {20, 0}, {21, 0},   {22, 1000}, {23, 1},  {24, 0},  {25, 0},
    {26, 0}, {32, 1}, {33, 0}, {34, 500}, {35, 0}, {36, 100}, {37, 0},    {38, 10}, {39, 10}, {41, 0}};

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

YCamera::YCamera(KMessageObject* owner, int32_t id) : KMessageObject(owner, id) {
  parameters.fill(-1);
  parameters[0] = kTypeNone;
}

int32_t YCamera::Extent(int32_t p5) {
  return p5 >= 0 && p5 < 4 ? kExtent[p5] : 0;
}

int32_t YCamera::RateLimit(int32_t p5, int32_t p7) {
  return p5 >= 0 && p5 < 3 && p7 >= 0 && p7 < 3 ? kRateLimit[p5][p7] : 0;
}

int32_t YCamera::RawFrameLength(int32_t p5, int32_t p7) {
  return p5 >= 0 && p5 < 3 && p7 >= 0 && p7 < 3 ? kRawFrameLength[p5][p7] : 0;
}

void YCamera::SetFlags(int32_t n, uint8_t value) {
  if (IsParameter(n)) {
    flags[n] = value;
  }
}

int32_t YCamera::MinValue(int32_t n) const {
  if (!IsParameter(n)) {
    return kNoValue.minimum;
  }
  const int32_t* p = parameters.data();
  const bool raw = IsType101();
  const bool coded = IsType102();
  switch (n) {
    case 5:
    case 6:
    case 12:
    case 19:
    case 20:
    case 21:
    case 40:
      return 0;
    case 7:
      return raw ? 0 : coded ? std::max(100, p[28]) : 0;
    case 8:
      return raw ? 30 : coded ? std::max(25, p[30]) : 0;
    case 13:
      return 0;
    case 14:
      return raw || coded ? p[13] : 0;
    case 15:
      return raw ? 0 : coded ? 1 : 0;
    default:
      return kFixedLimits[n].minimum;
  }
}

int32_t YCamera::MaxValue(int32_t n) const {
  if (!IsParameter(n)) {
    return kNoValue.maximum;
  }
  const int32_t* p = parameters.data();
  const bool raw = IsType101();
  const bool coded = IsType102();
  if (!raw && !coded && kFixedLimits[n].maximum == kNoValue.maximum && n != 13) {
    return kNoValue.maximum;
  }
  switch (n) {
    case 5:
      return raw ? 2 : 3;
    case 6:
      return raw ? 0 : Clamp32(int64_t{Extent(p[5])} - p[7]);
    case 7:
      return raw ? 2 : std::min(Extent(p[5]), p[29]);
    case 8:
      return raw ? RateLimit(p[5], p[7]) : std::min(2000, p[31]);
    case 12:
    case 40:
      return raw ? 127 : 255;
    case 13:
      return p[14];
    case 14:
      return raw ? 127 : 100;
    case 15:
      return raw ? 7 : 100;
    case 19:
    case 20:
    case 21:
      return raw ? 0 : 255;
    default:
      return kFixedLimits[n].maximum;
  }
}

bool YCamera::IsApplicable(int32_t n) const {
  const int32_t* p = parameters.data();
  switch (n) {
    case 0:
      // The type is chosen once.
      return p[0] == kTypeNone;
    case 12:
      return p[11] == 1;
    case 13:
    case 14:
    case 15:
      return p[11] == 0;
    case 19:
    case 20:
    case 21:
    case 33:
    case 34:
    case 35:
    case 36:
    case 37:
    case 38:
    case 39:
    case 41:
      return IsType102();
    case 40:
      return IsType102() && p[11] == 0;
    default:
      return IsParameter(n);
  }
}

bool YCamera::CanSet(int32_t n, int32_t value) const {
  if (!IsApplicable(n) || value < MinValue(n) || value > MaxValue(n)) {
    return false;
  }
  const int32_t* p = parameters.data();
  switch (n) {
    case 5:
      if (IsType101()) {
        return !(value != 0 && p[7] == 2) && RateLimit(value, p[7]) >= p[8];
      }
      return value != 0 || p[7] <= kExtent[0];
    case 7:
      if (IsType101()) {
        return !(p[5] != 0 && value == 2) && RateLimit(p[5], value) >= p[8];
      }
      return true;
    case 9:
      return IsType101() ? value == 0 : (value == 0 || p[27] == 0 || p[27] == 1);
    case 27:
      return IsType101() ? value == 0 : true;
    default:
      return true;
  }
}

int32_t YCamera::SendsFor(int32_t n) {
  switch (n) {
    case 0:
    case 5:
    case 7:
    case 16:
    case 22:
    case 24:
    case 25:
      return kYCameraSetup;
    case 17:
      return kYCameraLanes;
    default:
      return kYCameraParameter;
  }
}

void YCamera::LoadDefaults(int32_t type) {
  if (type == kTypeRaw || type == kTypeCoded) {
    for (const TypeDefault& entry : kTypeDefaults) {
      parameters[entry.n] = type == kTypeRaw ? entry.raw : entry.coded;
    }
  }
  for (const CommonDefault& entry : kCommonDefaults) {
    parameters[entry.n] = entry.value;
  }
}

void YCamera::Notify(uint16_t what) {
  KMessage message;
  Send(this, Message(message, what, 0, this));
}

bool YCamera::SetParameter(int32_t n, int32_t value, bool notify) {
  if (!IsParameter(n) || IsLocked(n) || (!assigning && !CanSet(n, value))) {
    return false;
  }
  if (n == 0) {
    // Defaults go straight into the array, even when the type stays the same.
    LoadDefaults(value);
  }
  if (n == 7 && IsType102()) {
    // The window size is stored even.
    value &= ~1;
  }
  if (value == parameters[n]) {
    return false;
  }
  parameters[n] = value;
  if (notify) {
    Notify(static_cast<uint16_t>(SendsFor(n)));
  }
  return true;
}

void YCamera::SetName(const KString& text) {
  name = text;
  Notify(kYCameraSetup);
}

void YCamera::SetValueCount(int32_t count) {
  if (IsLocked(17) || count == valueCount || count < 0 || count > kMaxValueCount) {
    return;
  }
  valueCount = count;
  if (count > 0) {
    for (int32_t i = 0; i <= count; ++i) {
      const auto line = static_cast<int32_t>(i * static_cast<double>(kFullWidth) / count);
      values[static_cast<size_t>(i)] = std::clamp(line, 0, kFullWidth);
    }
  }
  Notify(kYCameraLanes);
}

int32_t YCamera::Value(int32_t i) const {
  return i >= 0 && i <= valueCount ? values[static_cast<size_t>(i)] : -1;
}

bool YCamera::SetValue(int32_t i, int32_t value) {
  if (IsLocked(17) || i < 0 || i > valueCount) {
    return false;
  }
  value = std::clamp(value, 0, kFullWidth);
  if (!assigning) {
    if (i > 0) {
      value = std::max(value, values[static_cast<size_t>(i - 1)]);
    }
    if (i < valueCount) {
      value = std::min(value, values[static_cast<size_t>(i + 1)]);
    }
  }
  if (value == values[static_cast<size_t>(i)]) {
    return false;
  }
  values[static_cast<size_t>(i)] = value;
  Notify(kYCameraLanes);
  return true;
}

void YCamera::Assign(const YCamera& source, int32_t copyFlags) {
  assigning = true;
  SetName(source.name);
  for (int32_t n = 0; n < kParameterCount; ++n) {
    if (source.IsKept(n)) {
      continue;
    }
    SetParameter(n, source.parameters[n], true);
    if ((copyFlags & kCopyFlags) != 0) {
      flags[n] = source.flags[n];
    }
  }
  if (!source.IsKept(17)) {
    SetValueCount(source.valueCount);
    for (int32_t i = 0; i <= source.valueCount; ++i) {
      SetValue(i, source.values[static_cast<size_t>(i)]);
    }
  }
  assigning = false;
}

int32_t YCamera::Rate() const {
  if (IsType101()) {
    return RawFrameLength(parameters[5], parameters[7]);
  }
  return IsType102() ? parameters[7] : 0;
}

int32_t YCamera::FramesPerBlock() const {
  const int32_t rate = Rate();
  return IsType101() && rate > 0 ? kBlockBytes / rate : 1;
}

bool YCamera::SetFactor(int32_t n, double value, double scale, bool notify) {
  const double scaled = std::trunc(value * scale);
  // A value beyond the 32-bit range (or not a number) cannot be a valid factor; CanSet refuses it.
  const int32_t stored =
      std::isfinite(scaled)
          ? Clamp32(static_cast<int64_t>(std::clamp(scaled, double{INT_MIN}, double{INT_MAX})))
          : INT_MIN;
  return SetParameter(n, stored, notify);
}

bool YCamera::SetGainFactor(double value, bool notify) {
  return SetFactor(24, value, 10000.0, notify);
}

bool YCamera::SetOffsetFactor(double value, bool notify) {
  return SetFactor(25, value, 10000.0, notify);
}

bool YCamera::SetScaleFactor(double value, bool notify) {
  return SetFactor(22, value, 1000.0, notify);
}

bool YCamera::NoteAutomaticGain(int32_t gain) {
  if (parameters[11] != 0 || gain == parameters[12]) {
    return false;
  }
  parameters[12] = gain;
  return true;
}

bool YCamera::CentreWindow(bool notify) {
  return SetParameter(6, Clamp32((int64_t{Extent(parameters[5])} - parameters[7]) / 2), notify);
}

bool YCamera::SameSettings(const YCamera& other) const {
  if (!(name == other.name) || valueCount != other.valueCount || parameters != other.parameters ||
      flags != other.flags) {
    return false;
  }
  return std::equal(values.begin(), values.begin() + valueCount + 1, other.values.begin());
}

void YCamera::Write(KStream& stream) const {
  stream.WriteUInt32(kVersionWord);
  stream.WriteInt32(Id());
  name.Write(stream);
  stream.WriteInt32(valueCount);
  if (valueCount > 0) {
    for (int32_t i = 0; i <= valueCount; ++i) {
      stream.WriteInt32(values[static_cast<size_t>(i)]);
    }
  }
  stream.WriteInt32(kParameterCount);
  for (int32_t n = 0; n < kParameterCount; ++n) {
    stream.WriteInt32(parameters[n]);
    stream.WriteByte(flags[n]);
  }
}

bool YCamera::LayoutInTables() const {
  const int32_t p5 = parameters[5];
  const int32_t p7 = parameters[7];
  if (IsType101()) {
    return p5 >= 0 && p5 < 3 && p7 >= 0 && p7 < 3;
  }
  if (IsType102()) {
    return p5 >= 0 && p5 < 4;
  }
  return true;
}

void YCamera::Read(KStream& stream) {
  if (stream.ReadUInt32() != kVersionWord) {
    throw KXPersistent(kErrFileVersion);
  }
  YCamera read;
  read.SetId(stream.ReadInt32());
  read.name.Read(stream);
  read.valueCount = stream.ReadInt32();
  if (read.valueCount < 0 || read.valueCount > kMaxValueCount) {
    throw KXPersistent(kErrFileContents);
  }
  if (read.valueCount > 0) {
    for (int32_t i = 0; i <= read.valueCount; ++i) {
      read.values[static_cast<size_t>(i)] = stream.ReadInt32();
    }
  }
  if (stream.ReadInt32() != kParameterCount) {
    throw KXPersistent(kErrFileContents);
  }
  for (int32_t n = 0; n < kParameterCount; ++n) {
    read.parameters[n] = stream.ReadInt32();
    read.flags[n] = stream.ReadByte();
  }
  if (!read.LayoutInTables()) {
    throw KXPersistent(kErrFileContents);
  }
  SetId(read.Id());
  name = read.name;
  valueCount = read.valueCount;
  values = read.values;
  parameters = read.parameters;
  flags = read.flags;
}
