// Trial records and traces from the simulated sensors into results, the stored-trial list, and the text
// and lane-state requests with their bytes.
#include <gtest/gtest.h>

#include <chrono>

#include "devices/tests/culinktestsupport.h"
#include "foundation/kx.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvtrace.h"

TEST_F(CuLinkTest, HeaderOnlyRecordFillsTheTimesButNotTheTrace) {
  Start(EightLanes());
  ASSERT_TRUE(link.DownloadTrials(port, 3, 0, 502000, true, false, 0));
  const std::vector<QvPacket> requests = simulator->Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].destination, 512 + 3);
  EXPECT_EQ(requests[0].command, QvPacket::kTrialRecord);
  EXPECT_EQ(requests[0].words, std::vector<uint32_t>{0});
  EXPECT_TRUE(reporter.lines.empty()) << "a header-only download shows nothing";

  QvResult result;
  result.SetAthleteField3(u"3");
  result.SetTime2(77);
  link.FillResult(result, true);
  EXPECT_EQ(result.GetPower(), 530);
  EXPECT_EQ(result.GetReactionTime().ToMilliseconds(), 95);
  EXPECT_EQ(result.GetTime3().ToMilliseconds(), -2000);
  ASSERT_EQ(result.ExtraTimeCount(), 3);
  EXPECT_EQ(result.ExtraTime(0).ToMilliseconds(), 103);
  EXPECT_EQ(result.ExtraTime(2).ToMilliseconds(), 303);
  EXPECT_EQ(result.GetTime2().ToMilliseconds(), 77) << "time 2 comes only with the trace";
  EXPECT_EQ(result.TraceSampleCount(), 0);
}

TEST_F(CuLinkTest, TraceDownloadsTheWindowOfTheSettings) {
  struct Case {
    const char* what;
    const char16_t* start;
    const char16_t* end;
    int32_t firstSample;
    int32_t endSample;
    size_t blockRequests;  // the line's blocks of 200 samples that hold the window
  } cases[] = {
      {"defaults", nullptr, nullptr, 0, 5000, 25},
      {"inside", u"\\Hardware\\BlockSensor\\StartTimeDL:Float=1.2",
       u"\\Hardware\\BlockSensor\\EndTimeDL:Float=2.6", 1000, 3000, 10},
      {"half seconds across the blocks", u"\\Hardware\\BlockSensor\\StartTimeDL:Float=0.5",
       u"\\Hardware\\BlockSensor\\EndTimeDL:Float=1.5", 500, 1500, 6},
      {"out of order", u"\\Hardware\\BlockSensor\\StartTimeDL:Float=4",
       u"\\Hardware\\BlockSensor\\EndTimeDL:Float=1", 0, 5000, 25},
      {"beyond the trace", u"\\Hardware\\BlockSensor\\StartTimeDL:Float=4.9",
       u"\\Hardware\\BlockSensor\\EndTimeDL:Float=9", 4500, 5000, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.start != nullptr) {
      AddSetting(c.start);
      AddSetting(c.end);
    }
    Start(EightLanes());
    reporter.lines.clear();
    ASSERT_TRUE(link.DownloadTrials(port, 2, 0, 502000, false, false, 1));
    EXPECT_EQ(reporter.lines, std::vector<std::string>{"status: Downloading Lane 2 Retries 1"});
    QvResult result;
    result.SetAthleteField3(u"2");
    link.FillResult(result, false);
    int32_t first = 0;
    int32_t end = QvTrace::kSampleCount;
    result.GetTraceWindow(first, end);
    EXPECT_EQ(first, c.firstSample);
    EXPECT_EQ(end, c.endSample);
    std::vector<double> samples(2 * QvTrace::kSampleCount);
    result.GetTraceSamples(samples.data());
    for (int32_t sample : {first, first + 1, (first + end) / 2, end - 1}) {
      SCOPED_TRACE(sample);
      EXPECT_EQ(samples[sample], CuScenario::TraceSample(2, 0, sample));
      EXPECT_EQ(samples[QvTrace::kSampleCount + sample], CuScenario::TraceSample(2, 1, sample));
    }
    EXPECT_EQ(result.GetTime2().ToMilliseconds(), 292);
    EXPECT_EQ(result.AthleteField3(), KString(u"2"));
    const std::vector<QvPacket> requests = simulator->Requests();
    ASSERT_EQ(requests.size(), 1 + c.blockRequests);
    EXPECT_EQ(requests[1].words[1], static_cast<uint32_t>(c.firstSample / QvPacket::kTraceBlockSamples));
    port.Close();
  }
}

TEST_F(CuLinkTest, TraceDownloadsAtTheRealLineSpeedWithTheDefaultTimeout) {
  // Every reply crosses the line at 19200 baud, as from a real unit; the read time-out stays the default.
  AddSetting(u"\\Hardware\\BlockSensor\\StartTimeDL:Float=3");
  AddSetting(u"\\Hardware\\BlockSensor\\EndTimeDL:Float=3.5");
  CuScenario scenario = EightLanes();
  scenario.paceBaud = 19200;
  Start(scenario);
  ASSERT_EQ(port.Timeout(), KSerialPort::kDefaultTimeoutMs);
  const auto begin = std::chrono::steady_clock::now();
  ASSERT_TRUE(link.DownloadTrials(port, 4, 0, 502000, false, true, 0)) << link.LastError();
  // Requests and replies both cross the line, one after the other: no download beats their wire time.
  const auto wireTime = std::chrono::microseconds((simulator->BytesReceived() + simulator->BytesSent()) * 10 *
                                                  1000000 / scenario.paceBaud);
  EXPECT_GE(std::chrono::steady_clock::now() - begin, wireTime);
  QvResult result;
  link.FillResult(result, false);
  ASSERT_EQ(result.TraceSampleCount(), 500);
  std::vector<double> samples(2 * QvTrace::kSampleCount);
  result.GetTraceSamples(samples.data());
  EXPECT_EQ(samples[3499], CuScenario::TraceSample(4, 0, 3499));
  EXPECT_EQ(simulator->Requests().size(), 1u + 3u) << "blocks 15 to 17 hold samples 3000 to 3499";
}

TEST_F(CuLinkTest, RecordGunFaultsFollowTheAttemptRule) {
  struct Case {
    const char* what;
    int32_t expectedGun;
    bool lastAttempt;
    bool ok;
    size_t reports;
  } cases[] = {
      {"mismatch", 502000, false, false, 0},
      {"mismatch on the last attempt", 502000, true, true, 1},
      {"any trial", 0, false, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reporter.lines.clear();
    CuScenario scenario = EightLanes();
    scenario.faults[1] = CuFault::kGunMismatch;
    Start(scenario);
    EXPECT_EQ(link.DownloadTrials(port, 1, 0, c.expectedGun, true, c.lastAttempt, 0), c.ok);
    EXPECT_EQ(reporter.lines.size(), c.reports);
    port.Close();
  }
}

TEST_F(CuLinkTest, AFailedAttemptKeepsTheLastRecordButAFailedLastAttemptClearsIt) {
  struct Case {
    const char* what;
    bool lastAttempt;
    int32_t recordNumber;
    int32_t reactionTime;
    int32_t power;
    int32_t traceSamples;
    const char16_t* lane;
  } cases[] = {
      {"attempt to be retried", false, 1, 150, 510, 5000, u"1"},
      {"last attempt", true, 0, YTime::kNoMilliseconds, QvResult::kNoPower, 0, u"2"},
  };
  AddSetting(u"\\Serial\\ShortTimeout:Int=200");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CuScenario scenario = EightLanes();
    // lane 1: record and its 25 blocks; lane 2: record, block 0, then block 1 is damaged
    scenario.faults[29] = CuFault::kChecksum;
    Start(scenario);
    ASSERT_TRUE(link.DownloadTrials(port, 1, 0, 502000, false, false, 0));
    EXPECT_FALSE(link.DownloadTrials(port, 2, 0, 502000, false, c.lastAttempt, 0));
    EXPECT_EQ(link.LastError(), kErrSerialChecksum);
    EXPECT_EQ(link.LastRecord().recordNumber, c.recordNumber);
    QvResult result;
    result.SetReactionTime(99);
    result.SetPower(7);
    result.SetAthleteField3(u"2");
    link.FillResult(result, false);
    EXPECT_EQ(result.AthleteField3(), KString(c.lane));
    EXPECT_EQ(result.GetReactionTime().ToMilliseconds(), c.reactionTime);
    EXPECT_EQ(result.GetPower(), c.power);
    EXPECT_EQ(result.TraceSampleCount(), c.traceSamples);
    port.Close();
  }
}

TEST_F(CuLinkTest, TrialListAsksTheLaneSensor) {
  CuScenario scenario = EightLanes();
  scenario.storedTrials = 4;
  Start(scenario);
  int32_t count = -1;
  ASSERT_TRUE(link.GetTrialList(port, 6, count));
  EXPECT_EQ(count, 4);
  EXPECT_EQ(simulator->Requests()[0].destination, 512 + 6);
  EXPECT_EQ(simulator->Requests()[0].command, QvPacket::kTrialCount);
  EXPECT_EQ(reporter.lines, std::vector<std::string>{"status: Reading the stored trials..."});
}

TEST_F(CuLinkTest, TrialListRefusesACountBeyondTheLimit) {
  CuScenario scenario = EightLanes();
  scenario.storedTrials = 1001;
  Start(scenario);
  int32_t count = -1;
  EXPECT_FALSE(link.GetTrialList(port, 1, count));
  EXPECT_EQ(count, -1);
  EXPECT_EQ(link.LastError(), kErrSerialReceive);
}

TEST_F(CuLinkTest, TextIsPackedFourCharactersToAWordAndCutAt62) {
  struct Case {
    KString text;
    std::vector<uint32_t> arguments;
  } cases[] = {
      {KString(u""), {0}},
      {KString(u"100m"), {4, 0x6D303031}},
      {KString(u"Heat 1"), {6, 0x74616548, 0x00003120}},
      {KString(u"A\u00E9\u20AC"), {3, 0x003FE941}},  // Latin-1 kept, the euro sign sent as '?'
  };
  Start(EightLanes());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.ToUtf8());
    ASSERT_TRUE(link.SendText(port, c.text, true));
    const QvPacket request = simulator->Requests().back();
    EXPECT_EQ(request.command, QvPacket::kText);
    EXPECT_EQ(request.destination, QvPacket::kControlUnitAddress);
    EXPECT_EQ(request.words, c.arguments);
  }
  KString longText;
  for (int32_t i = 0; i < 70; ++i) {
    longText.AppendChar(static_cast<char16_t>('a' + i % 26));
  }
  ASSERT_TRUE(link.SendText(port, longText, true));
  const QvPacket request = simulator->Requests().back();
  ASSERT_EQ(request.words.size(), 1u + 16u);
  EXPECT_EQ(request.words[0], 62u);
  EXPECT_EQ(request.words[16], 0x00006A69u) << "characters 61 and 62 ('i', 'j'), then padding";
  EXPECT_TRUE(reporter.lines.empty());
}

TEST_F(CuLinkTest, SendFailuresShowTheNumberedErrorOnlyWhenAsked) {
  AddSetting(u"\\Serial\\ShortTimeout:Int=200");
  CuScenario scenario;
  scenario.faults[1] = CuFault::kDrop;
  scenario.faults[2] = CuFault::kChecksum;
  Start(scenario);
  QvResults results;
  EXPECT_FALSE(link.SendText(port, KString(u"x"), false));
  EXPECT_FALSE(link.SendLaneStates(port, results, nullptr, true));
  EXPECT_EQ(reporter.lines, std::vector<std::string>{"numbered: 5005"});
}

TEST_F(CuLinkTest, LaneStatesSendTwoBitsPerLaneAndLeaveOutImpossibleLanes) {
  struct Lane {
    const char16_t* lane;
    int32_t status;
  } lanes[] = {
      {u"1", QvResult::kValid},        {u"2", QvResult::kLaneNotUsed},
      {u"3", QvResult::kDisqualified}, {u"15", QvResult::kLaneNotUsed},
      {u"16", QvResult::kLaneNotUsed}, {u"0", QvResult::kDidNotStart},
      {u"-3", QvResult::kFalseStart},  {u"x", QvResult::kLaneNotUsed},
      {u"", QvResult::kScratched},     {u"99999999999", QvResult::kDidNotStart},
  };
  QvResults results;
  for (const Lane& lane : lanes) {
    QvResult* result = results.NewResult();
    ASSERT_NE(result, nullptr);
    result->SetAthleteField3(lane.lane);
    result->SetStatus(lane.status);
  }
  const uint32_t expected = 2u << 4 | 1u << 6 | 2u << 30;
  EXPECT_EQ(QvBlockSensors::LaneMask(results, nullptr), expected);
  Start(EightLanes());
  ASSERT_TRUE(link.SendLaneStates(port, results, nullptr, true));
  const QvPacket request = simulator->Requests().back();
  EXPECT_EQ(request.command, QvPacket::kLaneStates);
  EXPECT_EQ(request.words, (std::vector<uint32_t>{1, expected}));
}
