#include "foundation/ksortedlist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"

namespace {

// Ordered by key; the tag tells apart items with equal keys.
class KeyedItem : public KSortedListItem {
 public:
  KeyedItem(int32_t key = 0, char tag = '?') : key(key), tag(tag) {}
  bool GoesAfter(const KSortedListItem& other) const override {
    return key > static_cast<const KeyedItem&>(other).key;
  }
  void Write(KStream& stream) const override {
    KPersistent::WriteVersion(stream, kFamilyFoundation, 1);
    stream.WriteInt32(key);
    stream.WriteByte(static_cast<uint8_t>(tag));
  }
  void Read(KStream& stream) override {
    KPersistent::ReadVersion(stream, kFamilyFoundation, 1, 1);
    key = stream.ReadInt32();
    tag = static_cast<char>(stream.ReadByte());
  }
  int32_t key;
  char tag;
};

// "key tag" of each item in list order, e.g. "1a 2b".
std::string Order(const KSortedList& list) {
  std::string text;
  for (KSortedListItem* item = list.Next(nullptr); item != nullptr; item = list.Next(item)) {
    const auto* keyed = static_cast<KeyedItem*>(item);
    text += (text.empty() ? "" : " ") + std::to_string(keyed->key) + keyed->tag;
  }
  return text;
}

TEST(KSortedList, AddKeepsItemsInOrder) {
  KSortedList list;
  for (int32_t key : {5, 1, 9, 3, 7}) {
    list.Add(new KeyedItem(key, 'x'));
  }
  EXPECT_EQ(Order(list), "1x 3x 5x 7x 9x");
}

TEST(KSortedList, EqualItemGoesBeforeTheEqualOnesAlreadyThere) {
  // A new item goes before the first member it does not go after; it does not go after an equal member,
  // so it lands in front of the run of equal ones.
  KSortedList list;
  list.Add(new KeyedItem(1, 'a'));
  list.Add(new KeyedItem(2, 'a'));
  list.Add(new KeyedItem(3, 'a'));
  EXPECT_EQ(list.Add(new KeyedItem(2, 'b')), 1);
  EXPECT_EQ(list.Add(new KeyedItem(2, 'c')), 1);
  EXPECT_EQ(list.Add(new KeyedItem(3, 'b')), 4);
  EXPECT_EQ(Order(list), "1a 2c 2b 2a 3b 3a");
}

TEST(KSortedList, AddRefusesNullAndListedItems) {
  KSortedList list;
  auto* item = new KeyedItem(1);
  EXPECT_EQ(list.Add(item), 0);
  EXPECT_EQ(list.Add(item), -1);
  EXPECT_EQ(list.Add(nullptr), -1);
  EXPECT_EQ(list.Count(), 1);
}

TEST(KSortedList, SortRestoresOrderAndKeepsEqualItemsInPlace) {
  KSortedList list;
  auto* a = new KeyedItem(1, 'a');
  auto* b = new KeyedItem(2, 'b');
  auto* c = new KeyedItem(3, 'c');
  auto* d = new KeyedItem(4, 'd');
  for (KeyedItem* item : {a, b, c, d}) {
    list.Add(item);
  }
  // Keys change behind the list's back.
  a->key = 5;
  c->key = 2;
  d->key = 0;
  list.Sort();
  EXPECT_EQ(Order(list), "0d 2b 2c 5a");
  for (int32_t i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list.Item(i)->Index(), i);
  }
  EXPECT_EQ(list.Prev(nullptr), a);
}

TEST(KSortedList, RecordReadPlacesItemsByTheirOrder) {
  KSortedList source;
  source.Add(new KeyedItem(2, 'a'));
  source.Add(new KeyedItem(8, 'a'));
  KMemoryStream stream;
  source.Write(stream);
  KSortedList list;
  list.Add(new KeyedItem(5, 'z'));
  list.Read(stream, [] { return new KeyedItem; });
  EXPECT_EQ(Order(list), "2a 5z 8a");
}

TEST(KSortedList, RecordOfItemsThatCannotBeOrderedIsRefused) {
  KSortedList source;
  source.Add(new KeyedItem(2, 'a'));
  KMemoryStream stream;
  source.Write(stream);
  KSortedList list;
  list.Add(new KeyedItem(5, 'z'));
  try {
    // The factory makes plain items of the right record size, which the sorted list cannot place.
    list.Read(stream, [] {
      struct Plain : KListItem {
        void Read(KStream& s) override {
          s.ReadUInt32();
          s.ReadInt32();
          s.ReadByte();
        }
      };
      return static_cast<KListItem*>(new Plain);
    });
    ADD_FAILURE() << "no exception";
  } catch (const KXPersistent& failure) {
    EXPECT_EQ(failure.Code(), kErrFileContents);
  }
  EXPECT_EQ(Order(list), "5z");
}

}  // namespace
