#include <gtest/gtest.h>

#include <algorithm>

#include "framework/core/zaficon.h"
#include "framework/data/zaficondata.h"
#include "framework/win32/tests/zaffieldtestbed.h"

namespace {

class IconTest : public ZafFieldTest {};

TEST_F(IconTest, SizesToThePictureWithTheTitleBelow) {
  struct Case {
    const char* name;
    const ZafIChar* title;
  };
  const Case cases[] = {{"picture alone", nullptr}, {"picture and title", u"A long icon title"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* icon = new ZafIcon(0, 0, nullptr, c.title);
    icon->SetSystemImage(ZAF_ICON_QUESTION);
    root->Add(icon);
    driver.pumpUntilIdle();
    const native::RECT area = driver.screenRect(icon->ScreenID());
    const ZafRegionStruct title =
        c.title ? screen.TextSize(c.title, -1) : ZafRegionStruct{1, 1, 0, 0, ZAF_PIXEL};
    const int32_t expectedWidth = std::max(32, title.Width());
    const int32_t expectedHeight = c.title ? 32 + ZAF_BUTTON_LAYOUT_GAP + title.Height() : 32;
    EXPECT_EQ(area.right - area.left, expectedWidth);
    EXPECT_EQ(area.bottom - area.top, expectedHeight);
    // The picture is drawn: the question mark's dark blue disc at the top centre.
    EXPECT_EQ(driver.pixel((area.left + area.right) / 2, area.top + 3), native::RGB(0, 0, 128));
    delete root->Subtract(icon);
  }
}

TEST_F(IconTest, AWindowIconBecomesTheFramesIconAndIsNotDrawn) {
  ZafWindow window(2, 2, 20, 6);
  window.AddStandardFrame(u"With icon");
  auto* icon = new ZafIcon(0, 0, nullptr);
  icon->SetSystemImage(ZAF_ICON_APPLICATION);
  icon->SetIconType(ZAF_WINDOW_ICON);
  window.Add(icon);
  manager->Add(&window);
  driver.pumpUntilIdle();
  const native::LRESULT big =
      native::SendMessage(window.ScreenID(2), native::WM_GETICON, native::ICON_BIG, 0);
  const native::LRESULT small =
      native::SendMessage(window.ScreenID(2), native::WM_GETICON, native::ICON_SMALL, 0);
  EXPECT_NE(big, 0);
  EXPECT_EQ(big, small);
  EXPECT_EQ(big, reinterpret_cast<native::LRESULT>(icon->IconData()->Icon()));
  manager->Subtract(&window);
}

}  // namespace
