#include "framework/data/zafdata.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/data/zafclassid.h"

namespace {

// The smallest data object: one number.
class CounterData : public ZafData {
 public:
  ZafData* Duplicate() override { return new CounterData(*this); }
  void Clear() override { SetValue(0); }
  void SetValue(int newValue) {
    BeginChange();
    value = newValue;
    EndChange();
  }
  int value = 0;
};

int notified = 0;
CounterData* toDelete = nullptr;

ZafLong Count(ZafElement*, ZafUpdateType kind) {
  notified += kind == ZAF_UPDATE_OBJECTS;
  return 0;
}

ZafLong DeleteData(ZafElement*, ZafUpdateType) {
  delete toDelete;
  toDelete = nullptr;
  return 0;
}

TEST(ZafData, NestedChangesNotifyOnceAtTheEnd) {
  ZafElement observer;
  CounterData data;
  data.Add(&observer, Count, ZAF_UPDATE_ALL);
  notified = 0;
  EXPECT_EQ(data.BeginChange(), 1);
  data.SetValue(5);
  data.SetValue(6);
  EXPECT_EQ(notified, 0);
  EXPECT_EQ(data.EndChange(), 0);
  EXPECT_EQ(notified, 1);

  data.BeginChange();
  EXPECT_EQ(data.EndChange(false), 0);
  EXPECT_EQ(notified, 1) << "no notification asked for";
  EXPECT_EQ(data.EndChange(), 0) << "the counter never goes below 0";
  EXPECT_EQ(notified, 1);
}

TEST(ZafData, CopyStartsWithoutObserversOrErrors) {
  ZafElement observer;
  CounterData data;
  data.SetNumberID(12);
  data.SetStringID(u"name");
  data.Add(&observer, Count, ZAF_UPDATE_ALL);
  data.SetError(5);
  data.SetDestroyable(false);
  data.BeginChange();
  CounterData copy(data);
  EXPECT_EQ(copy.NumberID(), 12);
  EXPECT_EQ(std::u16string(copy.StringID()), u"name");
  EXPECT_EQ(copy.Count(), 0);
  EXPECT_EQ(copy.Error(), 0);
  EXPECT_EQ(copy.ChangeCount(), 0);
  EXPECT_TRUE(copy.Destroyable());
}

TEST(ZafData, SearchesAnswerForTheObjectItself) {
  CounterData data;
  data.SetNumberID(3);
  data.SetStringID(u"field");
  EXPECT_EQ(data.FindObject(3), &data);
  EXPECT_EQ(data.FindObject(4), nullptr);
  EXPECT_EQ(data.FindObjectByName(u"field"), &data);
  EXPECT_EQ(data.FindObjectByName(u"Field"), nullptr);
  EXPECT_EQ(data.FindObjectByNarrowName("field"), &data);
  EXPECT_EQ(data.FindObjectByNarrowName(nullptr), nullptr);
  EXPECT_TRUE(data.IsA(ID_ZAF_DATA));
}

TEST(ZafData, ObserverMayDeleteTheDataObjectWhenItChanges) {
  ZafElement observer;
  toDelete = new CounterData;
  toDelete->Add(&observer, DeleteData, ZAF_UPDATE_ALL);
  toDelete->Add(&observer, Count, ZAF_UPDATE_ALL);
  notified = 0;
  toDelete->SetValue(1);
  EXPECT_EQ(toDelete, nullptr);
  EXPECT_EQ(notified, 0) << "rows after the deletion are not served";
}

}  // namespace
