#include "native/controls/listboxitems.h"

#include <gtest/gtest.h>

namespace native::test {

namespace {

ListBoxItems itemsOf(std::initializer_list<const char16_t*> texts) {
  ListBoxItems items;
  for (const char16_t* text : texts) {
    items.insert(-1, ListBoxItem{text});
  }
  return items;
}

}  // namespace

TEST(ListBoxItems, InsertRefusesIndicesBeyondTheEnd) {
  ListBoxItems items = itemsOf({u"a", u"b"});
  EXPECT_EQ(items.insert(3, ListBoxItem{u"x"}), -1);
  EXPECT_EQ(items.insert(-2, ListBoxItem{u"x"}), -1);
  EXPECT_EQ(items.insert(2, ListBoxItem{u"c"}), 2) << "the index just past the end appends";
  EXPECT_EQ(items.insert(-1, ListBoxItem{u"d"}), 3);
  EXPECT_EQ(items.count(), 4);
}

TEST(ListBoxItems, CaretAndAnchorFollowTheirEntries) {
  struct Case {
    const char* what;
    bool insert;
    int index;
    int caretAfter;
    int anchorAfter;
  };
  // Caret on "c" (2), anchor on "d" (3) in a, b, c, d, e.
  const Case cases[] = {
      {"insert before both", true, 0, 3, 4},       {"insert between", true, 3, 2, 4},
      {"insert after both", true, 5, 2, 3},        {"erase before both", false, 1, 1, 2},
      {"erase the caret's entry", false, 2, 2, 2}, {"erase after both", false, 4, 2, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListBoxItems items = itemsOf({u"a", u"b", u"c", u"d", u"e"});
    items.setCaret(2);
    items.setAnchor(3);
    if (c.insert) {
      items.insert(c.index, ListBoxItem{u"new"});
    } else {
      items.erase(c.index);
    }
    EXPECT_EQ(items.caret(), c.caretAfter);
    EXPECT_EQ(items.anchor(), c.anchorAfter);
  }
}

TEST(ListBoxItems, CaretIsNoneOnlyWhileEmpty) {
  ListBoxItems items;
  EXPECT_EQ(items.caret(), -1);
  items.insert(-1, ListBoxItem{u"only"});
  EXPECT_EQ(items.caret(), 0);
  items.erase(0);
  EXPECT_EQ(items.caret(), -1);
  items.setCaret(0);
  EXPECT_EQ(items.caret(), -1) << "no entry to put it on";
}

TEST(ListBoxItems, SortedPlaceIgnoresCaseAndGoesAfterEquals) {
  ListBoxItems items = itemsOf({u"apple", u"Banana", u"cherry"});
  struct Case {
    const char16_t* text;
    int expected;
  };
  const Case cases[] = {{u"", 0}, {u"APPLE", 1}, {u"b", 1}, {u"banana", 2}, {u"zebra", 3}, {u"Cherr", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    EXPECT_EQ(items.sortedIndexFor(c.text), c.expected);
  }
}

TEST(ListBoxItems, FindExactStartsAfterTheGivenEntryAndWraps) {
  ListBoxItems items = itemsOf({u"one", u"two", u"ONE", u"three"});
  EXPECT_EQ(items.findExact(u"one", -1), 0);
  EXPECT_EQ(items.findExact(u"one", 0), 2);
  EXPECT_EQ(items.findExact(u"one", 2), 0) << "wraps round to the start";
  EXPECT_EQ(items.findExact(u"on", -1), -1) << "a prefix is no match";
  EXPECT_EQ(items.findExact(u"four", 1), -1);
}

TEST(ListBoxItems, SelectionRangesAndRestore) {
  ListBoxItems items = itemsOf({u"a", u"b", u"c", u"d", u"e"});
  items.setRange(3, 1, true);
  EXPECT_EQ(items.selectedIndices(), (std::vector<int>{1, 2, 3}));
  std::vector<bool> saved = items.selection();
  items.selectOnly(4);
  EXPECT_EQ(items.selectedIndices(), (std::vector<int>{4}));
  items.restore(saved);
  EXPECT_EQ(items.selectedIndices(), (std::vector<int>{1, 2, 3}));
  items.setRange(-5, 99, false);
  EXPECT_EQ(items.selectedCount(), 0) << "a range past either end is held to the entries";
  EXPECT_TRUE(items.setSelected(-1, true));
  EXPECT_EQ(items.selectedCount(), 5);
  EXPECT_FALSE(items.setSelected(5, false));
}

}  // namespace native::test
