#pragma once
// One wind reading of an event: the value in hundredths of its units, the units (0 miles per hour, 1 feet
// per second, 2 metres per second, -1 none), the time of the reading and the measuring mode with its start
// offset and duration in milliseconds. A reading without units holds no value.

#include <cstdint>

#include "foundation/klist.h"
#include "foundation/kmessage.h"
#include "foundation/kstring.h"
#include "model/ytime.h"

class YWind : public KListItem, public KMessageObject {
 public:
  enum Units : int32_t { kNoUnits = -1, kMilesPerHour = 0, kFeetPerSecond = 1, kMetresPerSecond = 2 };
  // Measuring modes: Manual, Custom, 100Meter, 200Meter, 100Hurdles, 110Hurdles.
  static constexpr int32_t kModeCount = 6;
  static constexpr uint16_t kVersion = 1;

  explicit YWind(KMessageObject* owner = nullptr) : KMessageObject(owner) {}

  int32_t Units() const { return units; }
  bool HasUnits() const { return units != kNoUnits; }
  // Any value outside 0 to 2 means no units. Notifies.
  void SetUnits(int32_t newUnits);
  // The reading in hundredths of the units.
  int32_t Hundredths() const { return hundredths; }
  const YTime& Time() const { return time; }
  void SetTime(const YTime& newTime);
  int32_t Mode() const { return mode; }
  int32_t StartOffset() const { return startOffset; }
  int32_t Duration() const { return duration; }
  // Mode 0 to 5 with the measuring window's start offset and duration in milliseconds. Notifies.
  void SetMode(int32_t newMode, int32_t offset, int32_t newDuration);

  // Reads an optional sign, a whole part and up to two decimals ("1", "-0.5", "+2.25") as the reading in
  // `newUnits` (no units: metres per second). False, with nothing changed, when the text is not such a
  // number. Notifies.
  bool Parse(const KString& text, int32_t newUnits);
  // Appends the reading with its sign and tenths ("+1.3", "-0.2", "0.0"), rounded up to the next tenth as
  // wind readings are; nothing when there are no units.
  void Format(KString& text) const;
  // Appends the name of the units from the settings; nothing for none.
  void UnitsText(KString& text) const;

  const char* ClassName() const override { return "YWind"; }
  void Write(KStream& stream) const override;
  void Read(KStream& stream) override;

  friend bool operator==(const YWind& a, const YWind& b) {
    return a.units == b.units && a.hundredths == b.hundredths && a.time == b.time && a.mode == b.mode &&
           a.startOffset == b.startOffset && a.duration == b.duration;
  }

 private:
  int32_t units = kNoUnits;
  int32_t hundredths = 0;
  YTime time;
  int32_t mode = 0;
  int32_t startOffset = 0;
  int32_t duration = 10000;
};
