#include <gtest/gtest.h>

#include "framework/core/zafbutton.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafnotebooktab.h"
#include "framework/win32/tests/zafeventobjecttest.h"

namespace {

// Five pages whose tabs are wider together than the 200-pixel notebook on the host window.
class NotebookNativeTest : public ZafEventObjectTest {
 protected:
  NotebookNativeTest() {
    root->SetScreenID(host);
    notebook->SetPlacement(0);
    notebook->SetRegion({10, 10, 209, 139, ZAF_PIXEL});
    for (const char16_t* title : {u"General", u"Timing", u"Wind gauge", u"Results", u"Printing"}) {
      auto* page = new ZafWindow(0, 0, 10, 5);
      page->AddStandardFrame(title);
      notebook->Add(page);
    }
    notebook->SetTabHotKey(2, u'w', 0);
    root->Add(notebook);
    driver.pumpUntilIdle();
  }
  ~NotebookNativeTest() override { root->SetScreenID(nullptr); }

  ZafEventType Key(native::WPARAM key) {
    return notebook->Event(ZafNativeEvent(notebook->ScreenID(), native::WM_KEYDOWN, key, 0));
  }
  // A click at a point of the notebook's own window.
  void Click(int32_t x, int32_t y) {
    const native::RECT area = driver.screenRect(notebook->ScreenID());
    driver.click(area.left + x, area.top + y);
    driver.pumpUntilIdle();
  }
  // A press as the notebook's window procedure hands it over.
  void Press(int32_t x, int32_t y) {
    notebook->Event(ZafNativeEvent(notebook->ScreenID(), native::WM_LBUTTONDOWN, 0,
                                   static_cast<native::LPARAM>((y << 16) | x)));
  }
  ZafWindowObject* Page(int index) { return static_cast<ZafWindowObject*>(notebook->ZafList::Get(index)); }

  ZafNotebook* notebook = new ZafNotebook(0, 0, 1, 1);
};

TEST_F(NotebookNativeTest, TabsOverlapAndOverflowShowsTheArrowButtons) {
  ASSERT_NE(notebook->ScreenID(), nullptr);
  constexpr int32_t kBorder = 2;
  EXPECT_EQ(notebook->Tab(0)->Region().left, kBorder);
  for (int index = 1; index < 5; ++index) {
    SCOPED_TRACE(index);
    const ZafRegionStruct before = notebook->Tab(index - 1)->Region();
    const ZafRegionStruct tab = notebook->Tab(index)->Region();
    EXPECT_EQ(before.right, tab.left + 3);
    // The text's width plus a cell on each side: never narrower than two cells.
    EXPECT_GT(tab.Width(), 2 * ZafWindowObject::display->cellWidth);
    EXPECT_EQ(tab.top, kBorder);
    EXPECT_EQ(tab.bottom, kBorder + 24 - 1);
  }
  // Only the shown page has a native window.
  EXPECT_NE(Page(0)->ScreenID(), nullptr);
  EXPECT_EQ(Page(1)->ScreenID(), nullptr);
  EXPECT_EQ(Page(0)->Region().top, kBorder + 24 + 4);
  ZafButton* back = notebook->ScrollBackButton();
  ZafButton* forward = notebook->ScrollForwardButton();
  ASSERT_TRUE(back && forward);
  EXPECT_TRUE(back->Visible() && forward->Visible());
  EXPECT_TRUE(back->Disabled());
  EXPECT_FALSE(forward->Disabled());
  EXPECT_EQ(forward->Region().right, 199 - kBorder);

  // The forward arrow scrolls the row by one tab; the first visible tab starts at the border.
  Click(forward->Region().left + 5, forward->Region().top + 5);
  EXPECT_EQ(notebook->FirstVisibleTab(), 1);
  EXPECT_EQ(notebook->Tab(1)->Region().left, kBorder);
  EXPECT_FALSE(back->Disabled());
  Click(back->Region().left + 5, back->Region().top + 5);
  EXPECT_EQ(notebook->FirstVisibleTab(), 0);
  EXPECT_EQ(notebook->CurrentPageIndex(), 0);
}

TEST_F(NotebookNativeTest, InEditModeOnlyTheTabsAndArrowsTurnThePages) {
  // Edit mode is set before the native window is made.
  root->Subtract(notebook);
  notebook->SetEditMode(true);
  root->Add(notebook);
  driver.pumpUntilIdle();
  ASSERT_TRUE(notebook->EditMode());
  ZafButton* forward = notebook->ScrollForwardButton();
  ASSERT_NE(forward, nullptr);
  struct Step {
    const char* what;
    std::function<void()> press;
    int32_t shown;
    int32_t firstVisibleTab;
  };
  const Step steps[] = {
      {"a tab", [this] { Click(notebook->Tab(1)->Region().left + 8, 12); }, 1, 0},
      {"the forward arrow", [&] { Click(forward->Region().left + 5, forward->Region().top + 5); }, 1, 1},
      {"the border beside the page", [this] { Press(0, 60); }, 1, 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.press();
    driver.pumpUntilIdle();
    EXPECT_EQ(notebook->CurrentPageIndex(), step.shown);
    EXPECT_EQ(notebook->FirstVisibleTab(), step.firstVisibleTab);
    EXPECT_TRUE(notebook->EditMode());
  }
}

TEST_F(NotebookNativeTest, KeysClicksAndHotKeysTurnThePages) {
  struct Step {
    const char* what;
    std::function<void()> act;
    int32_t shown;
  };
  const Step steps[] = {
      {"Page Down", [this] { Key(native::VK_NEXT); }, 1},
      {"Page Up", [this] { Key(native::VK_PRIOR); }, 0},
      {"Page Up on the first page", [this] { Key(native::VK_PRIOR); }, 0},
      {"Ctrl+Shift+Tab on the first page",
       [this] {
         driver.keyDown(native::VK_CONTROL);
         driver.keyDown(native::VK_SHIFT);
         driver.pumpUntilIdle();
         Key(native::VK_TAB);
         driver.keyUp(native::VK_SHIFT);
         driver.keyUp(native::VK_CONTROL);
       },
       0},
      {"Ctrl+Tab",
       [this] {
         driver.keyDown(native::VK_CONTROL);
         driver.pumpUntilIdle();
         Key(native::VK_TAB);
         driver.keyUp(native::VK_CONTROL);
       },
       1},
      {"click on the first tab", [this] { Press(notebook->Tab(0)->Region().left + 8, 12); }, 0},
      {"click on the shown tab", [this] { Press(notebook->Tab(0)->Region().left + 8, 12); }, 0},
      {"hot key W",
       [this] {
         ZafEventRecord key(HotKeyEvent, 0);
         key.SetKey({0, 'w'});
         notebook->Event(key);
       },
       2},
      {"the last page: the row scrolls until its tab is clear of the arrows",
       [this] { notebook->SetCurrentPageIndex(4); }, 4},
      {"focus into a hidden page shows it", [this] { static_cast<ZafWindow*>(Page(1))->SetFocus(true); }, 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    driver.pumpUntilIdle();
    EXPECT_EQ(notebook->CurrentPageIndex(), step.shown);
    for (int index = 0; index < 5; ++index) {
      EXPECT_EQ(Page(index)->ScreenID() != nullptr, index == step.shown) << index;
      EXPECT_EQ(notebook->Tab(index)->Selected(), index == step.shown) << index;
    }
    if (step.shown == 4) {
      EXPECT_GE(notebook->ScrollBackButton()->Region().left, notebook->Tab(4)->Region().right);
      EXPECT_GT(notebook->FirstVisibleTab(), 0);
    }
  }
}

// A bordered notebook has one frame, the page's, and the shown page's tab opens into it; the margin and the
// tab row show the host's background.
TEST_F(NotebookNativeTest, ThePagesFrameIsTheOnlyFrameAndOpensUnderTheShownTab) {
  constexpr native::COLORREF kBackground = 0xC0C0C0;
  constexpr native::COLORREF kOuterLightEdge = 0xDFDFDF;
  constexpr native::COLORREF kInnerLightEdge = 0xFFFFFF;
  constexpr native::COLORREF kDarkEdge = 0x000000;
  const native::RECT window = driver.screenRect(notebook->ScreenID());
  // The page frame's inner light line; the tabs in front of the page cover its outer one.
  const int32_t pageFrameInner = 2 + 24 - 2 + 1;
  auto middleOf = [this](int tab) {
    const ZafRegionStruct region = notebook->Tab(tab)->Region();
    return (region.left + region.right) / 2;
  };
  struct Spot {
    const char* what;
    int32_t x;
    int32_t y;
    native::COLORREF colour;
  };
  const Spot spots[] = {
      {"margin left of the tab row", 0, 12, kBackground},
      {"margin above the tabs", middleOf(1), 0, kBackground},
      {"margin left of the page", 1, 80, kBackground},
      {"margin below the page", 100, 129, kBackground},
      {"page frame, left edge", 2, 80, kOuterLightEdge},
      {"page frame, bottom edge", 100, 127, kDarkEdge},
      {"page frame under another tab", middleOf(1), pageFrameInner, kInnerLightEdge},
      {"no frame under the shown tab", middleOf(0), pageFrameInner, kBackground},
  };
  for (const Spot& spot : spots) {
    SCOPED_TRACE(spot.what);
    EXPECT_EQ(driver.pixel(window.left + spot.x, window.top + spot.y), spot.colour);
  }
}

}  // namespace
