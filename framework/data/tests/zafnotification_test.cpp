#include "framework/data/zafnotification.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/data/zafelement.h"

namespace {

// Observers record their calls in a shared log; an action can run inside the update function.
struct Observer : ZafElement {
  explicit Observer(int id) : id(id) {}
  int id;
  std::function<void()> onUpdate;
};

std::vector<std::pair<int, int>>* calls = nullptr;

ZafLong Record(ZafElement* object, ZafUpdateType kind) {
  auto* observer = static_cast<Observer*>(object);
  calls->push_back({observer->id, kind});
  if (observer->onUpdate) {
    observer->onUpdate();
  }
  return 0;
}

ZafLong Other(ZafElement*, ZafUpdateType) {
  return 0;
}

class ZafNotificationTest : public ::testing::Test {
 protected:
  void SetUp() override { calls = &log; }
  void TearDown() override { calls = nullptr; }

  std::vector<std::pair<int, int>> log;
  Observer a{1}, b{2}, c{3}, d{4};
};

TEST_F(ZafNotificationTest, SamePairIsAddedOnce) {
  ZafNotification list;
  EXPECT_EQ(list.Add(&a, Record, ZAF_UPDATE_ALL), &a);
  list.Add(&a, Record, ZAF_UPDATE_ALL);
  EXPECT_EQ(list.Count(), 1);
  list.Add(&a, Other, ZAF_UPDATE_ALL);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(ZafNotificationTest, TableGrowsByFiveKeepingOrder) {
  std::vector<std::unique_ptr<Observer>> observers;
  ZafNotification list;
  EXPECT_EQ(list.TableSize(), 0);
  struct Step {
    int rows;
    int tableSize;
  } steps[] = {{1, 5}, {4, 5}, {5, 10}, {9, 10}, {10, 15}, {14, 15}, {15, 20}};
  for (const Step& step : steps) {
    while (list.Count() < step.rows) {
      observers.push_back(std::make_unique<Observer>(list.Count()));
      list.Add(observers.back().get(), Record, ZAF_UPDATE_ALL);
    }
    SCOPED_TRACE(step.rows);
    EXPECT_EQ(list.TableSize(), step.tableSize);
  }
  list.UpdateObjects();
  ASSERT_EQ(log.size(), 15u);
  for (int index = 0; index < 15; ++index) {
    EXPECT_EQ(log[index].first, index);
  }
}

TEST_F(ZafNotificationTest, SubtractingTheOnlyRowFreesTheTable) {
  ZafNotification list;
  list.Add(&a, Record, ZAF_UPDATE_ALL);
  list.Subtract(&a, Record);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.TableSize(), 0);
  EXPECT_EQ(list.UpdateObjects(), 1);
  list.Subtract(&b, nullptr);  // no row: nothing happens
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ZafNotificationTest, NullFunctionSubtractsTheObjectsFirstRow) {
  ZafNotification list;
  list.Add(&a, Other, ZAF_UPDATE_ALL);
  list.Add(&b, Record, ZAF_UPDATE_ALL);
  list.Add(&a, Record, ZAF_UPDATE_ALL);
  list.Subtract(&a, nullptr);
  EXPECT_EQ(list.Count(), 2);
  list.UpdateObjects();
  EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{2, 2}, {1, 2}}));
}

TEST_F(ZafNotificationTest, DeliveryServesRowsByKindMaskFunctionAndObject) {
  ZafNotification list;
  list.Add(&a, Record, ZAF_UPDATE_ALL);
  list.Add(&b, Record, 1);   // kind 1 only
  list.Add(&c, nullptr, 3);  // counted, never called
  list.Add(&d, Record, 2);   // kind 2 only
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.UpdateObjects(), 0);
  EXPECT_EQ(list.UpdateData(), 0);
  EXPECT_EQ(list.UpdateObjects(&d), 0);
  EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{1, 2}, {4, 2}, {1, 1}, {2, 1}, {4, 2}}));
}

TEST_F(ZafNotificationTest, ClosedKindDeliversNothing) {
  ZafNotification list;
  list.Add(&a, Record, ZAF_UPDATE_ALL);
  EXPECT_EQ(list.SetState(1), 1u);
  EXPECT_EQ(list.UpdateObjects(), 1);
  EXPECT_EQ(list.UpdateData(), 0);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(ZafNotificationTest, DataWordsOfRows) {
  ZafNotification list;
  EXPECT_EQ(list.SetData(&a, 1), 0u);
  list.Add(&a, Record, ZAF_UPDATE_ALL);
  EXPECT_EQ(list.Data(&a), 3u);
  EXPECT_EQ(list.SetData(&a, 1), 1u);
  EXPECT_EQ(list.Data(&a), 1u);
  EXPECT_EQ(list.Data(&b), 0u);
}

TEST_F(ZafNotificationTest, SameKindRaisedInsideADeliveryIsDropped) {
  ZafNotification list;
  a.onUpdate = [&] { EXPECT_EQ(list.UpdateObjects(), 1); };
  list.Add(&a, Record, ZAF_UPDATE_ALL);
  list.Add(&b, Record, ZAF_UPDATE_ALL);
  list.UpdateObjects();
  EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
  EXPECT_EQ(list.State(), 3u) << "the kind opens again afterwards";
}

TEST_F(ZafNotificationTest, ObserversChangingTheListDuringADelivery) {
  struct Case {
    const char* what;
    std::function<void(ZafNotification&)> actionOfB;
    std::vector<std::pair<int, int>> calls;
    int countAfter;
  } cases[] = {
      {"b subtracts itself",
       [&](ZafNotification& l) { l.Subtract(&b, nullptr); },
       {{1, 2}, {2, 2}, {3, 2}},
       2},
      {"b subtracts the next row", [&](ZafNotification& l) { l.Subtract(&c, nullptr); }, {{1, 2}, {2, 2}}, 2},
      {"b subtracts an earlier row",
       [&](ZafNotification& l) { l.Subtract(&a, nullptr); },
       {{1, 2}, {2, 2}, {3, 2}},
       2},
      {"b adds a row", [&](ZafNotification& l) { l.Add(&d, Record, 3); }, {{1, 2}, {2, 2}, {3, 2}}, 4},
      {"b resets the list", [&](ZafNotification& l) { l.Reset(); }, {{1, 2}, {2, 2}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    log.clear();
    ZafNotification list;
    b.onUpdate = [&] { c.actionOfB(list); };
    list.Add(&a, Record, ZAF_UPDATE_ALL);
    list.Add(&b, Record, ZAF_UPDATE_ALL);
    list.Add(&this->c, Record, ZAF_UPDATE_ALL);
    list.UpdateObjects();
    EXPECT_EQ(log, c.calls);
    EXPECT_EQ(list.Count(), c.countAfter);
    // The next delivery sees the list as it is now.
    log.clear();
    list.UpdateObjects();
    EXPECT_EQ(static_cast<int>(log.size()), c.countAfter);
  }
}

TEST_F(ZafNotificationTest, ObserverDeletingTheListEndsTheDelivery) {
  auto* list = new ZafNotification;
  b.onUpdate = [&] { delete list; };
  list->Add(&a, Record, ZAF_UPDATE_ALL);
  list->Add(&b, Record, ZAF_UPDATE_ALL);
  list->Add(&c, Record, ZAF_UPDATE_ALL);
  EXPECT_EQ(list->UpdateObjects(), 0);
  EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
}

TEST_F(ZafNotificationTest, ObserverDeletingTheListInsideANestedDelivery) {
  auto* list = new ZafNotification;
  // Kind 2 reaches a, which asks for kind 1; b deletes the list during kind 1.
  a.onUpdate = [&] { list->UpdateData(); };
  b.onUpdate = [&] { delete list; };
  list->Add(&a, Record, 2);
  list->Add(&b, Record, 1);
  list->Add(&c, Record, 3);
  list->UpdateObjects();
  EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{1, 2}, {2, 1}}));
}

}  // namespace
