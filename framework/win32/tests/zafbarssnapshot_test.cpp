#include <gtest/gtest.h>

#include <filesystem>

#include "framework/core/zafbutton.h"
#include "framework/core/zafcombobox.h"
#include "framework/core/zafprompt.h"
#include "framework/core/zafscrollbar.h"
#include "framework/core/zafstatusbar.h"
#include "framework/core/zafstring.h"
#include "framework/core/zaftoolbar.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/tests/zaffieldtestbed.h"
#include "testing/testpictures.h"

namespace {

using BarsSnapshotTest = ZafFieldTest;

// One window with every kind of bar, a list and a dropped combo box, as the program's windows combine
// them; the picture is left in the build tree for people to look at.
TEST_F(BarsSnapshotTest, AWindowWithToolStatusAndScrollBarsASliderAListAndAComboBox) {
  auto* window = new ZafWindow(0, 0, 1, 1);
  window->SetRegion({4, 4, 283, 163, ZAF_PIXEL});
  auto* tools = new ZafToolBar(0, 0, 1, 1);
  tools->Add(new ZafButton(0, 0, 8, 1, u"Start"));
  tools->Add(new ZafButton(0, 0, 8, 1, u"Stop"));
  window->Add(tools);
  auto* status = new ZafStatusBar(0, 0, 1, 1);
  status->SetRegion({0, 0, 0, 21, ZAF_PIXEL});
  status->Add(new ZafPrompt(0, 0, 12, u"Ready"));
  window->Add(status);
  auto* vertical = new ZafScrollBar(0, 0, 0, 0, 0, 100, 30, 1, 20, ZAF_VERTICAL_SCROLL);
  auto* horizontal = new ZafScrollBar(0, 0, 0, 0, 0, 100, 60, 1, 20, ZAF_HORIZONTAL_SCROLL);
  window->Add(vertical);
  window->Add(horizontal);
  auto* slider = new ZafScrollBar(10, 10, 150, 23, 0, 10, 7, 1, 1, ZAF_HORIZONTAL_SLIDER);
  slider->SetRegion({10, 10, 159, 32, ZAF_PIXEL});
  window->Add(slider);
  auto* list = new ZafVtList(0, 0, 1, 1);
  list->SetRegion({10, 38, 129, 88, ZAF_PIXEL});
  for (const ZafIChar* text : {u"Lane 1", u"Lane 2", u"Lane 3"}) {
    list->Add(new ZafString(0, 0, 10, text));
  }
  static_cast<ZafWindowObject*>(list->Get(1))->SetSelected(true);
  window->Add(list);
  auto* combo = new ZafComboBox(0, 0, 1, 1);
  combo->SetRegion({140, 38, 259, 59, ZAF_PIXEL});
  combo->List()->SetRegion({0, 0, 119, 59, ZAF_PIXEL});
  combo->SetViewOnly(true);
  for (const ZafIChar* text : {u"Heat 1", u"Heat 2", u"Heat 3"}) {
    combo->Add(new ZafString(0, 0, 10, text));
  }
  static_cast<ZafWindowObject*>(combo->List()->Get(0))->SetSelected(true);
  window->Add(combo);
  root->Add(window);
  driver.pumpUntilIdle();
  // Shown dropped down, its list over the window.
  native::SendMessage(combo->ScreenID(), native::CB_SHOWDROPDOWN, native::TRUE, 0);
  driver.pumpUntilIdle();

  ASSERT_NE(tools->ScreenID(), nullptr);
  ASSERT_NE(status->ScreenID(), nullptr);
  ASSERT_NE(slider->ScreenID(), nullptr);
  EXPECT_LT(driver.screenRect(tools->ScreenID()).bottom, driver.screenRect(slider->ScreenID()).top);
  EXPECT_GT(driver.screenRect(status->ScreenID()).top, driver.screenRect(slider->ScreenID()).bottom);
  EXPECT_EQ(native::SendMessage(slider->ScreenID(), native::TBM_GETPOS, 0, 0), -32767 + 7);
  EXPECT_EQ(native::SendMessage(list->ScreenID(), native::LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(native::SendMessage(combo->ScreenID(), native::CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(ZafWindowManager::droppedComboBox, combo->ScreenID());
  EXPECT_EQ(native::GetScrollPos(window->ScreenID(), native::SB_VERT), -32767 + 30);
  EXPECT_EQ(native::GetScrollPos(window->ScreenID(), native::SB_HORZ), -32767 + 60);
  const std::string path = TestPicturePath("window_bars.png");
  ASSERT_TRUE(driver.snapshot(path));
  EXPECT_GT(std::filesystem::file_size(path), 0u);
  native::SendMessage(combo->ScreenID(), native::CB_SHOWDROPDOWN, native::FALSE, 0);
  EXPECT_EQ(ZafWindowManager::droppedComboBox, nullptr);
  root->Subtract(window);
  delete window;
}

}  // namespace
