#include "foundation/ksparsearray.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"

namespace {

// A stored sparse item: version word 0x10001 and its index.
class Slot : public KSparseArrayItem {
 public:
  explicit Slot(int32_t index = -1) { SetId(index); }
  void Write(KStream& stream) const override {
    KPersistent::WriteVersion(stream, kFamilyFoundation, 1);
    stream.WriteInt32(Index());
  }
  void Read(KStream& stream) override {
    KPersistent::ReadVersion(stream, kFamilyFoundation, 1, 1);
    SetId(stream.ReadInt32());
  }
};

std::vector<int32_t> Indexes(const KSparseArray& array) {
  std::vector<int32_t> indexes;
  for (KSparseArrayItem* item = array.Next(nullptr); item != nullptr; item = array.Next(item)) {
    indexes.push_back(item->Index());
  }
  return indexes;
}

TEST(KSparseArray, ItemsStayInRisingIndexOrder) {
  EXPECT_EQ(Slot().Index(), -1) << "no index until one is set";
  KSparseArray array;
  for (int32_t index : {40, 3, INT32_MAX, -7, 12, INT32_MIN, 0}) {
    EXPECT_TRUE(array.Add(new Slot(index)));
  }
  EXPECT_EQ(Indexes(array), (std::vector<int32_t>{INT32_MIN, -7, 0, 3, 12, 40, INT32_MAX}));
  EXPECT_EQ(array.Count(), 7);
}

TEST(KSparseArray, DuplicateNullAndListedItemsAreRefused) {
  KSparseArray array;
  auto* first = new Slot(5);
  ASSERT_TRUE(array.Add(first));
  Slot same(5);
  EXPECT_FALSE(array.Add(&same));
  EXPECT_FALSE(array.Add(first));
  EXPECT_FALSE(array.Add(nullptr));
  EXPECT_EQ(array.Count(), 1);
}

TEST(KSparseArray, ItemAtIndexFindsOnlyUsedIndexes) {
  KSparseArray array;
  for (int32_t index : {2, 4, 8}) {
    array.Add(new Slot(index));
  }
  struct Case {
    int32_t index;
    bool present;
  };
  const Case cases[] = {{2, true}, {4, true}, {8, true}, {0, false}, {3, false}, {9, false}, {-1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    KSparseArrayItem* item = array.Item(c.index);
    ASSERT_EQ(item != nullptr, c.present);
    if (item != nullptr) {
      EXPECT_EQ(item->Index(), c.index);
    }
  }
}

TEST(KSparseArray, FirstIndexIsTheHighestInUse) {
  KSparseArray array;
  EXPECT_TRUE(array.IsEmpty());
  EXPECT_EQ(array.FirstIndex(), static_cast<int32_t>(0x80000000));
  array.Add(new Slot(6));
  EXPECT_FALSE(array.IsEmpty());
  EXPECT_EQ(array.FirstIndex(), 6);
  array.Add(new Slot(1));
  array.Add(new Slot(30));
  array.Add(new Slot(17));
  EXPECT_EQ(array.FirstIndex(), 30);
}

TEST(KSparseArray, RemoveUnlinksMembersOnly) {
  KSparseArray array;
  auto* middle = new Slot(2);
  array.Add(new Slot(1));
  array.Add(middle);
  array.Add(new Slot(3));
  Slot loose(2);
  EXPECT_EQ(array.Remove(&loose), nullptr);
  EXPECT_EQ(array.Remove(middle), middle);
  EXPECT_EQ(array.Item(2), nullptr);
  EXPECT_EQ(Indexes(array), (std::vector<int32_t>{1, 3}));
  // Its index is free again.
  EXPECT_TRUE(array.Add(middle));
  EXPECT_EQ(Indexes(array), (std::vector<int32_t>{1, 2, 3}));
}

TEST(KSparseArray, SparseItemIsAMessageObject) {
  KMessageObject owner(nullptr, 77);
  KSparseArrayItem item(&owner);
  EXPECT_EQ(item.KMessageObject::Owner(), &owner);
  item.SetId(12);
  EXPECT_EQ(item.Match(12), &item);
  EXPECT_EQ(item.Index(), 12);
}

TEST(KSparseArray, RecordRoundTripsInIndexOrder) {
  KSparseArray source;
  for (int32_t index : {9, -2, 4}) {
    source.Add(new Slot(index));
  }
  KMemoryStream stream;
  source.Write(stream);
  KSparseArray array;
  array.Add(new Slot(0));
  array.Read(stream, [] { return new Slot; });
  EXPECT_EQ(Indexes(array), (std::vector<int32_t>{-2, 0, 4, 9}));
}

TEST(KSparseArray, RecordWithDuplicateIndexesIsRefusedWhole) {
  struct Case {
    const char* name;
    std::vector<int32_t> stored;
  };
  const Case cases[] = {
      {"duplicate inside the record", {1, 6, 1}},
      {"index already in the array", {3, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream stream;
    stream.WriteUInt32(KSparseArray::kRecordWord);
    stream.WriteInt32(static_cast<int32_t>(c.stored.size()));
    for (int32_t index : c.stored) {
      Slot(index).Write(stream);
    }
    KSparseArray array;
    array.Add(new Slot(5));
    try {
      array.Read(stream, [] { return new Slot; });
      ADD_FAILURE() << "no exception";
    } catch (const KXPersistent& failure) {
      EXPECT_EQ(failure.Code(), kErrFileContents);
    }
    EXPECT_EQ(Indexes(array), (std::vector<int32_t>{5}));
  }
}

}  // namespace
