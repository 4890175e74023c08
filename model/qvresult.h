#pragma once
// One result of a leg: the athlete's texts (0 last name, 1 first name, 2 affiliation, 3 lane, 4 id,
// 5 licence), the status, the times taken by the block sensors and the timing (reaction, time 2, the set
// time 3, finish, gun and nine extra times), the power, the false-start marks and the force trace. Every
// setter that changes something sends its change bracket up to the event.

#include <cstdint>
#include <utility>
#include <vector>

#include "foundation/klist.h"
#include "foundation/kmessage.h"
#include "foundation/kstring.h"
#include "model/qvtrace.h"
#include "model/ytime.h"

class QvResultFilter;

class QvResult : public KListItem, public KMessageObject {
 public:
  static constexpr int32_t kFieldCount = 6;
  static constexpr int32_t kLaneField = 3;
  // Status codes; 7 marks a lane that is not in use and is never offered to the user.
  enum Status : int32_t {
    kValid = 0,
    kDidNotStart = 1,
    kFalseStart = 2,
    kDidNotFinish = 3,
    kDisqualified = 4,
    kScratched = 5,
    kAdvanced = 6,
    kLaneNotUsed = 7,
  };
  static constexpr int32_t kStatusCount = 8;
  static constexpr int32_t kExtraTimeCount = 9;
  // Power values that stand for "no power": never measured, and cleared after a failed download.
  static constexpr int32_t kNoPower = INT32_MIN;
  // Version 1, read too, has no trial set word.
  static constexpr uint16_t kVersion = 2;
  static constexpr uint16_t kVersionWithoutSetWord = 1;

  explicit QvResult(KMessageObject* owner = nullptr) : KMessageObject(owner) {}

  // Athlete texts; an index outside 0 to 5 reads as the empty text and sets nothing.
  const KString& AthleteField(int32_t field) const;
  void SetAthleteField(int32_t field, const KString& text);
  const KString& GetField0Text() const { return AthleteField(0); }
  const KString& GetField1Text() const { return AthleteField(1); }
  const KString& AthleteField2() const { return AthleteField(2); }
  const KString& AthleteField3() const { return AthleteField(3); }
  const KString& AthleteField4() const { return AthleteField(4); }
  const KString& AthleteField5() const { return AthleteField(5); }
  void SetAthleteField0(const KString& text) { SetAthleteField(0, text); }
  void SetAthleteField1(const KString& text) { SetAthleteField(1, text); }
  void SetAthleteField2(const KString& text) { SetAthleteField(2, text); }
  void SetAthleteField3(const KString& text) { SetAthleteField(3, text); }
  void SetAthleteField4(const KString& text) { SetAthleteField(4, text); }
  void SetAthleteField5(const KString& text) { SetAthleteField(5, text); }

  int32_t Status() const { return status; }
  // Codes 0 to 7; any other code is ignored. Notifies only when the status changes (the argument is the
  // new code).
  void SetStatus(int32_t code);
  bool IsStatus7() const { return status == kLaneNotUsed; }
  // Appends the status text as the results view shows it (empty for a lane not in use).
  void GetPlaceText(KString& text, const QvResultFilter* view) const;

  const YTime& GetReactionTime() const { return reactionTime; }
  void SetReactionTime(const YTime& time);
  // Milliseconds as the control unit sends them; YTime::kNoMilliseconds clears the time.
  void SetReactionTime(int32_t milliseconds) { SetReactionTime(YTime::FromMilliseconds(milliseconds)); }
  const YTime& GetTime2() const { return time2; }
  void SetTime2(const YTime& time);
  void SetTime2(int32_t milliseconds) { SetTime2(YTime::FromMilliseconds(milliseconds)); }
  // The set time: the moment of the set command relative to the gun.
  const YTime& GetTime3() const { return time3; }
  void SetTime3(const YTime& time);
  void SetTime3(int32_t milliseconds) { SetTime3(YTime::FromMilliseconds(milliseconds)); }
  const YTime& GetFinishTime() const { return finishTime; }
  void SetFinishTime(const YTime& time);
  // The time a results view ranks by: the finish time.
  const YTime& GetMainTime(const QvResultFilter* view) const;
  // The gun time of the control unit's trial whose data the result holds (its gun word in milliseconds);
  // none for a result without trial data, or with the data of a trial that had no gun. Trial data cannot
  // be typed in: only the athlete texts and the status can.
  const YTime& GetGunTime() const { return gunTime; }
  void SetGunTime(const YTime& time);
  // The set word (the unit's clock at the set command) of the trial whose data the result holds, which
  // names a trial without a gun; YTime::kNoMilliseconds for none.
  int32_t TrialSetWord() const { return trialSetWord; }
  void SetTrialSetWord(int32_t word);
  // Whether the result's data are of the trial fired at `gun`, or, for a trial without a gun, of the trial
  // set at `setWord`: never for a trial that has neither, nor for a result without trial data.
  bool OfTrial(const YTime& gun, int32_t setWord) const;
  // Takes out what a trial gives a lane: the reaction time, times 2 and 3, the extra times, the power (0),
  // the false-start marks, the trace, the gun time and the trial set word.
  void ClearTrialData();
  // When the result was read holding trial data without a gun time (saved before lanes kept their
  // trial's gun), takes `gun` as theirs. Sends no change: the document stays as it was read.
  void MarkUnmarkedTrialData(const YTime& gun);

  int32_t ExtraTimeCount() const { return extraTimeCount; }
  const YTime& ExtraTime(int32_t index) const;
  // Takes the first `count` times (at most 9); the others become empty.
  void SetExtraTimes(const YTime* times, int32_t count);

  int32_t GetPower() const { return power; }
  void SetPower(int32_t value);
  // Whether a power was measured: neither 0 nor kNoPower.
  bool HasPower() const { return power != 0 && power != kNoPower; }
  // Appends the power, or the "no power" text for 0 and kNoPower.
  void GetPowerText(KString& text) const;

  bool IsFalseStart() const { return falseStart; }
  bool IsFalseStartCharged() const { return falseStartCharged; }
  void SetFalseStart(bool on);
  void SetFalseStartCharged(bool on);
  // Appends the false-start marks to a status text, each after ", " when the text is not empty, as the
  // printout and the scoreboards name them: "False start" (unless the status already says so), then
  // "charged" when the athlete is charged with it. Nothing without a false start.
  void AppendFalseStartMarks(KString& text) const;

  // Selection for an image (null: none) in a view; kept in memory only.
  bool IsSelected(const KListItem* image, const QvResultFilter* view) const;
  void SetSelected(bool on, const KListItem* image, const QvResultFilter* view);

  const QvTrace& Trace() const { return trace; }
  int32_t TraceSampleCount() const { return trace.SampleCount(); }
  // See QvTrace::Set; notifies when taken.
  bool SetTrace(int32_t firstSample, std::vector<int32_t> channel1, std::vector<int32_t> channel2);
  void ClearTrace();
  // 2 x 5001 samples, 0 outside the stored window.
  void GetTraceSamples(double* buffer) const { trace.GetSamples(buffer); }
  // In: 0 and 5001; out: the stored window when there is one.
  void GetTraceWindow(int32_t& first, int32_t& end) const { trace.GetWindow(first, end); }

  const char* ClassName() const override { return "QvResult"; }
  void Write(KStream& stream) const override;
  void Read(KStream& stream) override;

  // Equal stored contents (the selection is not stored).
  bool SameContents(const QvResult& other) const;

 private:
  void SetTime(YTime& field, const YTime& time);

  KString fields[kFieldCount];
  int32_t status = kValid;
  YTime reactionTime;
  YTime time2;
  YTime time3;
  YTime finishTime;
  YTime gunTime;
  int32_t trialSetWord = YTime::kNoMilliseconds;
  int32_t power = kNoPower;
  bool falseStart = false;
  bool falseStartCharged = false;
  int32_t extraTimeCount = 0;
  YTime extraTimes[kExtraTimeCount];
  QvTrace trace;
  std::vector<std::pair<const KListItem*, const QvResultFilter*>> selections;
};
