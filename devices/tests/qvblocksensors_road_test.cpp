// The link driven the way the results pane downloads a trial: probe, latest header, then either the
// single request for the reaction times or the lanes one by one with their attempts, writing results.
#include <gtest/gtest.h>

#include "devices/tests/culinktestsupport.h"
#include "foundation/kx.h"
#include "model/qvresult.h"
#include "model/qvresults.h"

namespace {

// What one download asked for and what it met.
struct Download {
  bool addReactionTimes = true;
  bool downloadTraces = false;
  int32_t retryCount = 3;
};

// Plays the pane's download with every failed lane answered Ignore. False when the unit was not a control
// unit, was busy, or a header failed.
bool RunDownload(QvBlockSensors& link, KSerialPort& port, QvResults& results, const Download& download) {
  if (link.GetReplyWord(port) != QvPacket::kControlUnitWord) {
    return false;
  }
  int32_t busy = 0, laneCount = 0, clockWord = 0, offset = 0, gun = 0, version = 0;
  if (!link.GetLastTrial(port, QvPacket::kControlUnitWord, busy, laneCount, clockWord, offset, gun,
                         version) ||
      busy != 0) {
    return false;
  }
  const auto laneResult = [&results](int32_t lane) {
    KString text;
    text.AppendInt(lane);
    QvResult* result = results.FindByField(QvResult::kLaneField, text);
    if (result == nullptr) {
      result = results.NewResult();
      result->SetAthleteField3(text);
    }
    result->SetFalseStart(false);
    result->SetFalseStartCharged(false);
    return result;
  };
  if (download.addReactionTimes && !download.downloadTraces &&
      version >= QvBlockSensors::kTimesInHeaderVersion) {
    QvBlockSensors::HeaderWords header{};
    bool fetched = false;
    for (int32_t attempt = 0; attempt < download.retryCount && !fetched; ++attempt) {
      fetched = link.GetTrialHeader(port, header, gun, attempt + 1 == download.retryCount);
    }
    for (int32_t lane = 1; fetched && lane <= laneCount; ++lane) {
      QvResult* result = laneResult(lane);
      result->SetTime3(offset);
      if (lane <= QvBlockSensors::kHeaderLanes) {
        result->SetReactionTime(header[4 + lane]);
      }
    }
  } else {
    for (int32_t lane = 1; lane <= laneCount; ++lane) {
      QvResult* result = laneResult(lane);
      const bool skipTrace = download.downloadTraces && result->IsStatus7();
      bool fetched = skipTrace;
      for (int32_t attempt = 0; attempt < download.retryCount && !fetched; ++attempt) {
        fetched = link.DownloadTrials(port, lane, 0, gun, !download.downloadTraces,
                                      attempt + 1 == download.retryCount, attempt);
      }
      if (skipTrace) {
        continue;
      }
      if (!fetched) {  // Ignore
        result->SetReactionTime(QvBlockSensors::kNone);
        result->SetTime2(QvBlockSensors::kNone);
        result->SetTime3(QvBlockSensors::kNone);
        result->SetPower(0);
        continue;
      }
      link.FillResult(*result, !download.downloadTraces);
      result->SetTime3(offset);
    }
  }
  results.MarkFalseStarts();
  return true;
}

std::vector<int32_t> ReactionTimes(const QvResults& results) {
  std::vector<int32_t> times;
  for (const QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
       result = results.Iterate(result, nullptr)) {
    times.push_back(result->GetReactionTime().ToMilliseconds());
  }
  return times;
}

constexpr int32_t kNone = QvBlockSensors::kNone;

}  // namespace

TEST_F(CuLinkTest, ReactionTimesFromVersion15000ComeInOneRequest) {
  Start(EightLanes());
  QvResults results;
  ASSERT_TRUE(RunDownload(link, port, results, {}));
  EXPECT_EQ(Commands(), (std::vector<uint32_t>{QvPacket::kIdentify, QvPacket::kVersion,
                                               QvPacket::kTrialHeader, QvPacket::kTrialHeader}));
  EXPECT_EQ(ReactionTimes(results), (std::vector<int32_t>{150, 142, 95, 88, 88, kNone, -20, 133}));
  const QvResult* lane3 = results.FindByField(QvResult::kLaneField, KString(u"3"));
  ASSERT_NE(lane3, nullptr);
  EXPECT_EQ(lane3->GetTime3().ToMilliseconds(), 2000);
  EXPECT_TRUE(lane3->IsFalseStart());
}

TEST_F(CuLinkTest, ReactionTimesBelowVersion15000ComeLaneByLaneHeaderOnly) {
  CuScenario scenario = EightLanes();
  scenario.version = 0x14000;
  Start(scenario);
  QvResults results;
  ASSERT_TRUE(RunDownload(link, port, results, {}));
  const std::vector<QvPacket> requests = simulator->Requests();
  ASSERT_EQ(requests.size(), 3u + 8u);
  for (int32_t lane = 1; lane <= 8; ++lane) {
    SCOPED_TRACE(lane);
    EXPECT_EQ(requests[2 + lane].command, QvPacket::kTrialRecord);
    EXPECT_EQ(requests[2 + lane].destination, 512 + lane);
  }
  EXPECT_EQ(ReactionTimes(results), (std::vector<int32_t>{150, 142, 95, 88, 88, kNone, -20, 133}));
  EXPECT_TRUE(reporter.lines.empty());
}

TEST_F(CuLinkTest, TracesSkipUnusedLanesAndRetryDroppedReplies) {
  AddSetting(u"\\Serial\\ShortTimeout:Int=200");
  AddSetting(u"\\Hardware\\BlockSensor\\StartTimeDL:Float=2.5");
  AddSetting(u"\\Hardware\\BlockSensor\\EndTimeDL:Float=3.5");
  CuScenario scenario = EightLanes();
  scenario.laneCount = 3;
  // identify, version, header, lane 1 record and its 6 blocks (samples 2400 to 3599 hold the window), then
  // lane 3's first record is dropped
  scenario.faults[11] = CuFault::kDrop;
  Start(scenario);
  QvResults results;
  for (int32_t lane = 1; lane <= 3; ++lane) {
    QvResult* result = results.NewResult();
    KString text;
    result->SetAthleteField3(text.AppendInt(lane));
  }
  results.FindByField(QvResult::kLaneField, KString(u"2"))->SetStatus(QvResult::kLaneNotUsed);
  ASSERT_TRUE(RunDownload(link, port, results, {.addReactionTimes = false, .downloadTraces = true}));
  const std::vector<uint32_t> blocks(6, QvPacket::kTraceBlock);
  std::vector<uint32_t> expected = {QvPacket::kIdentify, QvPacket::kVersion, QvPacket::kTrialHeader,
                                    QvPacket::kTrialRecord};
  expected.insert(expected.end(), blocks.begin(), blocks.end());
  expected.insert(expected.end(), {QvPacket::kTrialRecord, QvPacket::kTrialRecord});
  expected.insert(expected.end(), blocks.begin(), blocks.end());
  EXPECT_EQ(Commands(), expected);
  EXPECT_EQ(reporter.lines,
            (std::vector<std::string>{"status: Downloading Lane 1", "status: Downloading Lane 3",
                                      "status: Downloading Lane 3 Retries 1"}));
  int32_t first = 0, end = 0;
  results.FindByField(QvResult::kLaneField, KString(u"3"))->GetTraceWindow(first, end);
  EXPECT_EQ(first, 2500);
  EXPECT_EQ(end, 3500);
  EXPECT_EQ(results.FindByField(QvResult::kLaneField, KString(u"2"))->TraceSampleCount(), 0);
}

TEST_F(CuLinkTest, ALaneWhoseGunNeverMatchesIsReportedOnItsLastAttemptAndKept) {
  CuScenario scenario = EightLanes();
  scenario.version = 0x14000;
  scenario.laneCount = 2;
  for (int32_t request : {4, 5, 6}) {  // every attempt of lane 1
    scenario.faults[request] = CuFault::kGunMismatch;
  }
  Start(scenario);
  QvResults results;
  ASSERT_TRUE(RunDownload(link, port, results, {}));
  EXPECT_EQ(reporter.lines, std::vector<std::string>{"error: The gun time of the trial does not match"});
  EXPECT_EQ(ReactionTimes(results), (std::vector<int32_t>{150, 142}));
  EXPECT_EQ(simulator->Requests().size(), 3u + 3u + 1u);
}

TEST_F(CuLinkTest, ALaneThatNeverAnswersIsClearedByIgnore) {
  AddSetting(u"\\Serial\\ShortTimeout:Int=200");
  CuScenario scenario = EightLanes();
  scenario.version = 0x14000;
  scenario.laneCount = 2;
  for (int32_t request : {5, 6}) {  // lane 2, both attempts
    scenario.faults[request] = CuFault::kDrop;
  }
  Start(scenario);
  QvResults results;
  ASSERT_TRUE(RunDownload(link, port, results, {.retryCount = 2}));
  EXPECT_EQ(ReactionTimes(results), (std::vector<int32_t>{150, kNone}));
  EXPECT_EQ(results.FindByField(QvResult::kLaneField, KString(u"2"))->GetPower(), 0);
}
