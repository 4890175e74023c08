// The block-sensor link against the simulated control unit: the probe, the latest trial header in both
// firmware forms, and the reaction times of the single-request way with their gun checks.
#include <gtest/gtest.h>

#include "devices/tests/culinktestsupport.h"
#include "foundation/kx.h"

namespace {

struct LastTrial {
  bool ok = false;
  int32_t busy = -1, laneCount = -1, clockWord = -1, offset = -1, setWord = -1, gunTimeWord = -1,
          version = -1;
};

LastTrial GetLastTrial(QvBlockSensors& link, KSerialPort& port) {
  LastTrial trial;
  trial.ok = link.GetLastTrial(port, QvPacket::kControlUnitWord, trial.busy, trial.laneCount, trial.clockWord,
                               trial.offset, trial.setWord, trial.gunTimeWord, trial.version);
  return trial;
}

}  // namespace

TEST_F(CuLinkTest, ProbeTellsTheControlUnitFromABlockSensor) {
  struct Case {
    int32_t deviceWord;
    uint16_t answeringAddress;
  } cases[] = {{0x20001, 641}, {0x10001, 513}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deviceWord);
    CuScenario scenario;
    scenario.deviceWord = c.deviceWord;
    Start(scenario);
    EXPECT_EQ(link.GetReplyWord(port), c.deviceWord);
    const std::vector<QvPacket> requests = simulator->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].destination, QvPacket::kAnyDevice);
    EXPECT_EQ(requests[0].source, QvPacket::kProgramAddress);
    EXPECT_TRUE(requests[0].words.empty());
    port.Close();
  }
}

TEST_F(CuLinkTest, LastTrialHeaderHasFiveWordsBelowTheSplitVersionAndFifteenFromIt) {
  struct Case {
    int32_t version;
    bool silent;
    int32_t reportedVersion;
  } cases[] = {{0x14FFF, false, 0x14FFF}, {0x15000, false, 0x15000}, {0x10000, true, 0x15000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    AddSetting(u"\\Serial\\ShortTimeout:Int=150");
    CuScenario scenario = EightLanes();
    scenario.version = c.version;
    scenario.versionSilent = c.silent;
    Start(scenario);
    const LastTrial trial = GetLastTrial(link, port);
    const std::vector<QvPacket> requests = simulator->Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].command, QvPacket::kTrialHeader);
    EXPECT_EQ(requests[1].destination, QvPacket::kControlUnitAddress);
    EXPECT_EQ(requests[1].words, std::vector<uint32_t>{1});
    EXPECT_EQ(trial.version, c.reportedVersion);
    // A silent old unit still answers 5 words, which the assumed version refuses: the header fails.
    EXPECT_EQ(trial.ok, !c.silent);
    if (trial.ok) {
      EXPECT_EQ(trial.busy, 0);
      EXPECT_EQ(trial.laneCount, 8);
      EXPECT_EQ(trial.clockWord, 600000);
      EXPECT_EQ(trial.setWord, 500000);
      EXPECT_EQ(trial.gunTimeWord, 502000);
      EXPECT_EQ(trial.offset, 2000);
    } else {
      EXPECT_EQ(link.LastError(), kErrSerialReceive);
    }
    port.Close();
  }
}

TEST_F(CuLinkTest, LastTrialReportsBusyNoGunAndRefusesAnImpossibleLaneCount) {
  struct Case {
    const char* what;
    int32_t busy;
    int32_t gun;
    int32_t lanes;
    bool ok;
    int32_t offset;
  } cases[] = {
      {"busy", 1, 502000, 8, true, -1},
      {"no gun", 0, CuScenario::kNone, 8, true, QvBlockSensors::kNone},
      {"no lanes", 0, 502000, 0, true, 2000},
      {"fifteen lanes", 0, 502000, 15, true, 2000},
      {"sixteen lanes", 0, 502000, 16, false, -1},
      {"negative lanes", 0, 502000, -1, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CuScenario scenario = EightLanes();
    scenario.busy = c.busy;
    scenario.gunWord = c.gun;
    scenario.laneCount = c.lanes;
    Start(scenario);
    const LastTrial trial = GetLastTrial(link, port);
    EXPECT_EQ(trial.ok, c.ok);
    EXPECT_EQ(trial.busy, c.ok ? c.busy : -1);
    EXPECT_EQ(trial.offset, c.offset);
    if (c.ok && c.busy == 0) {
      EXPECT_EQ(trial.laneCount, c.lanes);
      EXPECT_EQ(trial.gunTimeWord, c.gun);
    }
    port.Close();
  }
}

TEST_F(CuLinkTest, TrialHeaderGivesReactionTimesRelativeToTheGun) {
  Start(EightLanes());
  QvBlockSensors::HeaderWords reply{};
  ASSERT_TRUE(link.GetTrialHeader(port, reply, 502000, false));
  const int32_t none = QvBlockSensors::kNone;
  const int32_t expected[10] = {150, 142, 95, 88, 88, none, -20, 133, none, none};
  for (int32_t lane = 1; lane <= 10; ++lane) {
    SCOPED_TRACE(lane);
    EXPECT_EQ(reply[4 + lane], expected[lane - 1]);
  }
  EXPECT_EQ(reply[4], 502000);
  EXPECT_TRUE(reporter.lines.empty());
}

TEST_F(CuLinkTest, TrialHeaderGunFaultsFailUntilTheLastAttemptWhichReportsThem) {
  struct Case {
    const char* what;
    int32_t gun;
    int32_t expected;
    bool mismatch;
    bool lastAttempt;
    bool ok;
    const char* report;
  } cases[] = {
      {"mismatch", 502000, 502000, true, false, false, nullptr},
      {"mismatch, last attempt", 502000, 502000, true, true, true,
       "error: The gun time of the trial does not match"},
      {"no gun", CuScenario::kNone, 502000, false, false, false, nullptr},
      {"no gun, last attempt", CuScenario::kNone, 502000, false, true, true,
       "error: The trial has no valid gun time"},
      // The download has said once that the trial has no gun.
      {"no gun, as the trial has none", CuScenario::kNone, CuScenario::kNone, false, false, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reporter.lines.clear();
    CuScenario scenario = EightLanes();
    scenario.gunWord = c.gun;
    if (c.mismatch) {
      scenario.faults[1] = CuFault::kGunMismatch;
    }
    Start(scenario);
    QvBlockSensors::HeaderWords reply{};
    EXPECT_EQ(link.GetTrialHeader(port, reply, c.expected, c.lastAttempt), c.ok);
    if (c.report != nullptr) {
      EXPECT_EQ(reporter.lines, std::vector<std::string>{c.report});
    } else {
      EXPECT_TRUE(reporter.lines.empty());
      EXPECT_TRUE(c.ok || link.LastError() == kErrSerialReceive);
    }
    port.Close();
  }
}

TEST_F(CuLinkTest, TrialHeaderWithBadGunTimeCanBeSetFromTheSettings) {
  AddSetting(u"\\Strings\\BlockSensor\\Errors\\BadGunTime:String=Falscher Startschuss");
  CuScenario scenario = EightLanes();
  scenario.faults[1] = CuFault::kGunMismatch;
  Start(scenario);
  QvBlockSensors::HeaderWords reply{};
  EXPECT_TRUE(link.GetTrialHeader(port, reply, 502000, true));
  EXPECT_EQ(reporter.lines, std::vector<std::string>{"error: Falscher Startschuss"});
}

TEST_F(CuLinkTest, FailedLastHeaderAttemptClearsEveryWord) {
  AddSetting(u"\\Serial\\ShortTimeout:Int=200");
  CuScenario scenario = EightLanes();
  scenario.faults[1] = CuFault::kDrop;
  Start(scenario);
  QvBlockSensors::HeaderWords reply;
  reply.fill(7);
  EXPECT_FALSE(link.GetTrialHeader(port, reply, 502000, true));
  for (int32_t word : reply) {
    EXPECT_EQ(word, QvBlockSensors::kNone);
  }
  EXPECT_EQ(link.LastError(), kErrSerialTimeout);
}

TEST_F(CuLinkTest, ABusyTrialHeaderIsAFailedAttemptEvenOnTheLastOne) {
  for (bool lastAttempt : {false, true}) {
    SCOPED_TRACE(lastAttempt);
    reporter.lines.clear();
    CuScenario scenario = EightLanes();
    scenario.busy = 1;
    Start(scenario);
    QvBlockSensors::HeaderWords reply;
    reply.fill(7);
    EXPECT_FALSE(link.GetTrialHeader(port, reply, 502000, lastAttempt));
    EXPECT_EQ(link.LastError(), kErrSerialHandshake);
    for (int32_t word : reply) {
      EXPECT_EQ(word, lastAttempt ? QvBlockSensors::kNone : 7);
    }
    EXPECT_TRUE(reporter.lines.empty()) << "a busy unit is no gun fault";
    port.Close();
  }
}

TEST_F(CuLinkTest, TimesAcrossTheUnitClockWrapKeepTheirMilliseconds) {
  struct Case {
    const char* what;
    int32_t setWord;
    int32_t gunWord;
  } cases[] = {
      {"gun just before the signed wrap", INT32_MAX - 2050, INT32_MAX - 50},
      {"set before the signed wrap, gun after it", INT32_MAX - 999, INT32_MIN + 1000},
      {"gun just before the clock returns to 0", -2050, -50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CuScenario scenario = EightLanes();
    scenario.setWord = c.setWord;
    scenario.gunWord = c.gunWord;
    scenario.reactionTimes = {120, 49, -20};
    Start(scenario);
    const LastTrial trial = GetLastTrial(link, port);
    ASSERT_TRUE(trial.ok);
    EXPECT_EQ(trial.offset, 2000);
    QvBlockSensors::HeaderWords reply{};
    ASSERT_TRUE(link.GetTrialHeader(port, reply, c.gunWord, false));
    EXPECT_EQ(reply[5], 120);
    EXPECT_EQ(reply[6], 49);
    EXPECT_EQ(reply[7], -20);
    EXPECT_EQ(reply[8], QvBlockSensors::kNone);
    port.Close();
  }
}
