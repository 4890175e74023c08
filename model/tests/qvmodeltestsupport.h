#pragma once
// Helpers shared by the model tests: a fixture with a settings tree handed to the model, a recorder of the
// messages an event delivers, and a builder of a full document.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/kmessage.h"
#include "foundation/kregistry.h"
#include "foundation/kstring.h"
#include "model/qvchart.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "model/ystart.h"
#include "model/ytime.h"
#include "model/ywind.h"

// A settings tree for the model during one test; the time statics are set up from it.
class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    registry = std::make_unique<KRegistry>();
    QvSettings::SetRoot(registry.get());
    YTime::Setup();
  }
  void TearDown() override {
    QvSettings::SetRoot(nullptr);
    registry.reset();
    KRegistry::UnregisterTypes();
    YTime::Setup();
  }
  void AddSetting(const char16_t* line) {
    ASSERT_NE(KRegistry::AddLine(registry.get(), KString(line)), nullptr);
  }

  std::unique_ptr<KRegistry> registry;
};

inline std::string Narrow(const KString& text) {
  return text.ToUtf8();
}

// Records the codes of the messages delivered to it.
class MessageRecorder : public KMessageObject {
 public:
  int32_t Receive(KMessage& message) override {
    codes.push_back(message.code);
    return 0;
  }
  // The "what" parts of the after-change messages.
  std::vector<uint32_t> Changes() const {
    std::vector<uint32_t> changes;
    for (uint32_t code : codes) {
      if ((code & KMessage::kAfter) != 0) {
        changes.push_back(code & KMessage::kWhatMask);
      }
    }
    return changes;
  }
  std::vector<uint32_t> codes;
};

// A trace of `blocks` blocks from `firstSample` whose samples tell channel, lane and position apart.
inline std::vector<int32_t> TraceSamples(int32_t lane, int32_t channel, int32_t blocks) {
  std::vector<int32_t> samples(static_cast<size_t>(blocks) * QvTrace::kBlockSize);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<int32_t>(i) * (channel == 0 ? 3 : -7) + lane * 100000;
  }
  return samples;
}

// Fills every field of a result for lane `lane`, with a full trace.
inline void FillResult(QvResult& result, int32_t lane) {
  KString laneText;
  laneText.AppendInt(lane);
  result.SetAthleteField0(KString(u"Surname ").Append(laneText));
  result.SetAthleteField1(u"Given");
  result.SetAthleteField2(u"Club");
  result.SetAthleteField3(laneText);
  result.SetAthleteField4(KString(u"ID").Append(laneText));
  result.SetAthleteField5(u"L-55");
  result.SetStatus(lane % 7);
  result.SetReactionTime(90 + lane * 7);
  result.SetTime2(YTime(lane, 800, 800, 2));
  result.SetTime3(-1500 + lane);
  result.SetFinishTime(YTime(10000 + lane, 8, 8, 1));
  result.SetGunTime(YTime(123456789u, 80));
  result.SetTrialSetWord(1540000 + lane);
  YTime extras[QvResult::kExtraTimeCount];
  for (int32_t i = 0; i < QvResult::kExtraTimeCount; ++i) {
    extras[i] = YTime(i * 1000 + lane, 80, 80, i);
  }
  result.SetExtraTimes(extras, QvResult::kExtraTimeCount);
  result.SetPower(1200 + lane);
  result.SetFalseStart(lane == 1);
  result.SetFalseStartCharged(lane == 1);
  result.SetTrace(0, TraceSamples(lane, 0, QvTrace::kMaxBlocks), TraceSamples(lane, 1, QvTrace::kMaxBlocks));
}

// A document with every kind of item and `lanes` full results.
inline void BuildFullEvent(QvEvent& event, int32_t lanes) {
  event.NewFromSchedule(1, 0);
  event.SetTitle(u"100 m Men Final");
  event.SetEventRoundHeat(u"7", u"2", u"3");
  event.SetInfoBlock(KDateTime{});
  KDateTime when;
  when.year = 2026;
  when.month = 8;
  when.dayOfWeek = 3;
  when.day = 19;
  when.hour = 20;
  when.minute = 45;
  when.second = 12;
  when.millisecond = 345;
  event.SetInfoBlock(when);
  event.GetStart(0)->SetName(u"Start 1");
  event.GetStart(0)->AddTime(YTime(int64_t{74712345}, 80, 80, 0));
  event.Wind(0)->Parse(u"-1.25", YWind::kMetresPerSecond);
  event.Wind(0)->SetMode(3, 20000, 10000);
  YLeg* leg = event.Leg(0);
  leg->SetName(u"Leg 1");
  leg->SetParameter1(-500);
  leg->SetParameter2(12000);
  leg->Chart(0)->GetLine(1, true)->SetRange(KPoint(4, 5));
  leg->Results().View(0)->SetRange2(KPoint(1, 2));
  for (int32_t lane = 1; lane <= lanes; ++lane) {
    FillResult(*leg->Results().NewResult(), lane);
  }
  event.View().SetRange1(KPoint(0, 3));
}
