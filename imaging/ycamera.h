#pragma once
// The settings of one camera: 42 numbered integer parameters, each with a flags byte, a name and a list of
// lane-line positions. Parameter 0 is the camera type (100 none chosen, 101 raw frames, 102 coded frames);
// choosing a type loads that type's defaults, and every limit of a parameter follows from the type and,
// for some, from other parameters. Changes send notifications 22, 23 or 24 up the owner chain.

#include <array>
#include <cstdint>

#include "foundation/kmessage.h"
#include "foundation/kstring.h"

class KStream;

class YCamera : public KMessageObject {
 public:
  static constexpr uint32_t kVersionWord = 0x20009;
  static constexpr int32_t kParameterCount = 42;
  static constexpr int32_t kMaxValueCount = 20;
  // Lane-line positions are ten-thousandths of the image's width.
  static constexpr int32_t kFullWidth = 10000;
  // Camera types.
  static constexpr int32_t kTypeNone = 100;
  static constexpr int32_t kTypeRaw = 101;
  static constexpr int32_t kTypeCoded = 102;
  // Flag bits of a parameter.
  static constexpr uint8_t kLocked = 1;
  static constexpr uint8_t kKept = 2;
  // Bit of Assign's copy flags: copy the flags bytes too.
  static constexpr int32_t kCopyFlags = 1;

  explicit YCamera(KMessageObject* owner = nullptr, int32_t id = -1);

  int32_t Parameter(int32_t n) const { return IsParameter(n) ? parameters[n] : -1; }
  uint8_t Flags(int32_t n) const { return IsParameter(n) ? flags[n] : 0; }
  void SetFlags(int32_t n, uint8_t value);
  bool IsLocked(int32_t n) const { return (Flags(n) & kLocked) != 0; }
  bool IsKept(int32_t n) const { return (Flags(n) & kKept) != 0; }
  bool IsType101() const { return parameters[0] == kTypeRaw; }
  bool IsType102() const { return parameters[0] == kTypeCoded; }
  // Orientation equals reverse lanes.
  bool IsSynchronised() const { return parameters[16] == parameters[17]; }
  const KString& Name() const { return name; }
  int32_t ValueCount() const { return valueCount; }
  int32_t CurrentLine() const { return currentLine; }
  void SetCurrentLine(int32_t line) { currentLine = line; }

  // The limits of a parameter under the current type and the parameters it depends on; a parameter
  // outside 0 to 41 has minimum 0 and maximum -1, so no value is valid.
  int32_t MinValue(int32_t n) const;
  int32_t MaxValue(int32_t n) const;
  bool IsApplicable(int32_t n) const;
  bool CanSet(int32_t n, int32_t value) const;
  // Stores a value that CanSet allows (any value while assigning) unless the parameter is locked; setting
  // parameter 0 first loads the type's defaults and the common ones. Sends one notification when the
  // value changed and `notify` is set. Returns whether the value changed.
  bool SetParameter(int32_t n, int32_t value, bool notify);
  // Copies the text and always sends 22.
  void SetName(const KString& text);

  // The lane lines: `count` evenly spaced lines from 0 to 10000 (entries 0 to count). Nothing happens while
  // parameter 17 is locked, for the current count, or for a count outside 0 to 20; otherwise sends 24.
  void SetValueCount(int32_t count);
  // Entry i, -1 outside 0 to the count.
  int32_t Value(int32_t i) const;
  // Stores a line position, limited to 0..10000 and (unless assigning) between its neighbours; sends 24
  // and returns true when it stored.
  bool SetValue(int32_t i, int32_t value);

  // Copies the name, every parameter whose source flags lack the kept bit (each through SetParameter, so
  // each change notifies) and, unless the source keeps parameter 17, the lane lines.
  void Assign(const YCamera& source, int32_t copyFlags);

  // The frame length: bytes per frame for type 101 (from the rate table), pixels per frame for type 102
  // (parameter 7), else 0.
  int32_t Rate() const;
  // Frames in one 16000-byte block of type 101 (16000 / Rate), else 1.
  int32_t FramesPerBlock() const;

  double GainFactor() const { return parameters[24] / 10000.0; }
  bool SetGainFactor(double value, bool notify);
  double OffsetFactor() const { return parameters[25] / 10000.0; }
  bool SetOffsetFactor(double value, bool notify);
  double ScaleFactor() const { return parameters[22] / 1000.0; }
  bool SetScaleFactor(double value, bool notify);
  // Under automatic gain, records the gain the camera reports in parameter 12, without tests or
  // notification; returns whether it stored.
  bool NoteAutomaticGain(int32_t gain);
  // Centres the type-102 window on the sensor.
  bool CentreWindow(bool notify);

  // Equal name, lane lines and parameters with their flags.
  bool SameSettings(const YCamera& other) const;

  void Write(KStream& stream) const;
  // Reads the record as written, without notifications. Refuses a version word other than 0x20009 with
  // KXPersistent 3009, and with 3010 a lane count outside 0 to 20, a parameter count other than 42, or a
  // frame layout (parameters 5 and 7) outside the type's tables. Nothing changes on failure.
  void Read(KStream& stream);

  // The tables of the frame layouts: the sensor extent of type 102 by parameter 5, and the highest frame
  // rate and the frame length of type 101 by parameters 5 and 7. Indexes outside the tables give 0.
  static int32_t Extent(int32_t p5);
  static int32_t RateLimit(int32_t p5, int32_t p7);
  static int32_t RawFrameLength(int32_t p5, int32_t p7);

 private:
  static bool IsParameter(int32_t n) { return n >= 0 && n < kParameterCount; }
  static int32_t SendsFor(int32_t n);
  void LoadDefaults(int32_t type);
  void Notify(uint16_t what);
  bool SetFactor(int32_t n, double value, double scale, bool notify);
  bool LayoutInTables() const;

  bool assigning = false;
  KString name;
  int32_t valueCount = 0;
  std::array<int32_t, kMaxValueCount + 1> values{};
  int32_t currentLine = -1;
  std::array<int32_t, kParameterCount> parameters{};
  std::array<uint8_t, kParameterCount> flags{};
};
