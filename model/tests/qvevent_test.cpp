#include "model/qvevent.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/kmemorystream.h"
#include "foundation/kpersistent.h"
#include "foundation/tests/ktempfolder.h"
#include "model/qveventschedule.h"
#include "model/tests/qvmodeltestsupport.h"
#include "model/ylegimage.h"

namespace {

std::vector<uint8_t> FileBytes(const KString& path) {
  std::ifstream in(path.ToUtf8(), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const KString& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path.ToUtf8(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Answers save dialogs from a list of paths (null: cancel) and counts the questions.
class ScriptedSaveDialog {
 public:
  explicit ScriptedSaveDialog(std::vector<KString> answers) : answers(std::move(answers)) {
    KSetFileDialogHook([this](KFileDialogRequest& request) -> int32_t {
      offered.push_back(request.file->Name());
      const KString answer = asked < this->answers.size() ? this->answers[asked] : KString();
      ++asked;
      if (answer.IsEmpty()) {
        return -1;
      }
      request.file->SetName(answer);
      return 0;
    });
  }
  ~ScriptedSaveDialog() { KSetFileDialogHook(nullptr); }

  std::vector<KString> answers;
  std::vector<KString> offered;
  size_t asked = 0;
};

class FakeSchedule : public QvEventSchedule {
 public:
  FakeSchedule() { Register(this); }
  ~FakeSchedule() override { Register(nullptr); }
  int32_t FillNewEvent(QvEvent& event, int32_t flag, int32_t unused) override {
    (void)flag;
    (void)unused;
    event.SetEventRoundHeat(u"12", u"1", u"4");
    return fillResult;
  }
  bool WriteQXF(QvEvent& event, int32_t flag) override {
    (void)flag;
    written.push_back(&event);
    return writeResult;
  }
  int32_t fillResult = 0;
  bool writeResult = true;
  std::vector<QvEvent*> written;
};

KDateTime At(int32_t hour, int32_t minute, int32_t second, int32_t millisecond) {
  KDateTime when;
  when.year = 2026;
  when.month = 12;
  when.day = 7;
  when.hour = hour;
  when.minute = minute;
  when.second = second;
  when.millisecond = millisecond;
  return when;
}

}  // namespace

using QvEventTest = ModelTest;

TEST(QvEvent, ANewDocumentHasAStartAWindReadingAndALeg) {
  QvEvent event;
  EXPECT_EQ(event.NewFromSchedule(1, 0), 0);
  EXPECT_EQ(event.GetStartCount(), 1);
  EXPECT_EQ(event.GetWindCount(), 1);
  EXPECT_EQ(event.GetLegCount(), 1);
  EXPECT_EQ(event.Leg(0)->Results().Count(), 0);
  EXPECT_EQ(event.Leg(0)->GetEvent(), &event);
  EXPECT_EQ(event.Leg(1), nullptr);
  EXPECT_EQ(event.GetStart(-1), nullptr);
}

TEST(QvEvent, TheRegisteredScheduleFillsANewDocumentAndWritesTheInterfaceFile) {
  FakeSchedule schedule;
  QvEvent event;
  EXPECT_EQ(event.NewFromSchedule(1, 0), 0);
  EXPECT_TRUE(event.HasEventRoundHeat());
  schedule.fillResult = 33002;
  QvEvent failing;
  EXPECT_EQ(failing.NewFromSchedule(1, 0), 33002);
  // No file yet: nothing to hand over.
  EXPECT_EQ(event.MakeCurrent(), 3002);
  EXPECT_TRUE(schedule.written.empty());
}

TEST(QvEvent, UserChangesMarkTheDocumentModifiedButFileReadingDoesNot) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  event.SetModified(false);
  KMessage message;
  KMessageObject::Send(event.Leg(0), KMessageObject::Message(
                                         message, KMessage::kAfter | KMessage::kNotUserEdit | 9, 0, nullptr));
  EXPECT_FALSE(event.IsModified());
  event.Leg(0)->Notify();  // a notification is no change
  EXPECT_FALSE(event.IsModified());
  event.Leg(0)->SetParameter1(250);
  EXPECT_TRUE(event.IsModified());
}

TEST(QvEvent, LegNotificationsReachOnlyTheViewsOfThatLeg) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  event.NewLeg();
  struct Window : QvResultsView::Window {
    void ShowResult(QvResult&) override {}
    void Notify(const KMessage& message) override { codes.push_back(message.code); }
    std::vector<uint32_t> codes;
  } first, second;
  event.Leg(0)->Results().View(0)->SetMode(&first);
  event.Leg(1)->Results().View(0)->SetMode(&second);
  event.Leg(1)->Request41();
  event.Leg(1)->Request42();
  event.Leg(1)->RequestReset();
  EXPECT_TRUE(first.codes.empty());
  EXPECT_EQ(second.codes, (std::vector<uint32_t>{kQvLegCommandA, kQvLegCommandB, kQvLegReset}));
}

TEST(QvEvent, ServeRequestsRedrawsLegsChangedSinceTheirLastRedrawOnce) {
  struct Case {
    const char* name;
    bool changed;
    bool redrawnSince;
    std::vector<uint32_t> served;
  } cases[] = {
      {"unchanged", false, false, {}},
      {"changed", true, false, {kQvLegRedraw}},
      {"changed and redrawn since", true, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvEvent event;
    event.NewFromSchedule(1, 0);
    MessageRecorder recorder;
    event.AddListener(&recorder);
    if (c.changed) {
      event.Leg(0)->Results().NewResult()->SetPower(5);
    }
    if (c.redrawnSince) {
      event.Leg(0)->Notify();
    }
    recorder.codes.clear();
    event.ServeRequests();
    event.ServeRequests();
    EXPECT_EQ(recorder.codes, c.served);
  }
}

namespace {

// The rows' time zone, whatever the machine's: central European time with its daylight-saving rule.
class CentralEuropeanTime {
 public:
  CentralEuropeanTime() { Use("CET-1CEST,M3.5.0,M10.5.0/3"); }
  ~CentralEuropeanTime() { Use(saved ? saved->c_str() : nullptr); }

 private:
  static void Use(const char* zone) {
    zone != nullptr ? setenv("TZ", zone, 1) : unsetenv("TZ");
    tzset();
  }
  const std::optional<std::string> saved =
      getenv("TZ") != nullptr ? std::optional<std::string>(getenv("TZ")) : std::nullopt;
};

std::chrono::system_clock::time_point Utc(int32_t month, int32_t day, int32_t hour, int32_t second,
                                          int32_t millisecond) {
  using namespace std::chrono;
  return sys_days{year{2026} / month / day} + hours{hour} + seconds{second} + milliseconds{millisecond};
}

KDateTime Local(int32_t month, int32_t dayOfWeek, int32_t day, int32_t hour, int32_t minute, int32_t second,
                int32_t millisecond) {
  KDateTime when = At(hour, minute, second, millisecond);
  when.month = month;
  when.dayOfWeek = dayOfWeek;
  when.day = day;
  return when;
}

}  // namespace

TEST(QvEvent, GetRunTimeMakesTheStartTheLocalMomentOfTheGun) {
  const CentralEuropeanTime zone;
  const KDateTime before = Local(12, 1, 7, 10, 0, 30, 0);
  struct Case {
    const char* name;
    int32_t clock;
    int32_t gun;
    std::chrono::system_clock::time_point headerRead;
    KDateTime expected;
  } cases[] = {
      {"30 s before the header", 50000, 20000, Utc(12, 7, 9, 30, 0), Local(12, 1, 7, 10, 0, 0, 0)},
      {"across midnight", 600000, 502000, Utc(12, 6, 23, 30, 0), Local(12, 0, 6, 23, 58, 52, 0)},
      {"across the change to summer time", 3661500, 3600000, Utc(3, 29, 1, 30, 250),
       Local(3, 0, 29, 1, 59, 28, 750)},
      {"extreme words, 2 ms apart backwards", INT32_MAX, INT32_MIN + 1, Utc(12, 7, 9, 30, 0), before},
      {"across the unit's clock wrap", INT32_MIN + 999, INT32_MAX - 1000, Utc(12, 7, 9, 30, 0),
       Local(12, 1, 7, 10, 0, 28, 0)},
      {"no gun time", 50000, YTime::kNoMilliseconds, Utc(12, 7, 9, 30, 0), before},
      {"no clock", YTime::kNoMilliseconds, 20000, Utc(12, 7, 9, 30, 0), before},
      {"negative difference", 100, 200, Utc(12, 7, 9, 30, 0), before},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvEvent event;
    event.SetInfoBlock(before);
    event.GetRunTime(c.clock, c.gun, c.headerRead);
    EXPECT_EQ(event.InfoBlock(), c.expected);
    EXPECT_EQ(event.InfoBlock().dayOfWeek, c.expected.dayOfWeek);
  }
}

TEST(QvEvent, OnlyADateTheFileKeepsIsTaken) {
  struct Case {
    const char* name;
    int32_t KDateTime::*field;
    int32_t value;
    bool taken;
  } cases[] = {
      {"last hour", &KDateTime::hour, 23, true},
      {"hour 24", &KDateTime::hour, 24, false},
      {"huge hour", &KDateTime::hour, INT32_MAX, false},
      {"minute -1", &KDateTime::minute, -1, false},
      {"year 9999", &KDateTime::year, 9999, true},
      {"year 10000", &KDateTime::year, 10000, false},
      {"millisecond 1000", &KDateTime::millisecond, 1000, false},
      {"day of week 7", &KDateTime::dayOfWeek, 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvEvent event;
    event.SetInfoBlock(At(10, 0, 30, 0));
    event.SetModified(false);
    KDateTime when = At(10, 0, 30, 0);
    when.*c.field = c.value;
    EXPECT_EQ(event.SetInfoBlock(when), c.taken);
    EXPECT_EQ(event.InfoBlock(), c.taken ? when : At(10, 0, 30, 0));
    EXPECT_EQ(event.IsModified(), c.taken);
    // Whatever the document holds, it writes a record that reads back.
    KMemoryStream stream;
    event.Write(stream);
    QvEvent read;
    EXPECT_NO_THROW(read.Read(stream));
    EXPECT_TRUE(read.SameContents(event));
  }
}

TEST(QvEvent, OneTrialMovesTheRunTimeOnceWhateverItsClockWords) {
  const CentralEuropeanTime zone;
  QvEvent event;
  event.SetInfoBlock(At(8, 0, 0, 0));
  // Add Reaction Times, then Download Trace of the same trial: the same gun, a later clock each time.
  event.GetRunTime(50000, 20000, Utc(12, 7, 9, 30, 0));
  event.GetRunTime(54000, 20000, Utc(12, 7, 9, 40, 0));
  EXPECT_EQ(event.InfoBlock(), At(10, 0, 0, 0));
  // The next trial has a gun of its own.
  event.GetRunTime(80000, 79000, Utc(12, 7, 9, 50, 0));
  EXPECT_EQ(event.InfoBlock(), At(10, 0, 49, 0));
  // A trial that changed nothing is not remembered, so its gun still counts later.
  event.GetRunTime(1000, 5000, Utc(12, 7, 9, 55, 0));
  event.GetRunTime(9000, 5000, Utc(12, 7, 9, 59, 0));
  EXPECT_EQ(event.InfoBlock(), At(10, 0, 55, 0));
}

TEST_F(QvEventTest, LanesReadWithTrialDataAndNoGunTakeTheGunOfTheTrialLastApplied) {
  constexpr int32_t kNone = YTime::kNoMilliseconds;
  const YTime extra = YTime::FromMilliseconds(101);
  struct Case {
    const char* name;
    std::function<void(QvResult&)> fill;
    int32_t gunRead;  // with a trial applied to the event
  } cases[] = {
      {"a reaction time", [](QvResult& r) { r.SetReactionTime(150); }, 502000},
      {"time 2", [](QvResult& r) { r.SetTime2(292); }, 502000},
      {"the set time", [](QvResult& r) { r.SetTime3(-2000); }, 502000},
      {"an extra time", [&](QvResult& r) { r.SetExtraTimes(&extra, 1); }, 502000},
      {"a power", [](QvResult& r) { r.SetPower(510); }, 502000},
      {"a charged false start", [](QvResult& r) { r.SetFalseStartCharged(true); }, 502000},
      {"a trace",
       [](QvResult& r) { r.SetTrace(0, std::vector<int32_t>(500, 7), std::vector<int32_t>(500, 7)); },
       502000},
      {"texts, a status and power 0",
       [](QvResult& r) {
         r.SetAthleteField0(u"Runner");
         r.SetStatus(QvResult::kDidNotStart);
         r.SetPower(0);
       },
       kNone},
  };
  KTempFolder folder;
  const KString path = folder.File("earlier.qve");
  for (const int32_t lastRunGun : {502000, kNone}) {
    SCOPED_TRACE(lastRunGun);
    // As an earlier build saved it: no lane's gun, the trial applied to the event's time.
    QvEvent saved;
    saved.NewFromSchedule(1, 0);
    for (const Case& c : cases) {
      c.fill(*saved.Leg(0)->Results().NewResult());
    }
    saved.GetRunTime(600000, lastRunGun, std::chrono::system_clock::now());
    KMemoryStream record;
    saved.Write(record);
    WriteFileBytes(path, record.Bytes());
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
    const QvResult* lane = nullptr;
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      lane = opened.Leg(0)->Results().Iterate(lane, nullptr);
      EXPECT_EQ(lane->GetGunTime().ToMilliseconds(), lastRunGun == kNone ? kNone : c.gunRead);
    }
  }
}

TEST(QvEvent, ADocumentOfThisBuildIsWrittenBackAsItWasRead) {
  constexpr int32_t kNone = YTime::kNoMilliseconds;
  const auto now = std::chrono::system_clock::now();
  struct Case {
    const char* name;
    std::function<void(QvEvent&, QvResult&)> run;
  } cases[] = {
      {"a lane's gun stored as none with a count",
       [&](QvEvent& event, QvResult& lane) {
         event.GetRunTime(600000, 502000, now);
         lane.SetTime2(292);
         lane.SetGunTime(YTime(120948124577280, 1, -37376, -1));
       }},
      {"the lanes of a trial without a gun after one with a gun",
       [&](QvEvent& event, QvResult& lane) {
         lane.SetReactionTime(150);
         lane.SetGunTime(YTime::FromMilliseconds(502000));
         event.GetRunTime(600000, 502000, now);
         lane.ClearTrialData();
         lane.SetReactionTime(142);
         event.GetRunTime(700000, kNone, now);
       }},
      {"a lane of a trial without a gun, then a trial with a gun that wrote no lane",
       [&](QvEvent& event, QvResult& lane) {
         lane.SetReactionTime(142);
         lane.SetTrialSetWord(431000);
         event.GetRunTime(600000, 502000, now);
       }},
      {"a lane with a gun beside a lane with a power and none",
       [&](QvEvent& event, QvResult& lane) {
         lane.SetReactionTime(150);
         lane.SetGunTime(YTime::FromMilliseconds(502000));
         event.GetRunTime(600000, 502000, now);
         event.Leg(0)->Results().NewResult()->SetPower(510);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvEvent saved;
    saved.NewFromSchedule(1, 0);
    c.run(saved, *saved.Leg(0)->Results().NewResult());
    KMemoryStream stream;
    saved.Write(stream);
    QvEvent read;
    read.Read(stream);
    KMemoryStream written;
    read.Write(written);
    EXPECT_EQ(written.Bytes(), stream.Bytes());
  }
}

TEST_F(QvEventTest, EventRoundHeatTextPadsWhenTheSettingIsOn) {
  QvEvent event;
  KString text;
  EXPECT_FALSE(event.GetEventRoundHeatText(text));
  event.SetEventRoundHeat(u"7", u"", u"3");
  EXPECT_FALSE(event.HasEventRoundHeat());
  EXPECT_FALSE(event.GetEventRoundHeatText(text));
  EXPECT_TRUE(text.IsEmpty());
  event.SetEventRoundHeat(u"7", u"2", u"3");
  ASSERT_TRUE(event.GetEventRoundHeatText(text));
  EXPECT_EQ(Narrow(text), "7-2-3");
  AddSetting(u"\\Event\\PadEventRoundHeat:Bool=1");
  text.Clear();
  event.GetEventRoundHeatText(text);
  EXPECT_EQ(Narrow(text), "007-2-03");
  event.SetEventRoundHeat(u"1234", u"1", u"A");
  text.Clear();
  event.GetEventRoundHeatText(text);
  EXPECT_EQ(Narrow(text), "1234-1-A");
}

TEST_F(QvEventTest, SavingAskForANameUntilTheDocumentHasOne) {
  KTempFolder folder;
  AddSetting(u"\\Event\\Directory:String=/nowhere/");
  QvEvent event;
  event.NewFromSchedule(1, 0);
  {
    ScriptedSaveDialog dialog({KString()});
    EXPECT_EQ(event.Save(QvEvent::kSaveFile), QvEvent::kCancelled);
    ASSERT_EQ(dialog.offered.size(), 1u);
    EXPECT_EQ(Narrow(dialog.offered[0]), "/nowhere/Event.qve");
    EXPECT_TRUE(event.FileName().IsEmpty());
  }
  const KString path = folder.File("final.qve");
  {
    ScriptedSaveDialog dialog({path});
    EXPECT_EQ(event.Save(QvEvent::kSaveFile), 0);
    EXPECT_EQ(dialog.asked, 1u);
  }
  EXPECT_FALSE(event.IsModified());
  EXPECT_TRUE(event.GetFileName(path));
  EXPECT_EQ(Narrow(QvEvent::GetDirectory()), folder.Path() + "/");
  KString title;
  event.GetFileTitle(title);
  EXPECT_EQ(Narrow(title), "final");
  {
    ScriptedSaveDialog dialog({});
    event.SetTitle(u"changed");
    EXPECT_EQ(event.Save(QvEvent::kSaveFile), 0);
    EXPECT_EQ(dialog.asked, 0u);
    EXPECT_EQ(event.Save(QvEvent::kSaveFile | QvEvent::kAskName), QvEvent::kCancelled);
    EXPECT_EQ(dialog.asked, 1u);
  }
  EXPECT_EQ(event.Save(0), 1000);
}

TEST_F(QvEventTest, AFalseStartCopyIsASnapshotBesideTheDocument) {
  KTempFolder folder;
  QvEvent event;
  event.NewFromSchedule(1, 0);
  const KString path = folder.File("heat.qve");
  {
    ScriptedSaveDialog dialog({path});
    ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
  }
  event.SetTitle(u"after the gun");
  ScriptedSaveDialog dialog({});
  EXPECT_EQ(event.Save(QvEvent::kFalseStartCopy | QvEvent::kSaveFile), 0);
  // The document's own file has not received the changes: it stays the document's file, still modified.
  EXPECT_TRUE(event.GetFileName(path));
  EXPECT_FALSE(event.GetFileName(folder.File("heat-FS1.qve")));
  EXPECT_TRUE(event.IsModified());
  KString title;
  event.GetFileTitle(title);
  EXPECT_EQ(Narrow(title), "heat");
  event.SetTitle(u"second false start");
  EXPECT_EQ(event.Save(QvEvent::kFalseStartCopy), 0);
  EXPECT_TRUE(event.IsModified());
  EXPECT_EQ(Narrow(event.FalseStartCopyName()), folder.Path() + "/heat-FS3.qve");
  event.SetTitle(u"final");
  EXPECT_EQ(event.Save(QvEvent::kSaveFile), 0);
  EXPECT_EQ(dialog.asked, 0u);
  EXPECT_FALSE(event.IsModified());
  EXPECT_TRUE(event.GetFileName(path));
  struct Case {
    const char* file;
    const char* title;
  } cases[] = {
      {"heat.qve", "final"}, {"heat-FS1.qve", "after the gun"}, {"heat-FS2.qve", "second false start"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    QvEvent copy;
    ASSERT_EQ(copy.Open(QvEvent::kOpenFile, folder.File(c.file)), 0);
    EXPECT_EQ(Narrow(copy.GetTitle()), c.title);
  }
}

TEST_F(QvEventTest, AFalseStartCopyNameContinuesOnlyARealCopySeries) {
  KTempFolder folder;
  struct Case {
    const char* file;
    const char* copy;
  } cases[] = {
      {"heat.qve", "heat-FS1.qve"},         {"heat-FS7.qve", "heat-FS1.qve"},
      {"heat-FS12.qve", "heat-FS1.qve"},    {"heat-FS.qve", "heat-FS-FS1.qve"},
      {"heat-fs1.qve", "heat-fs1-FS1.qve"}, {"heatFS1.qve", "heatFS1-FS1.qve"},
      {"FS1.qve", "FS1-FS1.qve"},           {"-FS1.qve", "-FS2.qve"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    QvEvent event;
    ScriptedSaveDialog dialog({folder.File(c.file)});
    ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
    EXPECT_EQ(Narrow(event.FalseStartCopyName()), folder.Path() + "/" + c.copy);
  }
}

TEST_F(QvEventTest, AFailedFalseStartCopyLeavesTheDocumentAsItWas) {
  KTempFolder folder;
  const KString path = folder.File("gone/heat.qve");
  std::filesystem::create_directory(folder.Path() + "/gone");
  QvEvent event;
  {
    ScriptedSaveDialog dialog({path});
    ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
  }
  std::filesystem::remove_all(folder.Path() + "/gone");
  event.SetTitle(u"unsaved");
  EXPECT_NE(event.Save(QvEvent::kFalseStartCopy), 0);
  EXPECT_TRUE(event.GetFileName(path));
  EXPECT_TRUE(event.IsModified());
}

TEST_F(QvEventTest, AFailedSaveReportsItsCodeAndKeepsTheDocumentModified) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  ScriptedSaveDialog dialog({KString(u"/no/such/folder/event.qve")});
  EXPECT_NE(event.Save(QvEvent::kSaveFile), 0);
  EXPECT_TRUE(event.IsModified());
  EXPECT_TRUE(event.FileName().IsEmpty());
}

TEST_F(QvEventTest, MakeCurrentHandsASavedDocumentToTheSchedule) {
  KTempFolder folder;
  FakeSchedule schedule;
  QvEvent event;
  event.NewFromSchedule(1, 0);
  ScriptedSaveDialog dialog({folder.File("a.qve")});
  ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
  EXPECT_EQ(event.MakeCurrent(), 0);
  schedule.writeResult = false;
  EXPECT_EQ(event.MakeCurrent(), 3002);
  EXPECT_EQ(schedule.written.size(), 2u);
}

TEST_F(QvEventTest, ATenLaneDocumentSavesAndOpensToAnEqualDocument) {
  KTempFolder folder;
  QvEvent event;
  BuildFullEvent(event, 10);
  const KString path = folder.File("ten.qve");
  ScriptedSaveDialog dialog({path});
  ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
  EXPECT_TRUE(opened.SameContents(event));
  EXPECT_FALSE(opened.IsModified());
  EXPECT_TRUE(opened.GetFileName(path));
  EXPECT_EQ(opened.Leg(0)->Results().Count(), 10);
  EXPECT_EQ(opened.Leg(0)->Results().GetNth(9, nullptr)->TraceSampleCount(), 5000);
  EXPECT_EQ(opened.Leg(0)->GetEvent(), &opened);
  // The same document written again gives the same bytes.
  KMemoryStream again;
  opened.Write(again);
  EXPECT_EQ(again.Bytes(), FileBytes(path));
}

TEST_F(QvEventTest, WhateverTheSettersTakeSavesAndOpensToAnEqualDocument) {
  KTempFolder folder;
  QvEvent event;
  BuildFullEvent(event, 1);
  QvResult* result = event.Leg(0)->Results().GetNth(0, nullptr);
  const KString longName(std::u16string(300, u'n').c_str());
  result->SetAthleteField0(longName);
  result->SetAthleteField5(KString(std::u16string(70000, u'x').c_str()));
  result->SetTime2(YTime(int64_t{5}, 80, 0, 1));
  result->SetFinishTime(YTime(int64_t{7}, 80, -2, 1));
  event.Wind(0)->SetTime(YTime(int64_t{1}, 1, INT32_MIN, -1));
  const KString path = folder.File("long.qve");
  ScriptedSaveDialog dialog({path});
  ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
  EXPECT_TRUE(opened.SameContents(event));
  const QvResult* read = opened.Leg(0)->Results().GetNth(0, nullptr);
  EXPECT_TRUE(read->GetField0Text() == longName);
  EXPECT_EQ(read->GetTime2().Resolution(), 0);
  EXPECT_FALSE(read->GetTime2().HasResolution());
}

TEST_F(QvEventTest, AChangeInAnyFieldMakesTheDocumentsDiffer) {
  QvEvent a;
  QvEvent b;
  BuildFullEvent(a, 2);
  BuildFullEvent(b, 2);
  ASSERT_TRUE(a.SameContents(b));
  b.Leg(0)->Results().GetNth(1, nullptr)->SetAthleteField5(u"other");
  EXPECT_FALSE(a.SameContents(b));
}

// An image that notes, in the list it is given, the document path its leg's event gives while the image is
// written or read.
class PathRecordingImage : public YLegImage {
 public:
  PathRecordingImage(YLeg& leg, std::vector<KString>& paths) : itsLeg(&leg), paths(&paths) {}
  void OnLegLoaded(YLeg&) override {}
  void Deliver(KMessage&) override {}
  void Write(KStream& stream) const override {
    paths->push_back(Path());
    KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, 9);
  }
  void Read(KStream& stream) override {
    paths->push_back(Path());
    KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, 9, 9);
  }

 private:
  KString Path() const {
    return itsLeg->GetEvent() != nullptr ? itsLeg->GetEvent()->StoragePath() : KString();
  }

  YLeg* itsLeg;
  std::vector<KString>* paths;
};

TEST_F(QvEventTest, PartsOfTheDocumentSeeTheFileBeingSavedOrOpened) {
  KTempFolder folder;
  QvEvent event;
  std::vector<KString> written;
  YLeg* leg = event.NewLeg();
  leg->InsertImage(0, std::make_unique<PathRecordingImage>(*leg, written), -1);
  const KString first = folder.File("first.qve");
  const KString copy = folder.File("copy.qve");
  {
    ScriptedSaveDialog dialog({first, copy});
    ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
    ASSERT_EQ(event.Save(QvEvent::kSaveFile | QvEvent::kAskName), 0);
  }
  EXPECT_EQ(written, (std::vector<KString>{first, copy}));
  EXPECT_TRUE(event.StoragePath() == copy);
  std::vector<KString> read;
  YLeg::SetImageFactory([&read](YLeg& owner) { return new PathRecordingImage(owner, read); });
  QvEvent opened;
  EXPECT_EQ(opened.Open(QvEvent::kOpenAsNew, first), 0);
  YLeg::SetImageFactory(nullptr);
  EXPECT_EQ(read, (std::vector<KString>{first}));
  EXPECT_TRUE(opened.StoragePath().IsEmpty());
}

// An image whose record cannot be written or read: memory runs out, or something else goes wrong.
class FailingImage : public YLegImage {
 public:
  enum Failure { kOutOfMemory, kOtherFailure };
  explicit FailingImage(Failure failure) : failure(failure) {}
  void OnLegLoaded(YLeg&) override {}
  void Deliver(KMessage&) override {}
  void Write(KStream&) const override { Fail(); }
  void Read(KStream&) override { Fail(); }
  void Fail() const {
    if (failure == kOutOfMemory) {
      throw std::bad_alloc();
    }
    throw std::runtime_error("image broke");
  }
  Failure failure;
};

TEST_F(QvEventTest, ASaveEndedByAnyExceptionLeavesTheDocumentsFileAsItWas) {
  struct Case {
    const char* name;
    FailingImage::Failure failure;
    bool returns;
  } cases[] = {{"out of memory", FailingImage::kOutOfMemory, true},
               {"another exception", FailingImage::kOtherFailure, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KTempFolder folder;
    const KString first = folder.File("first.qve");
    const KString second = folder.File("second.qve");
    QvEvent event;
    YLeg* leg = event.NewLeg();
    {
      ScriptedSaveDialog dialog({first});
      ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
    }
    leg->InsertImage(0, std::make_unique<FailingImage>(c.failure), -1);
    ScriptedSaveDialog dialog({second});
    if (c.returns) {
      EXPECT_EQ(event.Save(QvEvent::kSaveFile | QvEvent::kAskName), 2001);
    } else {
      EXPECT_THROW(event.Save(QvEvent::kSaveFile | QvEvent::kAskName), std::runtime_error);
    }
    EXPECT_TRUE(event.GetFileName(first));
    EXPECT_TRUE(event.StoragePath() == first);
    EXPECT_TRUE(event.IsModified());
    EXPECT_FALSE(KFileExists(second));
    QvEvent saved;
    ASSERT_EQ(saved.Open(QvEvent::kOpenFile, first), 0);
    EXPECT_EQ(saved.Leg(0)->CameraCount(), 0);
  }
}

TEST_F(QvEventTest, OpeningThatRunsOutOfMemoryReportsItAndChangesNothing) {
  KTempFolder folder;
  const KString path = folder.File("images.qve");
  QvEvent source;
  std::vector<KString> written;
  YLeg* leg = source.NewLeg();
  leg->InsertImage(0, std::make_unique<PathRecordingImage>(*leg, written), -1);
  {
    ScriptedSaveDialog dialog({path});
    ASSERT_EQ(source.Save(QvEvent::kSaveFile), 0);
  }
  YLeg::SetImageFactory([](YLeg&) { return new FailingImage(FailingImage::kOutOfMemory); });
  QvEvent event;
  event.SetTitle(u"kept");
  const int32_t result = event.Open(QvEvent::kOpenFile, path);
  YLeg::SetImageFactory(nullptr);
  EXPECT_EQ(result, 2001);
  EXPECT_EQ(Narrow(event.GetTitle()), "kept");
  EXPECT_EQ(event.GetLegCount(), 0);
  EXPECT_TRUE(event.FileName().IsEmpty());
}

TEST_F(QvEventTest, TheDocumentsFileIsToldByWhatItsNameLeadsTo) {
  KTempFolder folder;
  QvEvent event;
  EXPECT_FALSE(event.GetFileName(KString()));
  ScriptedSaveDialog dialog({folder.File("heat.qve")});
  ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
  const std::string base = folder.Path() + "/";
  std::filesystem::create_directory(base + "sub");
  std::filesystem::create_symlink(base + "heat.qve", base + "link.qve");
  std::filesystem::create_hard_link(base + "heat.qve", base + "hard.qve");
  WriteFileBytes(folder.File("Heat.qve"), {1, 2, 3});
  const std::string relative = std::filesystem::relative(base + "heat.qve").string();
  struct Case {
    std::string name;
    bool same;
  } cases[] = {
      {base + "heat.qve", true},   {relative, true},
      {base + "./heat.qve", true}, {base + "sub/../heat.qve", true},
      {base + "link.qve", true},   {base + "hard.qve", true},
      {base + "Heat.qve", false},  {base + "HEAT.QVE", false},
      {base + "heat.qvee", false}, {base + "sub", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(event.GetFileName(KString::FromUtf8(c.name)), c.same);
  }
  // A file that is gone is told by its exact name only.
  std::filesystem::remove(base + "heat.qve");
  EXPECT_TRUE(event.GetFileName(folder.File("heat.qve")));
  EXPECT_FALSE(event.GetFileName(folder.File("./heat.qve")));
  EXPECT_FALSE(event.GetFileName(folder.File("hard.qve")));
}

TEST_F(QvEventTest, ModeTwoOpensAsADocumentWithoutAFile) {
  KTempFolder folder;
  QvEvent event;
  BuildFullEvent(event, 1);
  const KString path = folder.File("in.qve");
  {
    ScriptedSaveDialog dialog({path});
    ASSERT_EQ(event.Save(QvEvent::kSaveFile), 0);
  }
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenAsNew | QvEvent::kImagesHeaderOnly, path), 0);
  EXPECT_EQ(opened.OpenMode(), QvEvent::kOpenAsNew | QvEvent::kImagesHeaderOnly);
  EXPECT_TRUE(opened.FileName().IsEmpty());
  ScriptedSaveDialog dialog({folder.File("out.qve")});
  EXPECT_EQ(opened.Save(QvEvent::kSaveFile | QvEvent::kAskName), 0);
  EXPECT_EQ(dialog.asked, 1u);
  EXPECT_EQ(opened.Open(3, path), 1000);
}

TEST_F(QvEventTest, BadFilesAreRefusedAndTheDocumentStaysAsItWas) {
  KTempFolder folder;
  QvEvent source;
  BuildFullEvent(source, 1);
  KMemoryStream stream;
  source.Write(stream);
  const std::vector<uint8_t> good = stream.Bytes();
  // Version and kind, four text records ("100 m Men Final", "7", "2", "3"), the date, the trial pair, and
  // the start list's word: then its count.
  constexpr size_t kStartCountAt = 8 + 4 * 8 + 2 * (15 + 1 + 1 + 1) + 32 + 8 + 4;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    int32_t code;
  } cases[] = {
      {"empty", {}, 3010},
      {"another version",
       [&] {
         auto b = good;
         b[0] = 2;
         return b;
       }(),
       3009},
      {"another family",
       [&] {
         auto b = good;
         b[2] = 1;
         return b;
       }(),
       3009},
      {"unknown kind",
       [&] {
         auto b = good;
         b[4] = 2;
         return b;
       }(),
       3010},
      {"bad minute",
       [&] {
         auto b = good;
         b[kStartCountAt - 4 - 8 - 12] = 60;
         return b;
       }(),
       3010},
      {"cut short", std::vector<uint8_t>(good.begin(), good.end() - 3), 3010},
      {"trailing bytes",
       [&] {
         auto b = good;
         b.push_back(0);
         return b;
       }(),
       3010},
      {"huge start count",
       [&] {
         auto b = good;
         b[kStartCountAt + 3] = 0x7F;
         return b;
       }(),
       3010},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const KString path = folder.File("bad.qve");
    WriteFileBytes(path, c.bytes);
    QvEvent event;
    event.NewFromSchedule(1, 0);
    event.SetTitle(u"kept");
    EXPECT_EQ(event.Open(QvEvent::kOpenFile, path), c.code);
    EXPECT_EQ(Narrow(event.GetTitle()), "kept");
    EXPECT_EQ(event.GetLegCount(), 1);
    EXPECT_TRUE(event.FileName().IsEmpty());
  }
  QvEvent event;
  EXPECT_EQ(event.Open(QvEvent::kOpenFile, folder.File("missing.qve")), 3002);
}

TEST(QvEvent, AFileBuiltByHandFromTheFormatPageOpens) {
  // The example of docs/event-document.md.
  const std::vector<uint8_t> bytes =
      {
          0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,  // version, kind
          0x05, 0x00, 0x01, 0x10, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x01, 0x10, 0x00,
          0x00, 0x00, 0x00,  // texts
          0x05, 0x00, 0x01, 0x10, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x01, 0x10, 0x00,
          0x00, 0x00, 0x00, 0xEA, 0x07, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x01, 0x00,
          0x00, 0x00, 0x07, 0x00, 0x00, 0x00,  // date
          0x09, 0x00, 0x00, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
          0x00, 0x00, 0x00,                                // time
          0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x80,  // no trial
          0x07, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00,  // one start
          0x01, 0x00, 0x02, 0x00, 0x05, 0x00, 0x01, 0x10, 0x01, 0x00, 0x00, 0x00, 0x53,
          0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,  // no wind readings
          0x07, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,                                // no legs
          0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
          0x00, 0x00, 0x00,
      };
  KTempFolder folder;
  const KString path = folder.File("hand.qve");
  WriteFileBytes(path, bytes);
  QvEvent event;
  ASSERT_EQ(event.Open(QvEvent::kOpenFile, path), 0);
  EXPECT_EQ(event.GetKind(), QvEvent::kEvent);
  EXPECT_EQ(event.InfoBlock().year, 2026);
  EXPECT_EQ(event.InfoBlock().month, 12);
  EXPECT_EQ(event.InfoBlock().dayOfWeek, 1);
  EXPECT_EQ(event.InfoBlock().MillisecondOfDay(), (9 * 60 + 30) * 60000);
  ASSERT_EQ(event.GetStartCount(), 1);
  EXPECT_EQ(Narrow(event.GetStart(0)->Name()), "S");
  EXPECT_TRUE(event.GetStart(0)->IsEmpty());
  EXPECT_EQ(event.GetWindCount(), 0);
  EXPECT_EQ(event.GetLegCount(), 0);
  // And the program writes the same bytes for that document.
  KMemoryStream written;
  event.Write(written);
  EXPECT_EQ(written.Bytes(), bytes);
}
