#include "model/qvresults.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/tests/qvmodeltestsupport.h"

namespace {

// A list whose results carry the given lane texts, in that order.
void AddLanes(QvResults& results, std::vector<const char16_t*> lanes) {
  for (const char16_t* lane : lanes) {
    results.NewResult()->SetAthleteField3(lane);
  }
}

std::vector<std::string> LanesInOrder(const QvResults& results, const QvResultFilter* filter, int32_t key) {
  std::vector<std::string> lanes;
  for (QvResult* result = results.Iterate(nullptr, filter, 0, key); result != nullptr;
       result = results.Iterate(result, filter, 0, key)) {
    lanes.push_back(Narrow(result->AthleteField3()));
  }
  return lanes;
}

class RecordingWindow : public QvResultsView::Window {
 public:
  void ShowResult(QvResult& result) override { shown.push_back(&result); }
  void Notify(const KMessage& message) override { codes.push_back(message.code & KMessage::kWhatMask); }
  std::vector<QvResult*> shown;
  std::vector<uint32_t> codes;
};

}  // namespace

TEST(QvResults, OrdersByTheSortKeyWithListOrderBreakingTies) {
  QvResults results;
  AddLanes(results, {u"3", u"x", u"1", u"10", u"2", u"1"});
  const QvResultFilter* view = results.View(0);
  EXPECT_EQ(LanesInOrder(results, nullptr, QvResultFilter::kOwnOrder),
            (std::vector<std::string>{"3", "x", "1", "10", "2", "1"}));
  EXPECT_EQ(LanesInOrder(results, view, QvResultFilter::kOwnOrder),
            (std::vector<std::string>{"1", "1", "2", "3", "10", "x"}));
  EXPECT_EQ(results.GetNth(5, view, 0, QvResultFilter::kByLane)->AthleteField3(), KString(u"x"));
  EXPECT_EQ(results.GetNth(6, view), nullptr);
  EXPECT_EQ(results.GetNth(-1, view), nullptr);
  EXPECT_EQ(results.IterateSorted(results.GetNth(0, nullptr), view), 3);  // lane 3 is fourth by lane
  QvResult stranger;
  EXPECT_EQ(results.IterateSorted(&stranger, view), -1);
  EXPECT_EQ(results.Iterate(&stranger, view), nullptr);
}

TEST(QvResults, OrdersByReactionAndMainTimeWithMissingTimesLast) {
  QvResults results;
  AddLanes(results, {u"1", u"2", u"3"});
  results.GetNth(0, nullptr)->SetReactionTime(150);
  results.GetNth(2, nullptr)->SetReactionTime(-20);
  results.GetNth(1, nullptr)->SetFinishTime(YTime::FromMilliseconds(10100));
  results.GetNth(2, nullptr)->SetFinishTime(YTime::FromMilliseconds(9990));
  EXPECT_EQ(LanesInOrder(results, results.View(0), QvResultFilter::kByReactionTime),
            (std::vector<std::string>{"3", "1", "2"}));
  EXPECT_EQ(LanesInOrder(results, results.View(0), QvResultFilter::kByMainTime),
            (std::vector<std::string>{"3", "2", "1"}));
  EXPECT_EQ(results.NextInOrder(nullptr, QvResultFilter::kByMainTime), results.GetNth(2, nullptr));
  EXPECT_FALSE(results.IsSorted());
  results.GetNth(2, nullptr)->SetFinishTime(YTime::FromMilliseconds(10200));
  EXPECT_TRUE(results.IsSorted());
}

TEST(QvResults, PreviousWalksTheListBackwards) {
  QvResults results;
  AddLanes(results, {u"1", u"2"});
  EXPECT_EQ(results.Previous(nullptr), results.GetNth(1, nullptr));
  EXPECT_EQ(results.Previous(results.GetNth(1, nullptr)), results.GetNth(0, nullptr));
  EXPECT_EQ(results.Previous(results.GetNth(0, nullptr)), nullptr);
}

TEST(QvResults, FindByFieldFindsTheFirstEqualText) {
  QvResults results;
  AddLanes(results, {u"4", u"5", u"4"});
  EXPECT_EQ(results.FindByField(QvResult::kLaneField, u"4"), results.GetNth(0, nullptr));
  EXPECT_EQ(results.FindByField(QvResult::kLaneField, u"6"), nullptr);
  EXPECT_EQ(results.FindByField(9, u""), results.GetNth(0, nullptr));  // unknown fields read empty
}

TEST(QvResults, NewResultStopsAtTheLimit) {
  QvResults results;
  for (int32_t i = 0; i < QvResults::kMaxResults; ++i) {
    ASSERT_NE(results.NewResult(), nullptr);
  }
  EXPECT_EQ(results.NewResult(), nullptr);
  EXPECT_EQ(results.Count(), QvResults::kMaxResults);
}

TEST(QvResults, FindsResultsAroundATime) {
  QvResults results;
  AddLanes(results, {u"1", u"2", u"3"});
  results.GetNth(0, nullptr)->SetFinishTime(YTime::FromMilliseconds(10000));
  results.GetNth(1, nullptr)->SetFinishTime(YTime::FromMilliseconds(10005));
  EXPECT_EQ(results.FindAroundTime(YTime::FromMilliseconds(10004)), results.GetNth(1, nullptr));
  EXPECT_EQ(results.FindAroundTime(YTime::FromMilliseconds(0)), results.GetNth(0, nullptr));
  EXPECT_TRUE(results.IsTimeClose(results.GetNth(0, nullptr), YTime::FromMilliseconds(10000)));
  EXPECT_FALSE(results.IsTimeClose(results.GetNth(1, nullptr), YTime::FromMilliseconds(10015)));
  QvResults empty;
  EXPECT_EQ(empty.FindAroundTime(YTime::FromMilliseconds(1)), nullptr);
}

TEST(QvResults, SelectionWalksTheSelectedResults) {
  QvResults results;
  AddLanes(results, {u"1", u"2", u"3"});
  const QvResultFilter* view = results.View(0);
  results.GetNth(1, nullptr)->SetSelected(true, nullptr, view);
  EXPECT_EQ(results.FindNextMatching(nullptr, nullptr, view), results.GetNth(1, nullptr));
  EXPECT_EQ(results.FindNextMatching(results.GetNth(1, nullptr), nullptr, view), nullptr);
  results.SelectAll(true, nullptr, view);
  EXPECT_EQ(results.FindNextMatching(results.GetNth(1, nullptr), nullptr, view), results.GetNth(2, nullptr));
  results.SelectAll(false, nullptr, view);
  EXPECT_EQ(results.FindNextMatching(nullptr, nullptr, view), nullptr);
}

TEST(QvResults, ChangesMoveTheCounterAndReachTheViewsWindows) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  QvResults& results = event.Leg(0)->Results();
  RecordingWindow window;
  results.View(0)->SetMode(&window);
  const uint32_t before = results.ChangeCount();
  QvResult* result = results.NewResult();
  result->SetPower(7);
  result->SetPower(7);
  EXPECT_EQ(results.ChangeCount(), before + 2);
  results.ForEach(*result);
  EXPECT_EQ(window.shown, std::vector<QvResult*>{result});
  EXPECT_NE(std::find(window.codes.begin(), window.codes.end(), kQvResultTimes), window.codes.end());
  results.View(0)->SetMode(nullptr);
  results.ForEach(*result);
  EXPECT_EQ(window.shown.size(), 1u);
  EXPECT_EQ(results.GetEvent(), &event);
  EXPECT_EQ(QvEvent::FromView(results.View(0)), event.Leg(0));
  QvResults free;
  EXPECT_EQ(free.GetEvent(), nullptr);
}
