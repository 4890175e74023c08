#include "foundation/klist.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"

namespace {

// A stored item: its version word 0x10001 and one value. Counts live instances so that tests can see
// that nothing leaks or survives a failed read.
class NumberItem : public KListItem {
 public:
  static inline int live = 0;
  explicit NumberItem(int32_t value = 0) : value(value) { ++live; }
  ~NumberItem() override { --live; }
  void Write(KStream& stream) const override {
    KPersistent::WriteVersion(stream, kFamilyFoundation, 1);
    stream.WriteInt32(value);
  }
  void Read(KStream& stream) override {
    KPersistent::ReadVersion(stream, kFamilyFoundation, 1, 1);
    value = stream.ReadInt32();
  }
  const char* ClassName() const override { return "NumberItem"; }
  int32_t value;
};

std::vector<int32_t> Values(const KList& list) {
  std::vector<int32_t> values;
  for (KListItem* item = list.Next(nullptr); item != nullptr; item = list.Next(item)) {
    values.push_back(static_cast<NumberItem*>(item)->value);
  }
  return values;
}

std::vector<int32_t> ValuesBackwards(const KList& list) {
  std::vector<int32_t> values;
  for (KListItem* item = list.Prev(nullptr); item != nullptr; item = list.Prev(item)) {
    values.insert(values.begin(), static_cast<NumberItem*>(item)->value);
  }
  return values;
}

void Fill(KList& list, std::initializer_list<int32_t> values) {
  for (int32_t value : values) {
    list.Add(new NumberItem(value));
  }
}

KList::ItemFactory NumberFactory(int* made = nullptr) {
  return [made]() -> KListItem* {
    if (made != nullptr) {
      ++*made;
    }
    return new NumberItem;
  };
}

class KListTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(NumberItem::live, 0) << "items leaked or deleted twice"; }
};

TEST_F(KListTest, InsertPlacesItemByPosition) {
  struct Case {
    int32_t position;
    std::vector<int32_t> expected;
    int32_t expectedIndex;
  };
  const Case cases[] = {
      {0, {9, 1, 2, 3}, 0},    // head
      {1, {1, 9, 2, 3}, 1},    // before the item at 1
      {2, {1, 2, 9, 3}, 2},    // before the last item
      {3, {1, 2, 3, 9}, 3},    // one past the end: at the end
      {100, {1, 2, 3, 9}, 3},  // far past the end
      {-1, {1, 2, 3, 9}, 3},   // negative: at the end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    KList list;
    Fill(list, {1, 2, 3});
    auto* item = new NumberItem(9);
    EXPECT_EQ(list.Insert(item, c.position), c.expectedIndex);
    EXPECT_EQ(Values(list), c.expected);
    EXPECT_EQ(ValuesBackwards(list), c.expected);
    EXPECT_EQ(item->Index(), c.expectedIndex);
    EXPECT_EQ(list.Count(), 4);
  }
}

TEST_F(KListTest, InsertIntoEmptyListAtAnyPosition) {
  for (int32_t position : {0, 5, -3}) {
    SCOPED_TRACE(position);
    KList list;
    auto* item = new NumberItem(4);
    EXPECT_EQ(list.Insert(item, position), 0);
    EXPECT_EQ(list.Next(nullptr), item);
    EXPECT_EQ(list.Prev(nullptr), item);
  }
}

TEST_F(KListTest, ItemAlreadyInAListIsRefused) {
  KList first;
  KList second;
  auto* item = new NumberItem(1);
  first.Add(item);
  EXPECT_EQ(second.Add(item), -1);
  EXPECT_EQ(second.Insert(item, 0), -1);
  EXPECT_EQ(first.Insert(item, 0), -1);
  EXPECT_EQ(first.Add(nullptr), -1);
  EXPECT_EQ(first.Count(), 1);
  EXPECT_EQ(second.Count(), 0);
  EXPECT_EQ(item->OwnerList(), &first);
}

TEST_F(KListTest, RemoveUnlinksOnlyMembers) {
  KList list;
  KList other;
  Fill(list, {1, 2, 3});
  Fill(other, {7});
  NumberItem loose(5);
  EXPECT_EQ(list.Remove(&loose), nullptr);
  EXPECT_EQ(list.Remove(other.Next(nullptr)), nullptr);
  EXPECT_EQ(list.Remove(nullptr), nullptr);
  EXPECT_EQ(other.Count(), 1);

  KListItem* middle = list.Item(1);
  EXPECT_EQ(list.Remove(middle), middle);
  EXPECT_EQ(middle->OwnerList(), nullptr);
  EXPECT_EQ(middle->Index(), -1);
  EXPECT_EQ(Values(list), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(ValuesBackwards(list), (std::vector<int32_t>{1, 3}));
  // Removed but not deleted: it can go into another list.
  EXPECT_EQ(other.Add(middle), 1);
}

TEST_F(KListTest, RemovingHeadAndTailKeepsBothEndsRight) {
  KList list;
  Fill(list, {1, 2, 3});
  delete list.Remove(list.Next(nullptr));
  delete list.Remove(list.Prev(nullptr));
  EXPECT_EQ(Values(list), (std::vector<int32_t>{2}));
  EXPECT_EQ(list.Next(nullptr), list.Prev(nullptr));
  KListItem* last = list.Next(nullptr);
  list.Remove(last);
  EXPECT_EQ(list.Next(nullptr), nullptr);
  EXPECT_EQ(list.Prev(nullptr), nullptr);
  EXPECT_EQ(list.Count(), 0);
  delete last;
}

TEST_F(KListTest, DeletingAnItemUnlinksIt) {
  KList list;
  Fill(list, {1, 2, 3});
  delete list.Item(1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(Values(list), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(ValuesBackwards(list), (std::vector<int32_t>{1, 3}));
}

TEST_F(KListTest, ItemAndIndexAgreeAndOutOfRangeIsNull) {
  KList list;
  Fill(list, {10, 11, 12, 13, 14});
  for (int32_t i = 0; i < list.Count(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(list.Item(i), nullptr);
    EXPECT_EQ(static_cast<NumberItem*>(list.Item(i))->value, 10 + i);
    EXPECT_EQ(list.Item(i)->Index(), i);
  }
  EXPECT_EQ(list.Item(-1), nullptr);
  EXPECT_EQ(list.Item(5), nullptr);
  EXPECT_EQ(list.Item(INT32_MIN), nullptr);
  NumberItem loose;
  EXPECT_EQ(loose.Index(), -1);
}

TEST_F(KListTest, NextAndPrevOfAForeignItemAreNull) {
  KList list;
  KList other;
  Fill(list, {1});
  Fill(other, {2});
  EXPECT_EQ(list.Next(other.Next(nullptr)), nullptr);
  EXPECT_EQ(list.Prev(other.Next(nullptr)), nullptr);
}

TEST_F(KListTest, TakeAllMovesEveryItemToTheEndAndReownsIt) {
  KList list;
  KList other;
  Fill(list, {1, 2});
  Fill(other, {3, 4, 5});
  list.TakeAll(other);
  EXPECT_EQ(Values(list), (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(ValuesBackwards(list), (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(other.Count(), 0);
  EXPECT_EQ(other.Next(nullptr), nullptr);
  for (KListItem* item = list.Next(nullptr); item != nullptr; item = list.Next(item)) {
    EXPECT_EQ(item->OwnerList(), &list);
  }
  list.TakeAll(list);  // taking from itself changes nothing
  EXPECT_EQ(list.Count(), 5);
}

TEST_F(KListTest, ClearDeletesItems) {
  KList list;
  Fill(list, {1, 2, 3});
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(NumberItem::live, 0);
}

TEST_F(KListTest, RecordRoundTripsByteForByte) {
  KList list;
  Fill(list, {-1, 0x12345678});
  KMemoryStream stream;
  list.Write(stream);
  const std::vector<uint8_t> expected = {
      0x07, 0x00, 0x01, 0x00,                          // 0x10007
      0x02, 0x00, 0x00, 0x00,                          // count
      0x01, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,  // item: version 0x10001, -1
      0x01, 0x00, 0x01, 0x00, 0x78, 0x56, 0x34, 0x12,  // item: version 0x10001, 0x12345678
  };
  EXPECT_EQ(stream.Bytes(), expected);

  KList read;
  read.Read(stream, NumberFactory());
  EXPECT_EQ(Values(read), (std::vector<int32_t>{-1, 0x12345678}));
  KMemoryStream again;
  read.Write(again);
  EXPECT_EQ(again.Bytes(), expected);
}

TEST_F(KListTest, EmptyListRecordRoundTrips) {
  KList list;
  KMemoryStream stream;
  list.Write(stream);
  EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{0x07, 0x00, 0x01, 0x00, 0, 0, 0, 0}));
  KList read;
  read.Read(stream, NumberFactory());
  EXPECT_EQ(read.Count(), 0);
}

TEST_F(KListTest, ReadAppendsAfterExistingItems) {
  KList source;
  Fill(source, {3, 4});
  KMemoryStream stream;
  source.Write(stream);
  KList list;
  Fill(list, {1, 2});
  list.Read(stream, NumberFactory());
  EXPECT_EQ(Values(list), (std::vector<int32_t>{1, 2, 3, 4}));
}

KMemoryStream Record(uint32_t word, int32_t count, int32_t extraBytes) {
  KMemoryStream stream;
  stream.WriteUInt32(word);
  stream.WriteInt32(count);
  for (int32_t i = 0; i < extraBytes; ++i) {
    stream.WriteByte(0);
  }
  return stream;
}

TEST_F(KListTest, BadRecordsAreRefusedBeforeAnythingIsMade) {
  struct Case {
    const char* name;
    uint32_t word;
    int32_t count;
    int32_t extraBytes;
    int32_t code;
  };
  const Case cases[] = {
      {"negative count", 0x10007, -1, 16, kErrFileContents},
      {"most negative count", 0x10007, INT32_MIN, 16, kErrFileContents},
      {"count beyond the bytes left", 0x10007, 5, 16, kErrFileContents},
      {"huge count", 0x10007, INT32_MAX, 16, kErrFileContents},
      {"wrong family", 0x20007, 0, 0, kErrFileVersion},
      {"wrong version", 0x10008, 0, 0, kErrFileVersion},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream stream = Record(c.word, c.count, c.extraBytes);
    KList list;
    Fill(list, {1});
    int made = 0;
    try {
      list.Read(stream, NumberFactory(&made));
      ADD_FAILURE() << "no exception";
    } catch (const KXPersistent& failure) {
      EXPECT_EQ(failure.Code(), c.code);
    }
    EXPECT_EQ(made, 0);
    EXPECT_EQ(Values(list), (std::vector<int32_t>{1}));
  }
}

TEST_F(KListTest, ACountAboveTheCallersMaximumIsRefusedBeforeAnythingIsMade) {
  KList source;
  Fill(source, {5, 6, 7});
  KMemoryStream full;
  source.Write(full);
  struct Case {
    int32_t maximum;
    bool accepted;
  } cases[] = {{0, false}, {2, false}, {3, true}, {4, true}, {-1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.maximum);
    KMemoryStream stream(full.Bytes());
    KList list;
    Fill(list, {1});
    int made = 0;
    try {
      list.Read(stream, NumberFactory(&made), c.maximum);
      EXPECT_TRUE(c.accepted);
    } catch (const KXPersistent& failure) {
      EXPECT_FALSE(c.accepted);
      EXPECT_EQ(failure.Code(), kErrFileContents);
    }
    EXPECT_EQ(made, c.accepted ? 3 : 0);
    EXPECT_EQ(Values(list), c.accepted ? (std::vector<int32_t>{1, 5, 6, 7}) : std::vector<int32_t>{1});
  }
}

TEST_F(KListTest, FailedReadLeavesListAsItWasAndDeletesPartItems) {
  KList source;
  Fill(source, {5, 6, 7});
  KMemoryStream full;
  source.Write(full);
  std::vector<uint8_t> bytes = full.Bytes();
  bytes.resize(bytes.size() - 2);  // the last item's value is cut short
  KMemoryStream stream(bytes);

  KList list;
  Fill(list, {1, 2});
  EXPECT_THROW(list.Read(stream, NumberFactory()), KX);
  EXPECT_EQ(Values(list), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(NumberItem::live, 5);  // the source's three and the list's two; none of the read ones
}

TEST_F(KListTest, FactoryThatMakesNothingIsRefused) {
  KList source;
  Fill(source, {5});
  KMemoryStream stream;
  source.Write(stream);
  KList list;
  try {
    list.Read(stream, [] { return static_cast<KListItem*>(nullptr); });
    ADD_FAILURE() << "no exception";
  } catch (const KXPersistent& failure) {
    EXPECT_EQ(failure.Code(), kErrFileContents);
  }
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
