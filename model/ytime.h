#pragma once
// A time of the competition: a signed count of 1/80000 s, the resolution it was taken with (in the same
// units; -1, or any other value that is not positive, when the time holds no value) and the index of the
// timing source that recorded it (-1 none).
// Invariant: a time without a resolution carries no meaning in its count.
// Stored as 16 bytes: the count and the resolution as KInt48 (three 16-bit words, low first), then the
// source as a 32-bit word.

#include <compare>
#include <cstdint>

#include "foundation/kint48.h"
#include "foundation/kstring.h"

class KStream;

class YTime {
 public:
  static constexpr int32_t kUnitsPerSecond = 80000;
  static constexpr int32_t kUnitsPerMillisecond = 80;
  // The resolutions in use: 0.1 ms, 1 ms, 0.01 s, 0.1 s, 0.2 s and 1 s.
  static constexpr int32_t kResolutions[] = {8, 80, 800, 8000, 16000, 80000};
  // The millisecond value of "no time".
  static constexpr int32_t kNoMilliseconds = INT32_MIN;
  static constexpr int32_t kStoredSize = 16;

  // The empty time: count 0, resolution -1, source -1.
  constexpr YTime() = default;
  // `value` steps of `step` units each, taken at `resolution` units by source `index`.
  YTime(int64_t value, int32_t step, int32_t resolution, int32_t index);
  // A time word of a camera (a count of 1/80000 s) taken at the camera's resolution.
  YTime(uint32_t timeWord, int32_t cameraResolution);
  // A millisecond value at 1 ms (the empty time for kNoMilliseconds).
  static YTime FromMilliseconds(int32_t milliseconds);

  bool HasResolution() const { return resolution.Value() > 0; }
  int64_t Units() const { return time.Value(); }
  int64_t Resolution() const { return resolution.Value(); }
  int32_t Source() const { return source; }

  // The time in whole milliseconds, rounded to the nearest (halves away from zero), limited to the 32-bit
  // range; kNoMilliseconds for a time without a resolution.
  int32_t ToMilliseconds() const;
  // A copy rounded to the program's default resolution.
  YTime Rounded() const;
  // Rounds the count to the nearest multiple of `newResolution` (halves away from zero) and takes that
  // resolution. A resolution of 0 or less, or an empty time, leaves the time as it is.
  void SetResolution(int64_t newResolution);

  // Appends the text form: [negative sign][days D][hours H][minutes M]seconds[F fraction], where D, H, M
  // and F are the separators of the settings, the leading fields appear only when needed and the fraction
  // has as many digits as `displayResolution` calls for (0 or less: the default precision). The count is
  // rounded to the display resolution first. An empty time appends nothing.
  void Format(KString& text, int32_t displayResolution = 0) const;
  // Reads the text form back: the fields from seconds up to days, separated by the separators of the
  // settings, and a fraction of at most 4 digits that sets the resolution (none: 1 s). Blanks around the
  // text are ignored. False, with the time unchanged, when the text is not a time.
  bool Parse(const KString& text);

  // Times order by their counts; two times are equal only when count, resolution and source are.
  friend std::weak_ordering operator<=>(const YTime& a, const YTime& b) {
    return a.time.Value() <=> b.time.Value();
  }
  friend bool operator==(const YTime& a, const YTime& b) {
    return a.time == b.time && a.resolution == b.resolution && a.source == b.source;
  }

  void Write(KStream& stream) const;
  // Takes any stored resolution, as every constructor and setter does: one that is not positive simply
  // means the time holds no value (HasResolution is false), so nothing ever rounds or divides by it.
  void Read(KStream& stream);

  // Class set-up: the default step, resolution and precision and the separators from the settings.
  static void Setup();
  static int32_t DefaultStep() { return defaultStep; }
  static int32_t DefaultResolution() { return defaultResolution; }
  static int32_t DefaultPrecision() { return defaultPrecision; }

 private:
  static int64_t RoundTo(int64_t value, int64_t step);
  static int32_t FractionDigits(int64_t resolution);

  KInt48 time{0};
  KInt48 resolution{-1};
  int32_t source = -1;

  static inline int32_t defaultStep = kUnitsPerMillisecond;
  static inline int32_t defaultResolution = kUnitsPerMillisecond;
  static inline int32_t defaultPrecision = kUnitsPerMillisecond;
  static inline KString separators[5] = {u"-", u":", u":", u":", u"."};
};
