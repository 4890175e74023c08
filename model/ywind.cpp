#include "model/ywind.h"

#include "foundation/kpersistent.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "model/qvchange.h"
#include "model/qvnotification.h"
#include "model/qvsettings.h"

namespace {

// Larger readings are no wind; the bound keeps the arithmetic far from overflow.
constexpr int32_t kMaxWholeDigits = 6;

bool ValidUnits(int32_t units) {
  return units >= YWind::kMilesPerHour && units <= YWind::kMetresPerSecond;
}

}  // namespace

void YWind::SetUnits(int32_t newUnits) {
  QvChange change(this, kQvWindChanged);
  units = ValidUnits(newUnits) ? newUnits : kNoUnits;
}

void YWind::SetTime(const YTime& newTime) {
  QvChange change(this, kQvWindChanged);
  time = newTime;
}

void YWind::SetMode(int32_t newMode, int32_t offset, int32_t newDuration) {
  QvChange change(this, kQvWindChanged);
  mode = newMode;
  startOffset = offset;
  duration = newDuration;
}

bool YWind::Parse(const KString& input, int32_t newUnits) {
  KString text(input);
  text.Trim();
  int32_t at = 0;
  bool negative = false;
  if (text.At(at) == u'-' || text.At(at) == u'+') {
    negative = text[at] == u'-';
    ++at;
  }
  int32_t whole = 0;
  int32_t wholeDigits = 0;
  while (text.At(at) >= u'0' && text.At(at) <= u'9') {
    if (++wholeDigits > kMaxWholeDigits) {
      return false;
    }
    whole = whole * 10 + (text[at++] - u'0');
  }
  if (wholeDigits == 0) {
    return false;
  }
  int32_t fraction = 0;
  if (text.At(at) == u'.') {
    ++at;
    int32_t scale = 10;
    while (text.At(at) >= u'0' && text.At(at) <= u'9') {
      if (scale == 0) {
        return false;  // more than two decimals
      }
      fraction += (text[at++] - u'0') * scale;
      scale /= 10;
    }
  }
  if (at != text.Length()) {
    return false;
  }
  QvChange change(this, kQvWindChanged);
  const int32_t value = whole * 100 + fraction;
  hundredths = negative ? -value : value;
  units = ValidUnits(newUnits) ? newUnits : kMetresPerSecond;
  return true;
}

void YWind::Format(KString& text) const {
  if (!HasUnits()) {
    return;
  }
  // Rounded toward the next higher tenth: +2.01 is +2.1, -2.09 is -2.0. In 64 bits, since a stored
  // reading may lie anywhere in the 32-bit range, where adding 9 or negating would overflow.
  const int64_t reading = hundredths;
  int64_t tenths = reading >= 0 ? (reading + 9) / 10 : -(-reading / 10);
  if (tenths > 0) {
    text.AppendChar(u'+');
  } else if (tenths < 0) {
    text.AppendChar(u'-');
    tenths = -tenths;
  }
  text.AppendInt(tenths / 10);
  text.AppendChar(u'.');
  text.AppendInt(tenths % 10);
}

void YWind::UnitsText(KString& text) const {
  static constexpr const char16_t* kPaths[3] = {u"\\Strings\\Event\\Wind\\Units\\MPH",
                                                u"\\Strings\\Event\\Wind\\Units\\FPS",
                                                u"\\Strings\\Event\\Wind\\Units\\MPS"};
  if (HasUnits()) {
    text.Append(QvSettings::Text(kPaths[units]));
  }
}

void YWind::Write(KStream& stream) const {
  KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, kVersion);
  stream.WriteInt32(units);
  stream.WriteInt32(hundredths);
  time.Write(stream);
  stream.WriteInt32(mode);
  stream.WriteInt32(startOffset);
  stream.WriteInt32(duration);
}

void YWind::Read(KStream& stream) {
  KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, kVersion, kVersion);
  const int32_t newUnits = stream.ReadInt32();
  const int32_t newHundredths = stream.ReadInt32();
  YTime newTime;
  newTime.Read(stream);
  const int32_t newMode = stream.ReadInt32();
  const int32_t newOffset = stream.ReadInt32();
  const int32_t newDuration = stream.ReadInt32();
  if (newUnits != kNoUnits && !ValidUnits(newUnits)) {
    throw KXPersistent(kErrFileContents);
  }
  units = newUnits;
  hundredths = newHundredths;
  time = newTime;
  mode = newMode;
  startOffset = newOffset;
  duration = newDuration;
}
