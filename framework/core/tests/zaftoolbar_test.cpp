#include <gtest/gtest.h>

#include "framework/core/tests/zaffieldstoragetest.h"
#include "framework/core/zaftoolbar.h"

namespace {

TEST(ToolBar, IsABorderedNonCurrentSupportObjectOnTop) {
  ZafToolBar bar(0, 0, 10, 1);
  EXPECT_TRUE(bar.Bordered());
  EXPECT_TRUE(bar.NonCurrent());
  EXPECT_TRUE(bar.SupportObject());
  EXPECT_EQ(bar.DockSide(), ZAF_DOCK_TOP);
  EXPECT_TRUE(bar.Wrap());
  EXPECT_EQ(bar.SetPlacement(0), 2);
  EXPECT_FALSE(bar.SetDestroyable(true));
  EXPECT_EQ(bar.SetDockSide(7), ZAF_DOCK_TOP) << "no such side";
  ZafWindow window(0, 0, 20, 10);
  auto* added = new ZafToolBar(0, 0, 10, 1);
  window.Add(added);
  EXPECT_TRUE(added->SetSupportObject(false)) << "only before the bar has a parent";
}

using ToolBarStorageTest = ZafFieldStorageTest;

TEST_F(ToolBarStorageTest, SideAndWrapReadBack) {
  struct Case {
    int32_t side;
    bool wrap;
  };
  for (const Case c : {Case{ZAF_DOCK_RIGHT, false}, Case{ZAF_DOCK_BOTTOM, true}}) {
    SCOPED_TRACE(c.side);
    ZafToolBar bar(0, 0, 40, 2);
    bar.SetStringID(u"tools");
    bar.SetDockSide(c.side);
    bar.SetWrap(c.wrap);
    bar.Add(new ZafWindowObject(0, 0, 4, 1));
    ASSERT_EQ(bar.Write(persistence), ZAF_ERROR_NONE);
    ZafToolBar read(u"tools", persistence);
    ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
    EXPECT_EQ(read.DockSide(), c.side);
    EXPECT_EQ(read.Wrap(), c.wrap);
    EXPECT_EQ(read.Count(), 1);
    EXPECT_EQ(read.ReadFunction(), &ZafToolBar::Read);
  }
}

}  // namespace
