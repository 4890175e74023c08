#include "framework/data/zaflist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/data/zafclassid.h"
#include "framework/data/zaflistblock.h"

namespace {

// An element with a sort key and a tag that tells equal keys apart.
class Item : public ZafElement {
 public:
  Item(int key, char tag, int* destroyed = nullptr) : key(key), tag(tag), destroyed(destroyed) {}
  ~Item() override {
    if (destroyed) {
      ++*destroyed;
    }
  }
  int key;
  char tag;
  int* destroyed;
};

int CompareKeys(ZafElement* first, ZafElement* second) {
  return static_cast<Item*>(first)->key - static_cast<Item*>(second)->key;
}

std::string Tags(const ZafList& list) {
  std::string tags;
  for (ZafElement* element = list.First(); element; element = element->Next()) {
    tags += static_cast<Item*>(element)->tag;
  }
  // The backward links must agree with the forward ones.
  std::string backward;
  for (ZafElement* element = list.Last(); element; element = element->Previous()) {
    backward.insert(backward.begin(), static_cast<Item*>(element)->tag);
  }
  EXPECT_EQ(tags, backward);
  return tags;
}

// A new element goes after the last element that does not compare greater, except that one not greater
// than the first element goes in front of it: equal keys then gather in front.
TEST(ZafList, SortedAddPlacesEqualsAfterTheLastButBeforeTheFirst) {
  ZafList list(CompareKeys);
  const struct {
    int key;
    char tag;
  } adds[] = {{5, 'a'}, {3, 'b'}, {5, 'c'}, {1, 'd'}, {3, 'e'}, {9, 'f'}, {1, 'g'}};
  for (const auto& add : adds) {
    list.Add(new Item(add.key, add.tag));
  }
  EXPECT_EQ(Tags(list), "gdbeacf");
  EXPECT_EQ(list.Count(), 7);
}

TEST(ZafList, UnsortedAddAppendsAndInsertGoesBefore) {
  ZafList list;
  ZafElement* a = list.Add(new Item(9, 'a'));
  list.Add(new Item(1, 'b'));
  list.Insert(new Item(0, 'c'), a);
  list.Insert(new Item(0, 'd'), nullptr);
  EXPECT_EQ(Tags(list), "cabd");
}

TEST(ZafList, SubtractUnlinksMovesCurrentAndRefusesForeignElements) {
  ZafList list;
  ZafElement* a = list.Add(new Item(0, 'a'));
  ZafElement* b = list.Add(new Item(0, 'b'));
  ZafElement* c = list.Add(new Item(0, 'c'));
  list.SetCurrent(b);
  EXPECT_EQ(list.Subtract(b), b);
  EXPECT_EQ(list.Current(), c);
  EXPECT_EQ(b->Next(), nullptr);
  EXPECT_EQ(b->Previous(), nullptr);
  EXPECT_EQ(Tags(list), "ac");

  ZafList other;
  other.Add(b);
  EXPECT_EQ(list.Subtract(b), nullptr);
  EXPECT_EQ(Tags(list), "ac");
  EXPECT_EQ(Tags(other), "b");
  EXPECT_EQ(list.Subtract(nullptr), nullptr);

  list.SetCurrent(c);
  list.Subtract(c);
  EXPECT_EQ(list.Current(), a);
  delete c;
}

TEST(ZafList, AnElementIsInOneListAtATime) {
  ZafList list;
  ZafList other;
  ZafElement* a = list.Add(new Item(0, 'a'));
  ZafElement* b = list.Add(new Item(0, 'b'));
  EXPECT_EQ(other.Add(a), nullptr);
  EXPECT_EQ(list.Add(a), nullptr);
  auto* loose = new Item(0, 'c');
  EXPECT_EQ(other.Insert(loose, b), nullptr);
  EXPECT_EQ(list.Insert(loose, b), loose);
  EXPECT_EQ(Tags(list), "acb");
  EXPECT_EQ(other.Count(), 0);
  EXPECT_EQ(list.Count(), 3);
}

TEST(ZafList, DeletingALinkedElementTakesItOutOfItsList) {
  ZafList list;
  list.Add(new Item(0, 'a'));
  ZafElement* b = list.Add(new Item(0, 'b'));
  list.Add(new Item(0, 'c'));
  list.SetCurrent(b);
  delete b;
  EXPECT_EQ(Tags(list), "ac");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(static_cast<Item*>(list.Current())->tag, 'c');
}

TEST(ZafList, GetIndexAndListIndexCountFromZero) {
  ZafList list;
  ZafElement* a = list.Add(new Item(0, 'a'));
  ZafElement* b = list.Add(new Item(0, 'b'));
  EXPECT_EQ(list.Get(0), a);
  EXPECT_EQ(list.Get(1), b);
  EXPECT_EQ(list.Get(2), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Index(b), 1);
  EXPECT_EQ(list.Index(nullptr), -1);
  Item loose(0, 'x');
  EXPECT_EQ(list.Index(&loose), -1);
  EXPECT_EQ(b->ListIndex(), 1);
  EXPECT_EQ(loose.ListIndex(), 0);
}

TEST(ZafList, SortReordersAndDestroyDeletesEveryElement) {
  int destroyed = 0;
  {
    ZafList list;
    const struct {
      int key;
      char tag;
    } adds[] = {{4, 'a'}, {2, 'b'}, {8, 'c'}, {2, 'd'}};
    for (const auto& add : adds) {
      list.Add(new Item(add.key, add.tag, &destroyed));
    }
    list.Sort();
    EXPECT_EQ(Tags(list), "abcd");
    list.SetCompareFunction(CompareKeys);
    EXPECT_EQ(list.CompareFunction(), CompareKeys);
    list.Sort();
    EXPECT_EQ(Tags(list), "dbac");
    list.Destroy();
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.First(), nullptr);
    list.Add(new Item(1, 'z', &destroyed));
  }
  EXPECT_EQ(destroyed, 5);
}

TEST(ZafElement, IdsAreCopiedButLinksAreNot) {
  ZafList list;
  auto* original = static_cast<Item*>(list.Add(new Item(0, 'a')));
  list.Add(new Item(0, 'b'));
  EXPECT_EQ(original->SetNumberID(0xFFF4), 0xFFF4);
  EXPECT_EQ(std::u16string(original->SetStringID(u"NAME")), u"NAME");

  ZafElement copy(*original);
  EXPECT_EQ(copy.NumberID(), 0xFFF4);
  EXPECT_EQ(std::u16string(copy.StringID()), u"NAME");
  EXPECT_NE(copy.StringID(), original->StringID());
  EXPECT_EQ(copy.Next(), nullptr);

  EXPECT_EQ(copy.MatchNumberID(0xFFF4), &copy);
  EXPECT_EQ(copy.MatchNumberID(1), nullptr);
  EXPECT_EQ(copy.MatchStringID(u"NAME"), &copy);
  EXPECT_EQ(copy.MatchStringID(u"OTHER"), nullptr);
  EXPECT_EQ(copy.MatchStringID(nullptr), nullptr);
  EXPECT_EQ(copy.SetStringID(nullptr), nullptr);
  EXPECT_EQ(copy.MatchStringID(u"NAME"), nullptr);

  EXPECT_TRUE(copy.IsA(ID_ZAF_ELEMENT));
  EXPECT_TRUE(copy.IsAName(u"ZafElement"));
  EXPECT_FALSE(copy.IsAName(u"ZafWindow"));
  EXPECT_FALSE(copy.IsAName(nullptr));
}

TEST(ZafListBlock, ReleaseReturnsTakenElementsToThePool) {
  ZafListBlock block;
  for (char tag : {'a', 'b', 'c'}) {
    block.AddFreeElement(new Item(0, tag));
  }
  ZafElement* first = block.TakeFreeElement();
  ZafElement* second = block.TakeFreeElement();
  block.Add(first);
  block.Add(second);
  EXPECT_EQ(block.FreeCount(), 1);
  EXPECT_EQ(block.Count(), 2);

  EXPECT_EQ(block.Release(first), first);
  EXPECT_EQ(block.Count(), 1);
  EXPECT_EQ(block.FreeCount(), 2);
  EXPECT_EQ(block.Release(first), nullptr);
  EXPECT_EQ(block.FreeCount(), 2);

  block.Add(block.TakeFreeElement());
  block.Add(block.TakeFreeElement());
  EXPECT_EQ(block.TakeFreeElement(), nullptr);
  EXPECT_EQ(block.Count(), 3);
}

}  // namespace
