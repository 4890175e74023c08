#include <gtest/gtest.h>

#include <memory>

#include "framework/core/tests/zaffieldstoragetest.h"
#include "framework/core/zafscrollbar.h"
#include "framework/data/zafscrolldata.h"
#include "framework/data/zafstrlib.h"

namespace {

TEST(ScrollBar, KindDecidesWhetherTheBarIsAWindowsOwn) {
  struct Case {
    int32_t type;
    bool support;
    ZafNumberID numberID;
    const char16_t* stringID;
  };
  const Case cases[] = {
      {ZAF_CORNER_SCROLL, true, ZAF_NUMID_CORNER_SCROLL, u"ZAF_CORNER_SCROLL"},
      {ZAF_HORIZONTAL_SCROLL, true, ZAF_NUMID_HZ_SCROLL, u"ZAF_HORIZONTAL_SCROLL"},
      {ZAF_VERTICAL_SCROLL, true, ZAF_NUMID_VT_SCROLL, u"ZAF_VERTICAL_SCROLL"},
      {ZAF_HORIZONTAL_SLIDER, false, 0, nullptr},
      {ZAF_VERTICAL_SLIDER, false, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ZafScrollBar bar(c.type);
    EXPECT_EQ(bar.SupportObject(), c.support);
    EXPECT_EQ(bar.OwnNativeWindow(), !c.support);
    EXPECT_EQ(bar.Placement(), c.support ? 2 : 0);
    EXPECT_EQ(bar.NonCurrent(), c.support);
    EXPECT_EQ(bar.NumberID(), c.numberID);
    EXPECT_EQ(ZafStrCmp(bar.StringID() ? bar.StringID() : u"", c.stringID ? c.stringID : u""), 0);
    EXPECT_EQ(bar.SetSupportObject(true), c.support) << "a slider never is one";
    EXPECT_FALSE(bar.SetDestroyable(true) || bar.SetBordered(true) || bar.SetSizeable(true));
    EXPECT_EQ(bar.ScrollData()->Scroll(), (ZafScrollStruct{0, 0, 100, 1, 1}));
  }
}

TEST(ScrollBar, WindowFindsItsOwnBarsOnly) {
  ZafWindow window(0, 0, 20, 10);
  auto* corner = new ZafScrollBar(ZAF_CORNER_SCROLL);
  auto* vertical = new ZafScrollBar(ZAF_VERTICAL_SCROLL);
  window.Add(corner);
  window.Add(vertical);
  window.Add(new ZafScrollBar(ZAF_HORIZONTAL_SLIDER));
  EXPECT_EQ(window.CornerScrollBar(), corner);
  EXPECT_EQ(window.VerticalScrollBar(), vertical);
  EXPECT_EQ(window.HorizontalScrollBar(), nullptr) << "a slider is a child, not the window's bar";
  EXPECT_TRUE(vertical->SetSupportObject(false)) << "only before the bar has a parent";
  EXPECT_EQ(window.VerticalScrollBar(), vertical);
}

TEST(ScrollBar, SharedDataLivesAsLongAsItsLastObserver) {
  auto* shared = new ZafScrollData(0, 10, 5, 1, 1);
  auto first = std::make_unique<ZafScrollBar>(0, 0, 1, 1, shared, ZAF_HORIZONTAL_SLIDER);
  auto second = std::make_unique<ZafScrollBar>(0, 0, 1, 1, shared, ZAF_VERTICAL_SLIDER);
  EXPECT_EQ(shared->Count(), 2);
  // A copy shares destroyable data only as a copy of it.
  auto copy = std::make_unique<ZafScrollBar>(*first);
  EXPECT_NE(copy->ScrollData(), shared);
  EXPECT_EQ(copy->ScrollData()->Scroll(), shared->Scroll());
  shared->SetDestroyable(false);
  auto sharing = std::make_unique<ZafScrollBar>(*first);
  EXPECT_EQ(sharing->ScrollData(), shared);
  shared->SetDestroyable(true);
  sharing.reset();
  first.reset();
  EXPECT_EQ(second->ScrollData(), shared);
  EXPECT_EQ(shared->Count(), 1);
  // Deleting the data under a bar leaves the bar with data of its own, not a dangling pointer.
  delete shared;
  ASSERT_NE(second->ScrollData(), nullptr);
  EXPECT_EQ(second->ScrollData()->Count(), 1);
  second->ScrollData()->SetCurrent(0);
}

using ScrollBarStorageTest = ZafFieldStorageTest;

TEST_F(ScrollBarStorageTest, BarAndDataReadBack) {
  struct Case {
    int32_t type;
    bool automaticSize;
  };
  const Case cases[] = {
      {ZAF_VERTICAL_SCROLL, true}, {ZAF_HORIZONTAL_SLIDER, false}, {ZAF_VERTICAL_SLIDER, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ZafScrollBar bar(2, 3, 40, 5, -10, 300, 77, 3, 30, c.type);
    bar.SetAutomaticSize(c.automaticSize);
    bar.SetStringID(u"bar");
    ASSERT_EQ(bar.Write(persistence), ZAF_ERROR_NONE);
    ZafScrollBar read(u"bar", persistence);
    ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
    EXPECT_EQ(read.ScrollType(), c.type);
    EXPECT_EQ(read.AutomaticSize(), c.automaticSize);
    EXPECT_EQ(read.SupportObject(), !ZafScrollBar::IsSlider(c.type));
    EXPECT_EQ(read.OwnNativeWindow(), ZafScrollBar::IsSlider(c.type));
    EXPECT_EQ(read.ScrollData()->Scroll(), (ZafScrollStruct{77, -10, 300, 30, 3}));
    EXPECT_EQ(read.ReadFunction(), &ZafScrollBar::Read);
    ExpectEveryCutRefused<ZafScrollBar>(bar, 0);
  }
}

}  // namespace
