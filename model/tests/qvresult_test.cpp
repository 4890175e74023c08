#include "model/qvresult.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "model/tests/qvmodeltestsupport.h"

using QvResultTest = ModelTest;

TEST(QvResult, StatusChangesNotifyOnlyWhenTheStatusChanges) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  MessageRecorder recorder;
  event.AddListener(&recorder);
  QvResult* result = event.Leg(0)->Results().NewResult();
  recorder.codes.clear();
  result->SetStatus(QvResult::kDisqualified);
  result->SetStatus(QvResult::kDisqualified);
  result->SetStatus(8);
  result->SetStatus(-1);
  result->SetStatus(QvResult::kLaneNotUsed);
  EXPECT_EQ(recorder.Changes(), (std::vector<uint32_t>{kQvResultStatus, kQvResultStatus}));
  EXPECT_TRUE(result->IsStatus7());
}

TEST_F(QvResultTest, PlaceTextIsTheStatusText) {
  AddSetting(u"\\Strings\\Event\\Results\\Status\\Scratched:String=Scr.");
  const char* expected[QvResult::kStatusCount] = {
      "Valid", "Did not start", "False start", "Did not finish", "Disqualified", "Scr.", "Advanced", ""};
  QvResult result;
  for (int32_t status = 0; status < QvResult::kStatusCount; ++status) {
    SCOPED_TRACE(status);
    result.SetStatus(status);
    KString text;
    result.GetPlaceText(text, nullptr);
    EXPECT_EQ(Narrow(text), expected[status]);
  }
}

TEST_F(QvResultTest, PowerTextShowsTheNoneTextForBothEmptyCodes) {
  AddSetting(u"\\Strings\\Event\\Results\\Power\\None:String=--");
  struct Case {
    int32_t power;
    const char* text;
  } cases[] = {{0, "--"}, {QvResult::kNoPower, "--"}, {1234, "1234"}, {-5, "-5"}};
  for (const Case& c : cases) {
    QvResult result;
    result.SetPower(c.power);
    KString text;
    result.GetPowerText(text);
    EXPECT_EQ(Narrow(text), c.text);
  }
}

TEST(QvResult, MillisecondSettersTakeNoneAsTheEmptyTime) {
  QvResult result;
  result.SetReactionTime(123);
  EXPECT_EQ(result.GetReactionTime().ToMilliseconds(), 123);
  result.SetReactionTime(YTime::kNoMilliseconds);
  EXPECT_FALSE(result.GetReactionTime().HasResolution());
  result.SetTime3(-1500);
  EXPECT_EQ(result.GetTime3().ToMilliseconds(), -1500);
}

// A lane's data name their trial by its gun, or by its set word when it had no gun.
TEST(QvResult, OfTrialNamesATrialByItsGunElseByItsSetWord) {
  constexpr int32_t kNone = YTime::kNoMilliseconds;
  struct Case {
    const char* name;
    int32_t laneGun;
    int32_t laneSetWord;
    int32_t gun;  // of the trial asked about
    int32_t setWord;
    bool of;
  } cases[] = {
      {"the lane's gun", 502000, kNone, 502000, 431000, true},
      {"another gun", 502000, kNone, 602000, 431000, false},
      {"the set word of a trial without a gun", kNone, 431000, kNone, 431000, true},
      {"a trial with a gun set at the lane's set word", kNone, 431000, 502000, 431000, false},
      {"a lane holding a gun, asked by its set word", 502000, 431000, kNone, 431000, false},
      {"no trial data, a trial with neither", kNone, kNone, kNone, kNone, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvResult lane;
    lane.SetGunTime(YTime::FromMilliseconds(c.laneGun));
    lane.SetTrialSetWord(c.laneSetWord);
    EXPECT_EQ(lane.OfTrial(YTime::FromMilliseconds(c.gun), c.setWord), c.of);
  }
}

TEST(QvResult, ExtraTimesKeepAtMostNine) {
  YTime times[12];
  for (int32_t i = 0; i < 12; ++i) {
    times[i] = YTime::FromMilliseconds(i);
  }
  QvResult result;
  result.SetExtraTimes(times, 12);
  EXPECT_EQ(result.ExtraTimeCount(), 9);
  EXPECT_EQ(result.ExtraTime(8).ToMilliseconds(), 8);
  EXPECT_FALSE(result.ExtraTime(9).HasResolution());
  result.SetExtraTimes(times, 2);
  EXPECT_EQ(result.ExtraTimeCount(), 2);
  EXPECT_FALSE(result.ExtraTime(2).HasResolution());
  EXPECT_FALSE(result.ExtraTime(-1).HasResolution());
}

TEST(QvResult, SelectionIsPerImageAndView) {
  QvResult result;
  QvResults results;
  const QvResultFilter* view = results.View(0);
  KListItem image;
  result.SetSelected(true, &image, view);
  EXPECT_TRUE(result.IsSelected(&image, view));
  EXPECT_FALSE(result.IsSelected(nullptr, view));
  EXPECT_FALSE(result.IsSelected(&image, nullptr));
  result.SetSelected(false, &image, view);
  EXPECT_FALSE(result.IsSelected(&image, view));
}

TEST(QvResult, TraceWindowMustBeWholeBlocksInsideTheRange) {
  struct Case {
    const char* name;
    int32_t first;
    int32_t blocks1;
    int32_t blocks2;
    bool taken;
  } cases[] = {
      {"full", 0, 10, 10, true},
      {"from the gun", 3000, 4, 4, true},
      {"last block", 4500, 1, 1, true},
      {"past the end", 4500, 2, 2, false},
      {"not on a block", 250, 1, 1, false},
      {"negative", -500, 1, 1, false},
      {"channels differ", 0, 2, 3, false},
      {"empty", 0, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvResult result;
    EXPECT_EQ(result.SetTrace(c.first, TraceSamples(1, 0, c.blocks1), TraceSamples(1, 1, c.blocks2)),
              c.taken);
    EXPECT_EQ(result.TraceSampleCount(), c.taken ? c.blocks1 * QvTrace::kBlockSize : 0);
  }
  QvResult partial;
  ASSERT_TRUE(partial.SetTrace(0, TraceSamples(1, 0, 1), TraceSamples(1, 1, 1)));
  EXPECT_FALSE(partial.SetTrace(0, TraceSamples(1, 0, 1), TraceSamples(1, 1, 2)));
  EXPECT_EQ(partial.TraceSampleCount(), QvTrace::kBlockSize);
}

TEST(QvResult, TraceSamplesAreZeroOutsideTheStoredWindow) {
  QvResult result;
  ASSERT_TRUE(result.SetTrace(2500, TraceSamples(2, 0, 2), TraceSamples(2, 1, 2)));
  std::vector<double> buffer(2 * QvTrace::kSampleCount, -1.0);
  result.GetTraceSamples(buffer.data());
  const std::vector<int32_t> first = TraceSamples(2, 0, 2);
  const std::vector<int32_t> second = TraceSamples(2, 1, 2);
  for (int32_t i = 0; i < QvTrace::kSampleCount; ++i) {
    const bool inside = i >= 2500 && i < 3500;
    ASSERT_EQ(buffer[i], inside ? first[i - 2500] : 0.0) << i;
    ASSERT_EQ(buffer[QvTrace::kSampleCount + i], inside ? second[i - 2500] : 0.0) << i;
  }
  int32_t begin = 0;
  int32_t end = QvTrace::kSampleCount;
  result.GetTraceWindow(begin, end);
  EXPECT_EQ(begin, 2500);
  EXPECT_EQ(end, 3500);

  QvResult none;
  begin = 0;
  end = QvTrace::kSampleCount;
  none.GetTraceWindow(begin, end);
  EXPECT_EQ(begin, 0);
  EXPECT_EQ(end, QvTrace::kSampleCount);
  none.GetTraceSamples(buffer.data());
  EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0.0), 2 * QvTrace::kSampleCount);
}

namespace {

// Where the status lies in the stored record of a result (see docs/event-document.md).
size_t StatusOffset(const QvResult& result) {
  size_t offset = 4;
  for (int32_t field = 0; field < QvResult::kFieldCount; ++field) {
    offset += 8 + 2 * static_cast<size_t>(result.AthleteField(field).Length());
  }
  return offset;
}

}  // namespace

TEST(QvResult, StoredRecordRoundTripsEveryField) {
  QvResult result;
  FillResult(result, 4);
  KMemoryStream stream;
  result.Write(stream);
  QvResult read;
  read.Read(stream);
  EXPECT_TRUE(read.SameContents(result));
  EXPECT_EQ(stream.Remaining(), 0);

  // A lane without a set word (the lane of a trial with a gun) is stored in version 1, without the field,
  // as builds before it stored every lane; a version-2 record naming no set word is refused.
  result.SetTrialSetWord(YTime::kNoMilliseconds);
  KMemoryStream former;
  result.Write(former);
  std::vector<uint8_t> bytes = former.Bytes();
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes.size() + 4, stream.Bytes().size());
  QvResult readFormer;
  readFormer.Read(former);
  EXPECT_TRUE(readFormer.SameContents(result));
  EXPECT_EQ(former.Remaining(), 0);
  bytes[0] = 2;
  const size_t setWordAt = StatusOffset(result) + 4 + 5 * 16;
  const uint8_t none[] = {0, 0, 0, 0x80};
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(setWordAt), std::begin(none), std::end(none));
  KMemoryStream naming(bytes);
  EXPECT_THROW(readFormer.Read(naming), KX);
}

TEST(QvResult, DamagedRecordsAreRefusedAndChangeNothing) {
  QvResult source;
  FillResult(source, 2);
  source.SetTrace(500, TraceSamples(2, 0, 1), TraceSamples(2, 1, 1));
  KMemoryStream stream;
  source.Write(stream);
  const std::vector<uint8_t> good = stream.Bytes();
  const size_t statusAt = StatusOffset(source);
  // After the status, five times, the trial set word and the power.
  const size_t flagsAt = statusAt + 4 + 5 * 16 + 4 + 4;
  const size_t extraCountAt = flagsAt + 4;
  const size_t traceAt = extraCountAt + 4 + 9 * 16;
  struct Case {
    const char* name;
    size_t at;
    uint8_t value;
    int32_t code;
  } cases[] = {
      {"version", 0, 3, 3009},
      {"status", statusAt, 8, 3010},
      {"flags", flagsAt, 4, 3010},
      {"extra count", extraCountAt, 10, 3010},
      {"trace start", traceAt, 10, 3010},
      {"trace longer than the file", traceAt + 4, 9, 3010},
      {"trace blocks", traceAt + 4, 11, 3010},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = good;
    bytes[c.at] = c.value;
    KMemoryStream bad(bytes);
    QvResult target;
    FillResult(target, 9);
    try {
      target.Read(bad);
      FAIL() << "accepted";
    } catch (const KX& failure) {
      EXPECT_EQ(failure.Code(), c.code);
    }
    QvResult expected;
    FillResult(expected, 9);
    EXPECT_TRUE(target.SameContents(expected));
  }
  std::vector<uint8_t> truncated(good.begin(), good.end() - 1);
  KMemoryStream shortStream(truncated);
  QvResult target;
  EXPECT_THROW(target.Read(shortStream), KX);
}
