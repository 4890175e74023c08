#include "model/qvresult.h"

#include <algorithm>

#include "foundation/kpersistent.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "model/qvchange.h"
#include "model/qvnotification.h"
#include "model/qvsettings.h"

namespace {

constexpr int32_t kFalseStartBit = 1;
constexpr int32_t kChargedBit = 2;

struct StatusText {
  const char16_t* path;
  const char16_t* fallback;
};

constexpr StatusText kStatusTexts[QvResult::kLaneNotUsed] = {
    {u"\\Strings\\Event\\Results\\Status\\Valid", u"Valid"},
    {u"\\Strings\\Event\\Results\\Status\\DidNotStart", u"Did not start"},
    {u"\\Strings\\Event\\Results\\Status\\FalseStart", u"False start"},
    {u"\\Strings\\Event\\Results\\Status\\DidNotFinish", u"Did not finish"},
    {u"\\Strings\\Event\\Results\\Status\\Disqualified", u"Disqualified"},
    {u"\\Strings\\Event\\Results\\Status\\Scratched", u"Scratched"},
    {u"\\Strings\\Event\\Results\\Status\\Advanced", u"Advanced"},
};

const KString& EmptyText() {
  static const KString empty;
  return empty;
}

const YTime& EmptyTime() {
  static const YTime empty;
  return empty;
}

}  // namespace

const KString& QvResult::AthleteField(int32_t field) const {
  return field >= 0 && field < kFieldCount ? fields[field] : EmptyText();
}

void QvResult::SetAthleteField(int32_t field, const KString& text) {
  if (field < 0 || field >= kFieldCount || fields[field] == text) {
    return;
  }
  QvChange change(this, kQvResultAthlete, field);
  fields[field] = text;
}

void QvResult::SetStatus(int32_t code) {
  if (code < 0 || code >= kStatusCount || code == status) {
    return;
  }
  QvChange change(this, kQvResultStatus, code);
  status = code;
}

void QvResult::GetPlaceText(KString& text, const QvResultFilter* view) const {
  (void)view;  // every view shows the same status texts
  if (status < kLaneNotUsed) {
    text.Append(QvSettings::Text(kStatusTexts[status].path, kStatusTexts[status].fallback));
  }
}

void QvResult::SetTime(YTime& field, const YTime& time) {
  if (field == time) {
    return;
  }
  QvChange change(this, kQvResultTimes);
  field = time;
}

void QvResult::SetReactionTime(const YTime& time) {
  SetTime(reactionTime, time);
}
void QvResult::SetTime2(const YTime& time) {
  SetTime(time2, time);
}
void QvResult::SetTime3(const YTime& time) {
  SetTime(time3, time);
}
void QvResult::SetFinishTime(const YTime& time) {
  SetTime(finishTime, time);
}
void QvResult::SetGunTime(const YTime& time) {
  SetTime(gunTime, time);
}

void QvResult::SetTrialSetWord(int32_t word) {
  if (word == trialSetWord) {
    return;
  }
  QvChange change(this, kQvResultTimes);
  trialSetWord = word;
}

bool QvResult::OfTrial(const YTime& gun, int32_t setWord) const {
  if (gun.HasResolution()) {
    return gunTime == gun;
  }
  // A lane that took a record with a gun on the last attempt holds that other trial's data.
  return setWord != YTime::kNoMilliseconds && !gunTime.HasResolution() && trialSetWord == setWord;
}

void QvResult::ClearTrialData() {
  SetReactionTime(YTime());
  SetTime2(YTime());
  SetTime3(YTime());
  SetExtraTimes(nullptr, 0);
  SetPower(0);
  SetFalseStart(false);
  SetFalseStartCharged(false);
  ClearTrace();
  SetGunTime(YTime());
  SetTrialSetWord(YTime::kNoMilliseconds);
}

void QvResult::MarkUnmarkedTrialData(const YTime& gun) {
  // What ClearTrialData takes out, but the gun.
  const bool holdsTrialData =
      reactionTime.HasResolution() || time2.HasResolution() || time3.HasResolution() || extraTimeCount != 0 ||
      HasPower() || falseStart || falseStartCharged || trace.SampleCount() != 0;
  if (holdsTrialData && !gunTime.HasResolution()) {
    gunTime = gun;
  }
}

const YTime& QvResult::GetMainTime(const QvResultFilter* view) const {
  (void)view;  // every view ranks by the finish time
  return finishTime;
}

const YTime& QvResult::ExtraTime(int32_t index) const {
  return index >= 0 && index < kExtraTimeCount ? extraTimes[index] : EmptyTime();
}

void QvResult::SetExtraTimes(const YTime* times, int32_t count) {
  count = times != nullptr ? std::clamp(count, 0, kExtraTimeCount) : 0;
  QvChange change(this, kQvResultTimes);
  for (int32_t i = 0; i < kExtraTimeCount; ++i) {
    extraTimes[i] = i < count ? times[i] : YTime();
  }
  extraTimeCount = count;
}

void QvResult::SetPower(int32_t value) {
  if (value == power) {
    return;
  }
  QvChange change(this, kQvResultTimes);
  power = value;
}

void QvResult::GetPowerText(KString& text) const {
  if (!HasPower()) {
    text.Append(QvSettings::Text(u"\\Strings\\Event\\Results\\Power\\None"));
  } else {
    text.AppendInt(power);
  }
}

void QvResult::SetFalseStart(bool on) {
  if (on == falseStart) {
    return;
  }
  QvChange change(this, kQvResultFalseStart);
  falseStart = on;
}

void QvResult::SetFalseStartCharged(bool on) {
  if (on == falseStartCharged) {
    return;
  }
  QvChange change(this, kQvResultFalseStart);
  falseStartCharged = on;
}

void QvResult::AppendFalseStartMarks(KString& text) const {
  if (!falseStart) {
    return;
  }
  const auto appendMark = [&text](const KString& mark) {
    if (!text.IsEmpty()) {
      text.Append(u", ");
    }
    text.Append(mark);
  };
  if (status != kFalseStart) {
    appendMark(QvSettings::Text(kStatusTexts[kFalseStart].path, kStatusTexts[kFalseStart].fallback));
  }
  if (falseStartCharged) {
    appendMark(QvSettings::Text(u"\\Strings\\Event\\Results\\Print\\Charged", u"charged"));
  }
}

bool QvResult::IsSelected(const KListItem* image, const QvResultFilter* view) const {
  return std::find(selections.begin(), selections.end(), std::make_pair(image, view)) != selections.end();
}

void QvResult::SetSelected(bool on, const KListItem* image, const QvResultFilter* view) {
  const auto key = std::make_pair(image, view);
  const auto found = std::find(selections.begin(), selections.end(), key);
  if (on && found == selections.end()) {
    selections.push_back(key);
  } else if (!on && found != selections.end()) {
    selections.erase(found);
  }
}

bool QvResult::SetTrace(int32_t firstSample, std::vector<int32_t> channel1, std::vector<int32_t> channel2) {
  QvTrace newTrace;
  if (!newTrace.Set(firstSample, std::move(channel1), std::move(channel2))) {
    return false;
  }
  QvChange change(this, kQvResultTrace);
  trace = std::move(newTrace);
  return true;
}

void QvResult::ClearTrace() {
  if (trace.SampleCount() == 0) {
    return;
  }
  QvChange change(this, kQvResultTrace);
  trace.Clear();
}

void QvResult::Write(KStream& stream) const {
  // Only a lane of a trial without a gun needs the set word: every other record keeps the former version,
  // which older builds read and which an older file is written back in byte for byte.
  const bool withSetWord = trialSetWord != YTime::kNoMilliseconds;
  KPersistent::WriteVersion(stream, KPersistent::kFamilyModel,
                            withSetWord ? kVersion : kVersionWithoutSetWord);
  for (const KString& field : fields) {
    field.Write(stream);
  }
  stream.WriteInt32(status);
  for (const YTime* time : {&reactionTime, &time2, &time3, &finishTime, &gunTime}) {
    time->Write(stream);
  }
  if (withSetWord) {
    stream.WriteInt32(trialSetWord);
  }
  stream.WriteInt32(power);
  stream.WriteInt32((falseStart ? kFalseStartBit : 0) | (falseStartCharged ? kChargedBit : 0));
  stream.WriteInt32(extraTimeCount);
  for (const YTime& time : extraTimes) {
    time.Write(stream);
  }
  trace.Write(stream);
}

void QvResult::Read(KStream& stream) {
  const uint16_t version =
      KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, kVersionWithoutSetWord, kVersion);
  // Everything is read aside first, so a refused record leaves the result as it was.
  QvResult read;
  // Athlete texts of any length are kept, as they are written: the text record's own length check bounds
  // them by the bytes left in the file.
  for (KString& field : read.fields) {
    field.Read(stream);
  }
  read.status = stream.ReadInt32();
  for (YTime* time : {&read.reactionTime, &read.time2, &read.time3, &read.finishTime, &read.gunTime}) {
    time->Read(stream);
  }
  if (version > kVersionWithoutSetWord) {
    read.trialSetWord = stream.ReadInt32();
  }
  read.power = stream.ReadInt32();
  const int32_t flags = stream.ReadInt32();
  read.extraTimeCount = stream.ReadInt32();
  for (YTime& time : read.extraTimes) {
    time.Read(stream);
  }
  read.trace.Read(stream);
  // A record of the newer version is written only for a lane that holds a set word.
  const bool setWordMissing = version > kVersionWithoutSetWord && read.trialSetWord == YTime::kNoMilliseconds;
  if (setWordMissing || read.status < 0 || read.status >= kStatusCount ||
      (flags & ~(kFalseStartBit | kChargedBit)) != 0 || read.extraTimeCount < 0 ||
      read.extraTimeCount > kExtraTimeCount) {
    throw KXPersistent(kErrFileContents);
  }
  read.falseStart = (flags & kFalseStartBit) != 0;
  read.falseStartCharged = (flags & kChargedBit) != 0;
  for (int32_t i = 0; i < kFieldCount; ++i) {
    fields[i] = read.fields[i];
  }
  status = read.status;
  reactionTime = read.reactionTime;
  time2 = read.time2;
  time3 = read.time3;
  finishTime = read.finishTime;
  gunTime = read.gunTime;
  trialSetWord = read.trialSetWord;
  power = read.power;
  falseStart = read.falseStart;
  falseStartCharged = read.falseStartCharged;
  extraTimeCount = read.extraTimeCount;
  std::copy(std::begin(read.extraTimes), std::end(read.extraTimes), std::begin(extraTimes));
  trace = std::move(read.trace);
}

bool QvResult::SameContents(const QvResult& other) const {
  return std::equal(std::begin(fields), std::end(fields), std::begin(other.fields)) &&
         status == other.status && reactionTime == other.reactionTime && time2 == other.time2 &&
         time3 == other.time3 && finishTime == other.finishTime && gunTime == other.gunTime &&
         trialSetWord == other.trialSetWord && power == other.power && falseStart == other.falseStart &&
         falseStartCharged == other.falseStartCharged && extraTimeCount == other.extraTimeCount &&
         std::equal(std::begin(extraTimes), std::end(extraTimes), std::begin(other.extraTimes)) &&
         trace == other.trace;
}
