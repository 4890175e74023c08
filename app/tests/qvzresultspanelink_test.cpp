#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/mainstatusbar.h"
#include "app/qvzcontrol.h"
#include "app/tests/resultslinktest.h"
#include "foundation/kfile.h"
#include "foundation/kmemorystream.h"
#include "native/native.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzprogressbar.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzstatusbar.h"
#include "toolkit/kzstatusstring.h"

namespace {

using Requests = std::vector<uint32_t>;
using Times = std::vector<int32_t>;

constexpr int32_t kNone = CuScenario::kNone;
const Times kEightTimes = {150, 142, 95, 88, 88, kNone, -20, 133};

Requests Opening() {
  return {QvPacket::kIdentify, QvPacket::kVersion, QvPacket::kTrialHeader};
}

Requests Plus(Requests requests, uint32_t command, int32_t count) {
  requests.insert(requests.end(), static_cast<size_t>(count), command);
  return requests;
}

constexpr const char16_t* kEndlessText =
    u"Kestrove will now loop infinitely, retrieving data from the block sensor.  Press and hold <CTRL> + "
    u"<SHIFT> to abort";

// A trace window of half a second: the record and 3 blocks of samples a lane.
constexpr const char16_t* kShortTraces = u"\\Hardware\\BlockSensor\\EndTimeDL:Float=0.5";
constexpr int32_t kBlocksPerLane = 3;

TEST_F(ResultsLinkTest, AddReactionTimesFetchesOneHeaderFromVersion15000AndEachLaneBelowIt) {
  struct Case {
    const char* name;
    int32_t version;
    bool versionSilent;
    Requests requests;
  } cases[] = {
      {"version 0x15000", 0x15000, false, Plus(Opening(), QvPacket::kTrialHeader, 1)},
      {"no version answer", 0x15000, true, Plus(Opening(), QvPacket::kTrialHeader, 1)},
      {"version 0x14000", 0x14000, false, Plus(Opening(), QvPacket::kTrialRecord, 8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CuScenario scenario = EightLanes();
    scenario.version = c.version;
    scenario.versionSilent = c.versionSilent;
    StartSimulator(scenario);
    OpenWindow();
    Download(true, false);
    AfterOperation([&] {
      EXPECT_TRUE(answer);
      EXPECT_EQ(Commands(), c.requests);
      EXPECT_EQ(ReactionTimes(), kEightTimes);
      EXPECT_EQ(Lane(3).GetTime3().ToMilliseconds(), 2000);
      // The false-start rule ran: lane 7 is the lowest and charged, lane 4 a false start not charged.
      EXPECT_TRUE(Lane(7).IsFalseStart() && Lane(7).IsFalseStartCharged());
      EXPECT_TRUE(Lane(4).IsFalseStart() && !Lane(4).IsFalseStartCharged());
      EXPECT_TRUE(event->IsModified());
      EXPECT_EQ(settleWaits, Times{1100});
      EXPECT_TRUE(seen.empty());
    });
    RunToEnd();
  }
}

TEST_F(ResultsLinkTest, DownloadTraceWritesTracesAndTimesWhenThereWereNoneAndAsksBeforeOverwriting) {
  struct Case {
    const char* name;
    bool timesBefore;
    bool traceBefore;
    bool add;
    bool traces;
    const char16_t* question;  // null: none
    bool yes;
    bool timesWritten;
    bool tracesWritten;
  } cases[] = {
      {"traces on an empty event", false, false, false, true, nullptr, true, true, true},
      {"both present, both asked", true, true, true, true, u"Existing Results and Traces", false, false,
       false},
      // A trace comes with its trial's record, reaction time included.
      {"traces present, both asked", true, true, false, true, u"Existing Results and Traces", true, true,
       true},
      {"traces present, declined", true, true, false, true, u"Existing Results and Traces", false, false,
       false},
      {"times present, times asked", true, false, true, false, u"Overwrite Existing Results", false, false,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CuScenario scenario = EightLanes();
    scenario.laneCount = 2;
    StartSimulator(scenario);
    OpenWindow();
    Then([&] {
      MakeLanes(2);
      for (int32_t lane = 1; lane <= 2; ++lane) {
        if (c.timesBefore) {
          Lane(lane).SetReactionTime(300);
        }
        if (c.traceBefore) {
          ASSERT_TRUE(Lane(lane).SetTrace(0, std::vector<int32_t>(500, 7), std::vector<int32_t>(500, 7)));
        }
      }
    });
    Download(c.add, c.traces);
    if (c.question != nullptr) {
      AnswerWithClick(c.question, c.yes ? KZDialog::kYesResult : KZDialog::kNoResult);
    }
    AfterOperation([&] {
      EXPECT_TRUE(answer);
      EXPECT_EQ(seen.size(), c.question != nullptr ? 1u : 0u);
      EXPECT_EQ(Lane(2).GetReactionTime().ToMilliseconds(), c.timesWritten  ? 142
                                                            : c.timesBefore ? 300
                                                                            : kNone);
      // The simulator's trace is not the 500 samples put there before.
      EXPECT_EQ(Lane(2).TraceSampleCount() != 0 && Lane(2).TraceSampleCount() != 500, c.tracesWritten);
    });
    RunToEnd();
  }
}

}  // namespace

namespace {

struct Reply {
  const char16_t* title;
  ZafEventType button;
  // The line is lost while the question is open, and the unit comes back on another device.
  bool pluggedInAgain;
};

constexpr Reply kRetry{u"Communication Error", KZDialog::kRetryResult, false};
constexpr Reply kRetryPluggedInAgain{u"Communication Error", KZDialog::kRetryResult, true};
constexpr Reply kIgnore{u"Communication Error", KZDialog::kIgnoreResult, false};
constexpr Reply kAbort{u"Communication Error", KZDialog::kAbortResult, false};
constexpr Reply kErrorOk{u"Error", KZDialog::kOkResult, false};
constexpr Reply kMessageOk{u"Message", KZDialog::kOkResult, false};

const std::u16string kTimeout = u"A timeout error occurred when communicating with Kestrove";
const std::u16string kRefused = u"An answer was refused when communicating with Kestrove";

}  // namespace

TEST_F(ResultsLinkTest, FaultsOfTheUnitAreAskedAboutOrReportedAndTheDownloadGoesOnAsAnswered) {
  struct Case {
    const char* name;
    std::function<void(CuScenario&)> play;
    int32_t retryCount;
    std::vector<Reply> answers;
    std::vector<std::u16string> texts;
    Requests requests;
    Times times;
    // A further settings line, and lines the log must hold.
    const char16_t* setting = nullptr;
    std::vector<const char*> logged = {};
    // The request during which Escape is pressed, 0 for none.
    int32_t breakAt = 0;
    // What the status bar says once the download has ended.
    const char16_t* saidAtEnd = u"";
  } cases[] = {
      {"a dropped probe reply, then Retry",
       [](CuScenario& s) { s.faults[1] = CuFault::kDrop; },
       3,
       {kRetry},
       {kTimeout + u": Control Unit"},
       {QvPacket::kIdentify, QvPacket::kIdentify, QvPacket::kVersion, QvPacket::kTrialHeader,
        QvPacket::kTrialHeader},
       {150, 142, 95, 88, 88, kNone, -20, 133}},
      {"a lane that never answers, then Ignore",
       [](CuScenario& s) {
         s.version = 0x14000;
         s.laneCount = 2;
         s.faults[5] = s.faults[6] = CuFault::kDrop;
       },
       2,
       {kIgnore},
       {kTimeout + u" Lane 2"},
       Plus(Opening(), QvPacket::kTrialRecord, 3),
       {150, kNone}},
      {"the line lost, then Retry on the unit plugged in again",
       [](CuScenario& s) {
         s.version = 0x14000;
         s.laneCount = 2;
         s.faults[5] = CuFault::kDrop;
       },
       1,
       {kRetryPluggedInAgain},
       {kTimeout + u" Lane 2"},
       {QvPacket::kTrialRecord},
       {150, 142}},
      {"a retry count and a read time-out of 0, which cannot work",
       [](CuScenario& s) { s.laneCount = 2; },
       0,
       {},
       {},
       Plus(Opening(), QvPacket::kTrialHeader, 1),
       {150, 142},
       u"\\Serial\\ShortTimeout:Int=0",
       {"\\Event\\Results\\RetryCount is 0, which cannot work: 3 is used instead",
        "\\Serial\\ShortTimeout is 0, which cannot work: 1000 is used instead"}},
      {"a read time-out of almost 25 days, which nothing could end",
       [](CuScenario& s) { s.laneCount = 2; },
       3,
       {},
       {},
       Plus(Opening(), QvPacket::kTrialHeader, 1),
       {150, 142},
       u"\\Serial\\ShortTimeout:Int=2147483647",
       {"\\Serial\\ShortTimeout is 2147483647, which is too long: 30000 is used instead"}},
      {"a header of 16 lanes, then Abort",
       [](CuScenario& s) { s.laneCount = 16; },
       3,
       {kAbort},
       {kRefused + u": Control Unit. The control unit's trial header was refused: it gives 16 lanes, where 0 "
                   u"to 15 are taken"},
       Opening(),
       {},
       nullptr,
       {"The control unit's trial header was refused: it gives 16 lanes, where 0 to 15 are taken"}},
      {"a refused probe reply, then Retry on a unit that stays silent, then Retry",
       [](CuScenario& s) {
         s.faults[1] = CuFault::kRequestNumber;
         s.faults[2] = CuFault::kDrop;
       },
       3,
       {kRetry, kRetry},
       {kRefused + u": Control Unit. The control unit's reply was refused: it answers request 1001, where 1 "
                   u"was sent",
        kTimeout + u": Control Unit"},
       {QvPacket::kIdentify, QvPacket::kIdentify, QvPacket::kIdentify, QvPacket::kVersion,
        QvPacket::kTrialHeader, QvPacket::kTrialHeader},
       {150, 142, 95, 88, 88, kNone, -20, 133}},
      {"a probe reply for another request, then Abort",
       [](CuScenario& s) { s.faults[1] = CuFault::kRequestNumber; },
       3,
       {kAbort},
       {kRefused + u": Control Unit. The control unit's reply was refused: it answers request 1001, where 1 "
                   u"was sent"},
       {QvPacket::kIdentify},
       {},
       nullptr,
       {"The control unit's reply was refused: it answers request 1001, where 1 was sent"}},
      {"the single request fails, then Abort",
       [](CuScenario& s) { s.faults[4] = CuFault::kDrop; },
       1,
       {kAbort},
       {kTimeout + u" Lane 1-8"},
       Plus(Opening(), QvPacket::kTrialHeader, 1),
       {}},
      {"a block sensor answers",
       [](CuScenario& s) { s.deviceWord = 0x10001; },
       3,
       {kErrorOk},
       {u"The Device you are currently communicating with is a Kestrove Block Sensor"},
       {QvPacket::kIdentify},
       {}},
      {"a busy unit",
       [](CuScenario& s) { s.busy = 1; },
       3,
       {kMessageOk},
       {u"The Block Sensor/Control Center is currently busy"},
       Opening(),
       {}},
      {"the gun never matches lane 1",
       [](CuScenario& s) {
         s.version = 0x14000;
         s.laneCount = 2;
         s.faults[4] = s.faults[5] = s.faults[6] = CuFault::kGunMismatch;
       },
       3,
       {kErrorOk},
       {u"The gun time of the trial does not match"},
       Plus(Opening(), QvPacket::kTrialRecord, 4),
       {150, 142}},
      {"the break key during a probe that gets no reply",
       [](CuScenario& s) { s.faults[1] = CuFault::kDrop; },
       3,
       {},
       {},
       {QvPacket::kIdentify},
       {},
       nullptr,
       {},
       1,
       u"Operation aborted by user."},
      {"a lane that never answers, and the break key during its retries",
       [](CuScenario& s) {
         s.version = 0x14000;
         s.laneCount = 3;
         for (int32_t request = 5; request < 30; ++request) {
           s.faults[request] = CuFault::kDrop;
         }
       },
       25,
       {},
       {},
       Plus(Opening(), QvPacket::kTrialRecord, 3),
       {150, kNone},
       u"\\Serial\\ShortTimeout:Int=1000",
       {},
       6,
       u"Operation aborted by user."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CuScenario scenario = EightLanes();
    c.play(scenario);
    std::atomic<native::HWND> frame = nullptr;
    const std::string escapeRequest = "#" + std::to_string(c.breakAt) + " ";
    StartSimulator(scenario, [&frame, escapeRequest](const std::string& request) {
      if (request.rfind(escapeRequest, 0) == 0) {
        native::PostMessage(frame, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
      }
    });
    KString retries(u"\\Event\\Results\\RetryCount:Int=");
    std::vector<std::u16string> settings = {retries.AppendInt(c.retryCount).CStr()};
    if (c.setting != nullptr) {
      settings.push_back(c.setting);
    }
    OpenWindow(settings);
    Then([&] { frame = KZApplication::mainFrame->ScreenID(); });
    Download(true, false);
    for (const Reply& a : c.answers) {
      if (a.pluggedInAgain) {
        When(
            "the question", [] { return FrontMessage() != nullptr; },
            [&] {
              scenario.faults.clear();
              StartSimulator(scenario);
            });
      }
      AnswerWithClick(a.title, a.button);
    }
    AfterOperation([&] {
      EXPECT_TRUE(answer);
      EXPECT_EQ(SeenTexts(), c.texts);
      EXPECT_EQ(Commands(), c.requests);
      EXPECT_EQ(ReactionTimes(), c.times);
      for (const char* line : c.logged) {
        EXPECT_NE(ReadFile("kestrove.log").find(line), std::string::npos) << line;
      }
      const KZStatusBar* bar = MainStatusBar();
      EXPECT_EQ(KString(bar->statusText->Text()).ToUtf8(), KString(c.saidAtEnd).ToUtf8());
      EXPECT_EQ(bar->progress->Progress(), -1);
    });
    RunToEnd();
  }
}

namespace {

// Lanes 1 to 8 of the simulator's trial, and of the lanes before the download: the data of an earlier trial
// or of this one (other values, as a correction leaves them), lane 2 the charged false start.
const Times kPowers = {510, 520, 530, 540, 550, 560, 570, 580};
const Times kTimes2 = {300, 292, 245, 238, 238, kNone, 130, 283};
const Times kTimesBefore = {300, -50, 300, 300, 300, 300, 300, 300};
constexpr int32_t kPowerBefore = 77;
constexpr int32_t kTime2Before = 1000;
constexpr int32_t kSamplesBefore = 1000;

// Field `field` of lanes 1 to 8 in `letters` ("reaction power time-2 trace", 8 letters each): n what this
// trial gave, k what the lane held before, - none.
Times ByLetters(const char* letters, int32_t field, const Times& given, const Times& before, int32_t none) {
  Times values;
  for (size_t lane = 0; lane < 8; ++lane) {
    const char letter = letters[9 * field + lane];
    values.push_back(letter == 'n' ? given[lane] : letter == 'k' ? before[lane] : none);
  }
  return values;
}

enum class Before {
  kEarlierTrial,
  kEarlierTrialsTimes,   // without traces
  kEarlierTrialsTraces,  // without reaction times
  kThisTrial,
  kAddedReactionTimes,
  kDownloadedTraces,
  kEarlierTracesWithoutAGun  // downloaded from a trial without a gun before this one
};

// The overwrite question a download asks, and the answer given.
struct Asked {
  const char16_t* title;
  ZafEventType answer;
};
constexpr const char16_t* kTimesAsked = u"Overwrite Existing Results";
constexpr const char16_t* kTracesAsked = u"Overwrite Existing Traces";
constexpr const char16_t* kBothAsked = u"Existing Results and Traces";
constexpr Asked kNotAsked{nullptr, 0};
constexpr Asked kTimesYes{kTimesAsked, KZDialog::kYesResult};
constexpr Asked kTimesNo{kTimesAsked, KZDialog::kNoResult};
constexpr Asked kTracesYes{kTracesAsked, KZDialog::kYesResult};
constexpr Asked kTracesNo{kTracesAsked, KZDialog::kNoResult};
constexpr Asked kBothYes{kBothAsked, KZDialog::kYesResult};
constexpr Asked kBothNo{kBothAsked, KZDialog::kNoResult};
// Escape instead of a button.
constexpr Asked kTracesEscape{kTracesAsked, 0};
constexpr Asked kBothEscape{kBothAsked, 0};

}  // namespace

TEST_F(ResultsLinkTest, EveryLaneHoldsThisTrialsDataOrNoneHoweverTheDownloadEnds) {
  struct Case {
    const char* name;
    bool traces;
    int32_t version;
    int32_t laneCount;
    Before before;
    int32_t notInUse;  // a lane of status 7, 0 for none
    int32_t breakAt;   // the request during which Escape is pressed
    int32_t dropped;   // the request never answered
    Asked overwrite;
    ZafEventType lost;  // the answer to the time-out question, 0 for none
    const char* lanes;  // see ByLetters
    const char* marks;  // the false starts, then the charged ones
    // The lanes as a build that kept no lane's gun saved them, opened as File > Open opens a file.
    bool reopened = false;
    // The trial has no gun: the download says so once.
    bool gunless = false;
    // Nothing the download did changed a lane: the event is not marked changed.
    bool unchanged = false;
  } cases[] = {
      {"times, new trial, complete", false, 0x15000, 8, Before::kEarlierTrial, 0, 0, 0, kBothYes, 0,
       "nnnnnnnn -------- -------- --------", "3457/7"},
      {"times, same trial, complete", false, 0x15000, 8, Before::kThisTrial, 0, 0, 0, kTimesYes, 0,
       "nnnnnnnn kkkkkkkk kkkkkkkk kkkkkkkk", "3457/7"},
      {"times, same trial, break key after lane 1", false, 0x14000, 8, Before::kThisTrial, 0, 4, 0, kTimesYes,
       0, "nkkkkkkk nkkkkkkk kkkkkkkk kkkkkkkk", "2/2"},
      {"times, new trial, Abort at lane 2", false, 0x14000, 8, Before::kEarlierTrial, 0, 0, 5, kBothYes,
       KZDialog::kAbortResult, "n------- n------- -------- --------", "/"},
      {"times, same trial, Ignore lane 3", false, 0x14000, 8, Before::kThisTrial, 0, 0, 6, kTimesYes,
       KZDialog::kIgnoreResult, "nn-nnnnn nn-nnnnn kk-kkkkk kkkkkkkk", "457/7"},
      // Lane 2 held the charged false start: with no time left it takes no part in the rule.
      {"times, same trial, Ignore lane 2, the false start charged", false, 0x14000, 8, Before::kThisTrial, 0,
       0, 5, kTimesYes, KZDialog::kIgnoreResult, "n-nnnnnn n-nnnnnn k-kkkkkk kkkkkkkk", "3457/7"},
      {"times, new trial, the header given up", false, 0x15000, 8, Before::kEarlierTrial, 0, 0, 4, kBothYes,
       KZDialog::kAbortResult, "kkkkkkkk kkkkkkkk kkkkkkkk kkkkkkkk", "2/2", false, false, true},
      {"times, new trial, Abort at lane 1", false, 0x14000, 8, Before::kEarlierTrial, 0, 0, 4, kBothYes,
       KZDialog::kAbortResult, "kkkkkkkk kkkkkkkk kkkkkkkk kkkkkkkk", "2/2", false, false, true},
      {"times, new trial, overwrite declined", false, 0x15000, 8, Before::kEarlierTrial, 0, 0, 0, kBothNo, 0,
       "kkkkkkkk kkkkkkkk kkkkkkkk kkkkkkkk", "2/2", false, false, true},
      {"traces of a new trial over the times of an earlier one, declined", true, 0x15000, 8,
       Before::kEarlierTrialsTimes, 0, 0, 0, kTimesNo, 0, "kkkkkkkk kkkkkkkk kkkkkkkk --------", "2/2", false,
       false, true},
      {"times of a new trial over the traces of an earlier one, declined", false, 0x15000, 8,
       Before::kEarlierTrialsTraces, 0, 0, 0, kBothNo, 0, "-------- kkkkkkkk kkkkkkkk kkkkkkkk", "/", false,
       false, true},
      {"times, new trial of 4 lanes", false, 0x15000, 4, Before::kEarlierTrial, 0, 0, 0, kBothYes, 0,
       "nnnn---- -------- -------- --------", "34/4"},
      {"traces, new trial, complete, lane 5 not in use", true, 0x15000, 8, Before::kEarlierTrial, 5, 0, 0,
       kBothYes, 0, "nnnn-nnn nnnn-nnn nnnn-nnn nnnn-nnn", "347/7"},
      {"traces, same trial, complete, lane 5 not in use", true, 0x15000, 8, Before::kThisTrial, 5, 0, 0,
       kTracesYes, 0, "nnnnknnn nnnnknnn nnnnknnn nnnnknnn", "347/7"},
      {"traces, new trial, break key after lane 1", true, 0x15000, 8, Before::kEarlierTrial, 0, 4, 0,
       kBothYes, 0, "n------- n------- n------- n-------", "/"},
      // The walk-through: Add Reaction Times, then Download Trace broken off after lane 1.
      {"traces after the times of the same trial, break key after lane 1", true, 0x15000, 8,
       Before::kAddedReactionTimes, 0, 8, 0, kNotAsked, 0, "nnnnnnnn n------- n------- n-------", "3457/7"},
      {"traces, same trial, Abort at lane 2", true, 0x15000, 8, Before::kThisTrial, 0, 0, 8, kTracesYes,
       KZDialog::kAbortResult, "nkkkkkkk nkkkkkkk nkkkkkkk nkkkkkkk", "2/2"},
      {"traces, new trial, Ignore lane 3", true, 0x15000, 8, Before::kEarlierTrial, 0, 0, 12, kBothYes,
       KZDialog::kIgnoreResult, "nn-nnnnn nn-nnnnn nn-nnnnn nn-nnnnn", "457/7"},
      {"traces, same trial, Ignore lane 3", true, 0x15000, 8, Before::kThisTrial, 0, 0, 12, kTracesYes,
       KZDialog::kIgnoreResult, "nnknnnnn nnknnnnn nnknnnnn nnknnnnn", "457/7"},
      {"traces, same trial, overwrite declined", true, 0x15000, 8, Before::kThisTrial, 0, 0, 0, kTracesNo, 0,
       "kkkkkkkk kkkkkkkk kkkkkkkk kkkkkkkk", "2/2", false, false, true},
      {"traces, same trial of 4 lanes", true, 0x15000, 4, Before::kThisTrial, 0, 0, 0, kTracesYes, 0,
       "nnnnkkkk nnnnkkkk nnnnkkkk nnnnkkkk", "34/4"},
      {"traces after the times of the same trial saved without lane guns, break key after lane 1", true,
       0x15000, 8, Before::kAddedReactionTimes, 0, 8, 0, kNotAsked, 0, "nnnnnnnn n------- n------- n-------",
       "3457/7", true},
      {"traces, new trial, earlier lanes saved without lane guns, break key after lane 1", true, 0x15000, 8,
       Before::kEarlierTrial, 0, 4, 0, kBothYes, 0, "n------- n------- n------- n-------", "/", true},
      {"times, new trial, complete, lane 7 not in use", false, 0x15000, 8, Before::kEarlierTrial, 7, 0, 0,
       kBothYes, 0, "nnnnnn-n -------- -------- --------", "345/45"},
      {"times, new trial, lane by lane, lane 7 not in use", false, 0x14000, 8, Before::kEarlierTrial, 7, 0, 0,
       kBothYes, 0, "nnnnnn-n nnnnnn-n -------- --------", "345/45"},
      // A reaction time needs a gun; the trial's power and trace stand without one.
      {"times, a trial without a gun after one, break key after lane 1", false, 0x14000, 8,
       Before::kThisTrial, 0, 4, 0, kBothYes, 0, "-------- n------- -------- --------", "/", false, true},
      {"traces, a trial without a gun, complete", true, 0x15000, 8, Before::kEarlierTrial, 0, 0, 0, kBothYes,
       0, "-------- nnnnnnnn -------- nnnnnnnn", "/", false, true},
      {"times after the traces of the same trial without a gun", false, 0x15000, 8, Before::kDownloadedTraces,
       0, 0, 0, kNotAsked, 0, "-------- nnnnnnnn -------- nnnnnnnn", "/", false, true, true},
      {"traces of the same trial without a gun again, Escape", true, 0x15000, 8, Before::kDownloadedTraces, 0,
       0, 0, kTracesEscape, 0, "-------- nnnnnnnn -------- nnnnnnnn", "/", false, true, true},
      {"traces of a new trial over those of a trial without a gun, Escape", true, 0x15000, 8,
       Before::kEarlierTracesWithoutAGun, 0, 0, 0, kBothEscape, 0, "-------- nnnnnnnn -------- nnnnnnnn", "/",
       false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CuScenario scenario = EightLanes();
    scenario.version = c.version;
    scenario.laneCount = c.laneCount;
    if (c.gunless) {
      scenario.gunWord = kNone;
    }
    if (c.dropped != 0) {
      scenario.faults[c.dropped] = CuFault::kDrop;
    }
    std::atomic<native::HWND> frame = nullptr;
    const std::string escapeRequest = "#" + std::to_string(c.breakAt) + " ";
    const auto pressEscape = [&frame, escapeRequest](const std::string& request) {
      if (request.rfind(escapeRequest, 0) == 0) {
        native::PostMessage(frame, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
      }
    };
    CuScenario earlier = scenario;
    earlier.gunWord = kNone;
    earlier.setWord = 400000;
    StartSimulator(c.before == Before::kEarlierTracesWithoutAGun ? earlier : scenario, pressEscape);
    OpenWindow({u"\\Event\\Results\\RetryCount:Int=1", kShortTraces});
    Then([&] {
      frame = KZApplication::mainFrame->ScreenID();
      MakeLanes(8);
      if (c.notInUse != 0) {
        Lane(c.notInUse).SetStatus(QvResult::kLaneNotUsed);
      }
      if (c.before == Before::kAddedReactionTimes) {
        Pane().Download(true, false);
      } else if (c.before != Before::kDownloadedTraces && c.before != Before::kEarlierTracesWithoutAGun) {
        for (int32_t lane = 1; lane <= 8; ++lane) {
          QvResult& result = Lane(lane);
          if (c.before != Before::kEarlierTrialsTraces) {
            result.SetReactionTime(kTimesBefore[lane - 1]);
          }
          result.SetPower(kPowerBefore);
          result.SetTime2(kTime2Before);
          ASSERT_TRUE(c.before == Before::kEarlierTrialsTimes ||
                      result.SetTrace(0, std::vector<int32_t>(kSamplesBefore, 7),
                                      std::vector<int32_t>(kSamplesBefore, 7)));
          result.SetGunTime(
              YTime::FromMilliseconds(c.before == Before::kThisTrial ? scenario.gunWord : 1000));
        }
        Results().MarkFalseStarts();
      }
      if (c.reopened) {
        // The lanes' trial applied to the event's time only, as such a build left it.
        event->GetRunTime(scenario.clock, Lane(1).GetGunTime().ToMilliseconds(),
                          std::chrono::system_clock::now());
        for (int32_t lane = 1; lane <= 8; ++lane) {
          Lane(lane).SetGunTime(YTime());
        }
        const KString path = KString::FromUtf8(FilePath("earlier.qve"));
        KFile::SaveSafely(path, [&](KStream& stream) { event->Write(stream); });
        ASSERT_NE(Frame()->OpenEventFile(&path), nullptr);
      }
    });
    if (c.before == Before::kDownloadedTraces || c.before == Before::kEarlierTracesWithoutAGun) {
      Download(false, true);
      AnswerWithClick(u"Error", KZDialog::kOkResult);
    }
    if (c.before == Before::kEarlierTracesWithoutAGun) {
      AfterOperation([&] { StartSimulator(scenario, pressEscape); });
    }
    // A reopened row's download runs in the event window of the file opened.
    const auto pane = [&]() -> QvZResultsPane* {
      if (!c.reopened) {
        return &Pane();
      }
      auto* opened = CurrentPane<QvZResultsWindow>(PaneKind::kResults);
      return opened != nullptr ? opened->Pane() : nullptr;
    };
    const auto results = [&]() -> QvResults& {
      return c.reopened ? CurrentEventWindow()->GetEvent()->Leg(0)->Results() : Results();
    };
    When(
        "the operation on the link to end and the results pane",
        [&] { return !LinkBusyClaim::LinkIsBusy() && pane() != nullptr; },
        [&] {
          results().GetEvent()->SetModified(false);
          answer = pane()->Download(!c.traces, c.traces);
        });
    // Once, before anything is asked.
    if (c.gunless) {
      AnswerWithClick(u"Error", KZDialog::kOkResult);
    }
    if (c.overwrite.title != nullptr && c.overwrite.answer == 0) {
      AnswerWithKey(c.overwrite.title, native::VK_ESCAPE);
    } else if (c.overwrite.title != nullptr) {
      AnswerWithClick(c.overwrite.title, c.overwrite.answer);
    }
    if (c.lost != 0) {
      AnswerWithClick(kCommError, c.lost);
    }
    AfterOperation([&] {
      EXPECT_TRUE(answer);
      Times reaction, power, time2;
      std::string trace, falseStarts, charged;
      int32_t lane = 0;
      for (const QvResult* result = results().Iterate(nullptr, nullptr); result != nullptr;
           result = results().Iterate(result, nullptr)) {
        ++lane;
        reaction.push_back(result->GetReactionTime().ToMilliseconds());
        power.push_back(result->GetPower() == QvResult::kNoPower ? 0 : result->GetPower());
        time2.push_back(result->GetTime2().ToMilliseconds());
        const int32_t samples = result->TraceSampleCount();
        trace += samples == 0 ? '-' : samples == kSamplesBefore ? 'k' : 'n';
        falseStarts += result->IsFalseStart() ? std::to_string(lane) : "";
        charged += result->IsFalseStartCharged() ? std::to_string(lane) : "";
      }
      EXPECT_EQ(results().GetEvent()->IsModified(), !c.unchanged);
      if (c.reopened) {
        // The row leaves the document as it is: the exit asks nothing.
        CurrentEventWindow()->GetEvent()->SetModified(false);
      }
      EXPECT_EQ(reaction, ByLetters(c.lanes, 0, kEightTimes, kTimesBefore, kNone));
      EXPECT_EQ(power, ByLetters(c.lanes, 1, kPowers, Times(8, kPowerBefore), 0));
      EXPECT_EQ(time2, ByLetters(c.lanes, 2, kTimes2, Times(8, kTime2Before), kNone));
      EXPECT_EQ(trace, std::string(c.lanes + 27, 8));
      EXPECT_EQ(falseStarts + "/" + charged, c.marks);
    });
    RunToEnd();
  }
}

TEST_F(ResultsLinkTest, ARaceFromAStartListNeverTakesALaneItHasNoAthleteIn) {
  struct Case {
    const char* name;
    // The competitors of race 1-1-1 ("lane,lane..."); null: an event made by File > New.
    const char* race;
    const char16_t* defaultLanes;
    int32_t version;
    int32_t laneCount;
    // The event's lanes in list order after the download, * for one in use.
    const char* lanes;
    // The lanes whose records were asked for.
    const char* recordsAsked;
    int32_t charged;
    const char* logged = nullptr;
    // File > New once the race is placed, which makes the event from it.
    bool newAfterStep = false;
  } cases[] = {
      {"a 10-lane unit over an 8-lane race of 4 athletes", "2,4,5,7", u"8", 0x15000, 10,
       "2* 4* 5* 7* 1 3 6 8", "", 5},
      {"a 12-lane race without lane 9, lane by lane", "1,2,3,4,5,6,7,8,10,11,12", u"8", 0x14000, 12,
       "1* 2* 3* 4* 5* 6* 7* 8* 10* 11* 12*", "1 2 3 4 5 6 7 8 10 11 12", 6},
      {"an 8-lane race without lane 6, 1 default lane", "1,2,3,4,5,7,8", u"1", 0x15000, 8,
       "1* 2* 3* 4* 5* 7* 8*", "", 3},
      {"File > New takes the unit's lanes", nullptr, u"8", 0x15000, 10, "1* 2* 3* 4* 5* 6* 7* 8* 9* 10*", "",
       9},
      {"15 default lanes, a 15-lane unit", nullptr, u"15", 0x15000, 15,
       "1* 2* 3* 4* 5* 6* 7* 8* 9* 10* 11* 12* 13* 14* 15*", "11 12 13 14 15", 15},
      {"16 default lanes, taken as 8", nullptr, u"16", 0x15000, 10, "1* 2* 3* 4* 5* 6* 7* 8* 9* 10*", "", 9,
       "\\Event\\Results\\DefaultLanes is 16, which cannot work: 8 is used instead"},
      {"File > New on the race placed", "2,4,5,7", u"8", 0x15000, 10, "2* 4* 5* 7* 1 3 6 8", "", 5, nullptr,
       true},
  };
  const std::string dataIn = FilePath("datain");
  std::filesystem::create_directories(dataIn);
  Setting(u"\\Database\\File\\DataInDir:String=" + std::u16string(KString::FromUtf8(dataIn + "/").CStr()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string races = "1,1,1,100 m Heat 1\n";
    for (std::string lanes = c.race != nullptr ? c.race : ""; !lanes.empty();) {
      const std::string lane = lanes.substr(0, lanes.find(','));
      races += ",1" + lane + "," + lane + ",Runner" + lane + "\n";
      lanes.erase(0, lane.size() + (lane.size() < lanes.size() ? 1 : 0));
    }
    WriteFile("datain/vesk.sch", "1,1,1\n");
    WriteFile("datain/vesk.evt", races);
    Setting(std::u16string(u"\\Event\\Results\\DefaultLanes:Int=") + c.defaultLanes);
    CuScenario scenario = EightLanes();
    scenario.reactionTimes = {121, 96, 84, 108, 91, 77, 135, 112, 74, 99, 150, 160, 170, 180, 60};
    scenario.version = c.version;
    scenario.laneCount = c.laneCount;
    StartSimulator(scenario);
    OpenWindow();
    Then([&] {
      ASSERT_NE(c.race != nullptr ? Frame()->ScheduleGoto(1, nullptr, 0) : Frame()->NewEvent(), nullptr);
      if (c.newAfterStep) {
        ASSERT_NE(Frame()->NewEvent(), nullptr);
      }
    });
    const auto pane = [] {
      auto* results = CurrentPane<QvZResultsWindow>(PaneKind::kResults);
      return results != nullptr ? results->Pane() : nullptr;
    };
    When(
        "the event window's results pane", [&] { return !LinkBusyClaim::LinkIsBusy() && pane() != nullptr; },
        [&] { answer = pane()->Download(true, false); });
    AfterOperation([&] {
      EXPECT_TRUE(answer);
      QvResults& results = CurrentEventWindow()->GetEvent()->Leg(0)->Results();
      std::string lanes;
      int32_t charged = 0;
      for (const QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
           result = results.Iterate(result, nullptr)) {
        lanes +=
            (lanes.empty() ? "" : " ") + result->AthleteField3().ToUtf8() + (result->IsStatus7() ? "" : "*");
        if (result->IsFalseStartCharged()) {
          result->AthleteField3().ParseInt(charged);
        }
      }
      EXPECT_EQ(lanes, c.lanes);
      EXPECT_EQ(charged, c.charged);
      std::string asked;
      for (const QvPacket& request : simulator->Requests()) {
        if (request.command == QvPacket::kTrialRecord) {
          asked +=
              (asked.empty() ? "" : " ") + std::to_string(request.destination - QvPacket::kSensorBaseAddress);
        }
      }
      EXPECT_EQ(asked, c.recordsAsked);
      if (c.logged != nullptr) {
        EXPECT_NE(ReadFile("kestrove.log").find(c.logged), std::string::npos);
      }
      CurrentEventWindow()->GetEvent()->SetModified(false);
    });
    RunToEnd();
  }
}

TEST_F(ResultsLinkTest, ADownloadThatStopsAtALaneItCannotMakeLeavesTheEventNamingTheTrialItWrote) {
  CuScenario scenario = EightLanes();
  scenario.version = 0x14000;
  scenario.gunWord = kNone;
  StartSimulator(scenario);
  OpenWindow({u"\\Event\\Results\\RetryCount:Int=1"});
  Then([&] {
    // Lane 1 holds the trial the event's time was taken from; the list is full without a lane 2.
    MakeLanes(1);
    Lane(1).SetPower(77);
    Lane(1).SetGunTime(YTime::FromMilliseconds(1000));
    event->GetRunTime(scenario.clock, 1000, std::chrono::system_clock::now());
    while (Results().NewResult() != nullptr) {
    }
  });
  Download(true, false);
  AnswerWithClick(u"Error", KZDialog::kOkResult);
  AnswerWithClick(u"Overwrite Existing Results", KZDialog::kYesResult);
  AfterOperation([&] {
    EXPECT_FALSE(answer);
    // Read back as the saved file would be: lane 1 holds this trial's power, and no earlier trial's gun.
    KMemoryStream stream;
    event->Write(stream);
    QvEvent reopened;
    reopened.Read(stream);
    const QvResult* lane = reopened.Leg(0)->Results().FindByField(QvResult::kLaneField, u"1");
    ASSERT_NE(lane, nullptr);
    EXPECT_EQ(lane->GetPower(), 510);
    EXPECT_EQ(lane->GetGunTime().ToMilliseconds(), kNone);
  });
  RunToEnd();
}

TEST_F(ResultsLinkTest, LanesAbove10InOneRequestComeFromTheirRecordsAndNoLanesChangeNothing) {
  struct Case {
    const char* name;
    int32_t laneCount;
    int32_t dropped;  // the request never answered, 0 for none: its lane is asked about and ignored
    Times times;
    int32_t charged;  // the lane charged with the false start, 0 for none
  } cases[] = {
      {"12 lanes", 12, 0, {150, 142, 95, 88, 88, kNone, -20, 133, 101, 102, 111, -30}, 12},
      {"12 lanes, 12 lost", 12, 6, {150, 142, 95, 88, 88, kNone, -20, 133, 101, 102, 111, kNone}, 7},
      {"no lanes", 0, 0, {300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CuScenario scenario = EightLanes();
    scenario.reactionTimes.insert(scenario.reactionTimes.end(), {101, 102, 111, -30});
    scenario.laneCount = c.laneCount;
    if (c.dropped != 0) {
      scenario.faults[c.dropped] = CuFault::kDrop;
    }
    StartSimulator(scenario);
    OpenWindow({u"\\Event\\Results\\RetryCount:Int=1"});
    Then([&] {
      MakeLanes(12);
      for (int32_t lane = 1; lane <= 12; ++lane) {
        Lane(lane).SetReactionTime(300);
      }
      event->SetModified(false);
    });
    Download(true, false);
    AnswerWithClick(u"Overwrite Existing Results", KZDialog::kYesResult);
    if (c.dropped != 0) {
      AnswerWithClick(kCommError, KZDialog::kIgnoreResult);
    }
    AfterOperation([&] {
      EXPECT_TRUE(answer);
      EXPECT_EQ(ReactionTimes(), c.times);
      EXPECT_EQ(Lane(c.charged > 0 ? c.charged : 1).IsFalseStartCharged(), c.charged > 0);
      if (c.dropped != 0) {
        EXPECT_EQ(seen.back().text, kTimeout + u" Lane 12");
      }
      EXPECT_EQ(event->IsModified(), c.laneCount > 0);
    });
    RunToEnd();
  }
}

TEST_F(ResultsLinkTest, ALaneRecordOfAnotherTrialTakenOnTheLastAttemptKeepsItsGun) {
  CuScenario scenario = EightLanes();
  scenario.laneCount = 2;
  scenario.faults[8] = CuFault::kGunMismatch;  // lane 2's record, after lane 1's record and 3 blocks
  StartSimulator(scenario);
  OpenWindow({u"\\Event\\Results\\RetryCount:Int=1", kShortTraces});
  Then([&] { MakeLanes(2); });
  Download(false, true);
  AnswerWithClick(u"Error", KZDialog::kOkResult);
  AfterOperation([&] {
    EXPECT_EQ(SeenTexts(), std::vector<std::u16string>{u"The gun time of the trial does not match"});
    EXPECT_EQ(Lane(1).GetGunTime().ToMilliseconds(), 502000);
    EXPECT_EQ(Lane(2).GetGunTime().ToMilliseconds(), 502001);
  });
  RunToEnd();
}

TEST_F(ResultsLinkTest, TheEventStartsWhenTheGunOfItsLatestTrialFiredAndATrialThatWroteNoLaneMovesNothing) {
  using Clock = std::chrono::system_clock;
  const auto trial = [](int32_t clock, int32_t gun) {
    CuScenario scenario = EightLanes();
    scenario.clock = clock;
    scenario.gunWord = gun;
    return scenario;
  };
  // The unit's clock read with the header 98 s after the first trial's gun.
  StartSimulator(EightLanes());
  OpenWindow();
  Download(true, false);
  Clock::time_point before;
  Clock::time_point after;
  KDateTime start;
  AfterOperation([&] {
    StartSimulator(trial(750000, 700000));
    before = Clock::now();
    answer = Pane().Download(true, false);
  });
  AnswerWithClick(u"Overwrite Existing Results", KZDialog::kYesResult);
  AfterOperation([&] {
    after = Clock::now();
    start = event->InfoBlock();
    EXPECT_LE(KDateTime::Local(before - std::chrono::seconds(50)), start);
    EXPECT_LE(start, KDateTime::Local(after - std::chrono::seconds(50)));
    StartSimulator(trial(900000, 800000));
    answer = Pane().Download(true, false);
  });
  AnswerWithClick(u"Overwrite Existing Results", KZDialog::kNoResult);
  AfterOperation([&] {
    EXPECT_EQ(event->InfoBlock(), start);
    EXPECT_EQ(simulator->Requests().size(), 3u);
  });
  RunToEnd();
}

TEST_F(ResultsLinkTest, LanesNotInUseGetNoTraceRequest) {
  CuScenario scenario = EightLanes();
  scenario.laneCount = 3;
  StartSimulator(scenario);
  OpenWindow();
  Then([&] {
    MakeLanes(3);
    Lane(2).SetStatus(QvResult::kLaneNotUsed);
  });
  Download(false, true);
  AfterOperation([&] {
    EXPECT_TRUE(answer);
    std::vector<uint16_t> records;
    for (const QvPacket& request : simulator->Requests()) {
      if (request.command == QvPacket::kTrialRecord) {
        records.push_back(request.destination);
      }
    }
    EXPECT_EQ(records, (std::vector<uint16_t>{513, 515}));
    EXPECT_EQ(Lane(2).TraceSampleCount(), 0);
    EXPECT_NE(Lane(3).TraceSampleCount(), 0);
    EXPECT_TRUE(window->AllTraces());
  });
  RunToEnd();
}

// A status bar window's own procedure while a test watches its paints, on the program's thread.
native::WNDPROC statusFieldProcedure = nullptr;
std::function<void()> onStatusFieldPaint;

native::LRESULT WatchedStatusFieldProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                            native::LPARAM lParam) {
  if (message == native::WM_PAINT) {
    onStatusFieldPaint();
  }
  return native::CallWindowProc(statusFieldProcedure, window, message, wParam, lParam);
}

TEST_F(ResultsLinkTest, TheBreakKeyIsSaidAtOnceStopsAtTheNextLaneGapAndTheFalseStartRuleStillRuns) {
  CuScenario scenario = EightLanes();
  scenario.laneCount = 3;
  scenario.reactionTimes[0] = -20;
  // Escape is pressed while lane 1's first trace block, the 5th request, is on the line; the answer to the
  // next block is held until the stop is said (at most 5 s), which the wait for it must do.
  std::atomic<native::HWND> frame = nullptr;
  std::atomic<bool> said = false;
  StartSimulator(scenario, [&frame, &said](const std::string& request) {
    if (request.rfind("#5 ", 0) == 0) {
      native::PostMessage(frame, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
    }
    for (int held = 0; request.rfind("#6 ", 0) == 0 && !said && held < 500; ++held) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  // The held answer must not run out of its time-out first.
  OpenWindow({kShortTraces, u"\\Serial\\ShortTimeout:Int=5000"});
  // How many requests the unit had received when the stop was first painted: a paint between two packets
  // comes after one request's answer and before the next request.
  size_t saidAfterRequests = 0;
  Then([&] {
    MakeLanes(3);
    frame = KZApplication::mainFrame->ScreenID();
    KZStatusString* field = MainStatusBar()->statusText;
    onStatusFieldPaint = [&] {
      if (saidAfterRequests == 0 &&
          KString(field->Text()).ToUtf8() == "The download stops after this lane.") {
        saidAfterRequests = simulator->Requests().size();
        said = true;
      }
    };
    statusFieldProcedure = reinterpret_cast<native::WNDPROC>(
        native::SetWindowLong(field->ScreenID(), native::GWL_WNDPROC,
                              reinterpret_cast<native::LONG_PTR>(&WatchedStatusFieldProcedure)));
    answer = Pane().Download(false, true);
    native::SetWindowLong(field->ScreenID(), native::GWL_WNDPROC,
                          reinterpret_cast<native::LONG_PTR>(statusFieldProcedure));
    onStatusFieldPaint = nullptr;
  });
  AfterOperation([&] {
    // Said after the block's answer came, at the latest while the next block's answer was waited for.
    EXPECT_GE(saidAfterRequests, 5u);
    EXPECT_LE(saidAfterRequests, 6u);
    EXPECT_TRUE(answer);
    EXPECT_EQ(Commands(),
              Plus(Plus(Opening(), QvPacket::kTrialRecord, 1), QvPacket::kTraceBlock, kBlocksPerLane));
    EXPECT_EQ(ReactionTimes(), (Times{-20, kNone, kNone}));
    EXPECT_TRUE(Lane(1).IsFalseStart() && Lane(1).IsFalseStartCharged());
    const KZStatusBar* bar = MainStatusBar();
    EXPECT_EQ(KString(bar->statusText->Text()).ToUtf8(), "Operation aborted by user.");
    EXPECT_EQ(bar->progress->Progress(), -1);
  });
  RunToEnd();
}

// The busy pointer shows while the program talks to the unit, from the probe's wait on: between the lanes
// of a download, after the waits of its exchanges have ended inside it, and while a silent unit is waited
// for outside a download. The pointer is noted at each request the unit receives and at each paint of
// the gauge, which a download draws at its lane gaps.
TEST_F(ResultsLinkTest, TheBusyPointerShowsWhileTheProgramTalksToTheUnit) {
  struct Case {
    const char* name;
    bool download;  // Download Trace of 3 lanes; else the lane states, to a unit that never answers
  } cases[] = {{"between the lanes of a download", true},
               {"a silent unit waited for outside a download", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CuScenario scenario = EightLanes();
    scenario.laneCount = 3;
    if (!c.download) {
      scenario.faults[1] = CuFault::kDrop;
    }
    std::mutex noting;
    std::vector<native::HCURSOR> pointers;
    const auto note = [&] {
      const std::lock_guard hold(noting);
      pointers.push_back(native::GetCursor());
    };
    StartSimulator(scenario, [&](const std::string&) { note(); });
    OpenWindow({kShortTraces, u"\\Event\\Results\\RetryCount:Int=1"});
    Then([&] {
      MakeLanes(3);
      const native::HWND gauge = MainStatusBar()->progress->ScreenID();
      onStatusFieldPaint = note;
      statusFieldProcedure = reinterpret_cast<native::WNDPROC>(native::SetWindowLong(
          gauge, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&WatchedStatusFieldProcedure)));
      answer = c.download ? Pane().Download(false, true) : Pane().SendLaneStates();
      native::SetWindowLong(gauge, native::GWL_WNDPROC,
                            reinterpret_cast<native::LONG_PTR>(statusFieldProcedure));
      onStatusFieldPaint = nullptr;
    });
    if (!c.download) {
      AnswerWithClick(kCommError, KZDialog::kAbortResult);
    }
    AfterOperation([&] {
      const std::lock_guard hold(noting);
      EXPECT_FALSE(pointers.empty());
      EXPECT_EQ(std::count(pointers.begin(), pointers.end(), native::LoadCursor(nullptr, native::IDC_WAIT)),
                static_cast<std::ptrdiff_t>(pointers.size()));
    });
    RunToEnd();
  }
}

TEST_F(ResultsLinkTest, CtrlAndShiftHeldAtTheStartRepeatThePassesUntilHeldAtTheEndOfOne) {
  CuScenario scenario = EightLanes();
  scenario.version = 0x14000;
  scenario.laneCount = 1;
  scenario.faults[5] = CuFault::kDrop;  // lane 1 in the second pass
  StartSimulator(scenario);
  OpenWindow({u"\\Event\\Results\\RetryCount:Int=1"});
  DownloadEndlessly();
  When(
      "the second pass's question", [] { return FrontMessage() != nullptr; },
      [&] {
        NoteFront();
        driver.keyDown(native::VK_CONTROL);
        driver.keyDown(native::VK_SHIFT);
        PressInFront(KZDialog::kRetryResult);
      });
  AfterOperation([&] {
    driver.keyUp(native::VK_CONTROL);
    driver.keyUp(native::VK_SHIFT);
    EXPECT_TRUE(answer);
    EXPECT_EQ(SeenTexts(), (std::vector<std::u16string>{kEndlessText, kTimeout + u" Lane 1"}));
    EXPECT_EQ(Commands(), Plus(Opening(), QvPacket::kTrialRecord, 3));
  });
  RunToEnd();
}

TEST_F(ResultsLinkTest, AnEndlessDownloadOfNoLanesEndsWithTheEndSteps) {
  CuScenario scenario = EightLanes();
  scenario.version = 0x14000;
  scenario.laneCount = 0;
  StartSimulator(scenario);
  OpenWindow();
  DownloadEndlessly();
  AfterOperation([&] {
    EXPECT_TRUE(answer);
    EXPECT_EQ(SeenTexts(), std::vector<std::u16string>{kEndlessText});
    EXPECT_EQ(Commands(), Opening());
    EXPECT_TRUE(event->IsModified());
  });
  RunToEnd();
}

TEST_F(ResultsLinkTest, APortThatCannotBeUsedIsReportedOnADownloadAndOnlyLoggedOnASingleRequest) {
  struct Case {
    const char* name;
    std::u16string port;
    const char16_t* downloadAlert;  // null: none
    const char16_t* singleRequestAlert;
    bool logged;
  } cases[] = {
      {"a path that does not exist", u"78,19200,8,N,1.0", u"Error", nullptr, true},
      {"port 0", u"0,19200,8,N,1.0", u"Message", u"Message", false},
      {"no named port", u"", nullptr, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Each run starts from its own settings and log.
    std::filesystem::remove(FilePath("kestrove.log"));
    std::filesystem::remove(FilePath("kestrove.cfg"));
    setenv("KESTROVE_COM78", "/nonexistent/tty", 1);
    OpenWindow({}, c.port);
    Then([&] { EXPECT_FALSE(Pane().Download(true, false)); });
    if (c.downloadAlert != nullptr) {
      AnswerWithClick(c.downloadAlert, KZDialog::kOkResult);
    }
    AfterOperation([&] { EXPECT_FALSE(Pane().SendLaneStates()); });
    if (c.singleRequestAlert != nullptr) {
      AnswerWithClick(c.singleRequestAlert, KZDialog::kOkResult);
    }
    AfterOperation([&] {
      if (c.singleRequestAlert != nullptr) {
        EXPECT_EQ(SeenTexts(), (std::vector<std::u16string>(2, u"No COM port has been selected")));
      }
    });
    RunToEnd();
    unsetenv("KESTROVE_COM78");
    EXPECT_EQ(ReadFile("kestrove.log").find("The control unit's port did not open") != std::string::npos,
              c.logged);
  }
}

TEST_F(ResultsLinkTest, AStatusChoiceAndTheLegsSensorCommandsSendTheLaneStatesAndTheTitle) {
  StartSimulator(EightLanes());
  OpenWindow();
  Then([&] {
    MakeLanes(3);
    Lane(3).SetStatus(QvResult::kLaneNotUsed);
    Pane().SetCurrentCell({0, 1});
    Pane().Event(ZafEventRecord(static_cast<int32_t>(QvZResultsPane::kFirstStatusCommand + 2), 0));
    event->Leg(0)->Request42();
    KString title;
    for (int32_t i = 0; i < 70; ++i) {
      title.AppendChar(u'a');
    }
    event->SetTitle(title);
    event->Leg(0)->Request41();
  });
  AfterOperation([&] {
    EXPECT_EQ(Lane(2).Status(), QvResult::kFalseStart);
    std::vector<QvPacket> sent;
    for (const QvPacket& request : simulator->Requests()) {
      if (request.command == QvPacket::kLaneStates || request.command == QvPacket::kText) {
        sent.push_back(request);
      }
    }
    ASSERT_EQ(sent.size(), 3u);
    // Lane 2 a false start (1 at bit 4), lane 3 not in use (2 at bit 6).
    for (int i : {0, 1}) {
      EXPECT_EQ(sent[i].command, QvPacket::kLaneStates);
      EXPECT_EQ(sent[i].words, (std::vector<uint32_t>{1, 0x90}));
    }
    EXPECT_EQ(sent[2].command, QvPacket::kText);
    EXPECT_EQ(sent[2].words.at(0), 62u);
    EXPECT_EQ(Commands().size(), 3u * 4u);
    EXPECT_EQ(settleWaits, (Times{1100, 1100, 1100}));
  });
  RunToEnd();
}
