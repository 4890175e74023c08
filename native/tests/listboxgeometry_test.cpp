#include "native/controls/listboxgeometry.h"

#include <gtest/gtest.h>

namespace native::test {

namespace {

// Entries 20, 30, 40, 50 and 60 pixels high in a list 100 pixels high.
ListBoxItems measuredItems() {
  ListBoxItems items;
  for (int height : {20, 30, 40, 50, 60}) {
    items.insert(-1, ListBoxItem{u"", 0, height});
  }
  return items;
}

constexpr RECT kClient{0, 0, 120, 100};

}  // namespace

TEST(ListBoxGeometry, VariableHeightsStackFromTheTopEntry) {
  ListBoxItems items = measuredItems();
  struct Case {
    int top;
    int y;
    int itemAt;
    int pageSize;
    int topShowingLast;
  };
  const Case cases[] = {
      {0, 0, 0, 3, 4},  // 20 + 30 + 40 fit whole; the last entry shows whole only as the top
      {0, 49, 1, 3, 4}, {0, 95, 3, 3, 4},  // the fourth entry starts at 90, partly shown
      {2, 0, 2, 2, 4},  {2, 89, 3, 2, 4},  {2, 90, 4, 2, 4},
      {4, 59, 4, 1, 4}, {4, 60, -1, 1, 4},  // below the last entry
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "top " << c.top << " y " << c.y);
    ListBoxGeometry geometry(items, 16, true, c.top, kClient);
    EXPECT_EQ(geometry.itemAt(POINT{5, c.y}), c.itemAt);
    EXPECT_EQ(geometry.pageSize(), c.pageSize);
    EXPECT_EQ(geometry.topShowing(4), c.topShowingLast);
    EXPECT_EQ(geometry.lastTop(), 4) << "50 + 60 do not fit in 100: the last entry alone fills the list";
  }
  ListBoxGeometry scrolled(items, 16, true, 2, kClient);
  EXPECT_EQ(scrolled.itemRect(0).top, -50);
  EXPECT_EQ(scrolled.itemRect(3).top, 40);
  EXPECT_EQ(scrolled.topShowing(1), 1) << "an entry above the top becomes the top";
  EXPECT_EQ(scrolled.itemAt(POINT{5, -1}), -1);
  EXPECT_EQ(scrolled.itemAt(POINT{5, 100}), -1);
}

TEST(ListBoxGeometry, FixedHeightsIgnoreMeasuredOnesAndEmptyListsStillPage) {
  ListBoxItems items = measuredItems();
  ListBoxGeometry fixed(items, 25, false, 0, kClient);
  EXPECT_EQ(fixed.heightOf(4), 25);
  EXPECT_EQ(fixed.pageSize(), 4);
  EXPECT_EQ(fixed.lastTop(), 1);
  ListBoxItems empty;
  ListBoxGeometry nothing(empty, 25, false, 0, kClient);
  EXPECT_EQ(nothing.pageSize(), 4) << "what would fit";
  EXPECT_EQ(nothing.lastTop(), 0);
  EXPECT_EQ(nothing.itemAt(POINT{5, 5}), -1);
}

}  // namespace native::test
