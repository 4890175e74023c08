// The false-start rule: a reaction time below 100 ms (negative ones too) is a false start; the lowest is
// charged, equal lowest all charged; results without a reaction time and lanes not in use take no part, and
// a lane given up or given back decides the charge anew.

#include <gtest/gtest.h>

#include <vector>

#include "model/tests/qvmodeltestsupport.h"

namespace {

constexpr int32_t kNone = YTime::kNoMilliseconds;

struct Expected {
  bool falseStart;
  bool charged;
};

struct Case {
  const char* name;
  std::vector<int32_t> reactions;
  std::vector<Expected> expected;
  int32_t notInUse = -1;   // the index of a lane given up once the rule has run
  bool givenBack = false;  // that lane is not in use when the rule runs, and then given back
};

}  // namespace

TEST(FalseStart, MarksByTheRule) {
  const Case cases[] = {
      {"none below 100 ms", {100, 150, 123}, {{false, false}, {false, false}, {false, false}}},
      {"one", {140, 99, 180}, {{false, false}, {true, true}, {false, false}}},
      {"several with one lowest",
       {80, 40, 99, 120},
       {{true, false}, {true, true}, {true, false}, {false, false}}},
      {"equal lowest", {60, 95, 60, 130}, {{true, true}, {true, false}, {true, true}, {false, false}}},
      {"negative times", {-20, 10, -35, 150}, {{true, false}, {true, false}, {true, true}, {false, false}}},
      {"missing reaction times",
       {kNone, 90, kNone, 110},
       {{false, false}, {true, true}, {false, false}, {false, false}}},
      {"no reaction times at all", {kNone, kNone}, {{false, false}, {false, false}}},
      {"zero is a false start", {0, 100}, {{true, true}, {false, false}}},
      {"a lane given up",
       {120, 90, 50, kNone},
       {{false, false}, {true, true}, {false, false}, {false, false}},
       2},
      {"a lane given back",
       {120, 90, 50, kNone},
       {{false, false}, {true, false}, {true, true}, {false, false}},
       2,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvResults results;
    for (int32_t reaction : c.reactions) {
      results.NewResult()->SetReactionTime(reaction);
    }
    QvResult* lane = results.GetNth(c.notInUse, nullptr);
    if (lane != nullptr && c.givenBack) {
      lane->SetStatus(QvResult::kLaneNotUsed);
    }
    results.MarkFalseStarts();
    if (lane != nullptr) {
      lane->SetStatus(c.givenBack ? QvResult::kValid : QvResult::kLaneNotUsed);
    }
    for (size_t i = 0; i < c.expected.size(); ++i) {
      SCOPED_TRACE(i);
      const QvResult* result = results.GetNth(static_cast<int32_t>(i), nullptr);
      EXPECT_EQ(result->IsFalseStart(), c.expected[i].falseStart);
      EXPECT_EQ(result->IsFalseStartCharged(), c.expected[i].charged);
    }
  }
}

TEST(FalseStart, OldMarksGoWhenTheTimesNoLongerCallForThem) {
  QvResults results;
  QvResult* first = results.NewResult();
  QvResult* second = results.NewResult();
  first->SetReactionTime(50);
  second->SetReactionTime(70);
  results.MarkFalseStarts();
  first->SetReactionTime(150);
  results.MarkFalseStarts();
  EXPECT_FALSE(first->IsFalseStart());
  EXPECT_FALSE(first->IsFalseStartCharged());
  EXPECT_TRUE(second->IsFalseStart());
  EXPECT_TRUE(second->IsFalseStartCharged());
}

TEST(FalseStart, AResultWithoutAReactionTimeKeepsItsMarks) {
  QvResults results;
  QvResult* manual = results.NewResult();
  manual->SetFalseStart(true);
  results.NewResult()->SetReactionTime(130);
  results.MarkFalseStarts();
  EXPECT_TRUE(manual->IsFalseStart());
}

TEST(FalseStart, MarkingTimesThatAgreeWithTheMarksLeavesTheDocumentUnmodified) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  QvResults& results = event.Leg(0)->Results();
  results.NewResult()->SetReactionTime(85);
  results.NewResult()->SetReactionTime(140);
  results.MarkFalseStarts();
  event.SetModified(false);
  results.MarkFalseStarts();
  EXPECT_FALSE(event.IsModified());
}
