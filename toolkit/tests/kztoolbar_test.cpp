#include "toolkit/kztoolbar.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/core/zafdisplay.h"
#include "framework/data/zafbitmapdata.h"
#include "toolkit/kzevents.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kzwindow.h"
#include "toolkit/tests/kzpanetestbed.h"

namespace {

// A window that counts the focus requests its tool bar's buttons send it.
class NotedWindow : public KZWindow {
 public:
  NotedWindow() : KZWindow(0, 0, 0, 0) { SetRegion({10, 10, 409, 159, ZAF_PIXEL}); }
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == LeechNotifyEvent) {
      ++focusRequests;
    }
    return KZWindow::Event(event);
  }
  int focusRequests = 0;
};

class KZToolBarTest : public KZPaneTest {
 protected:
  // A window with a bar at its top laid out by the framework, holding the items given.
  KZToolBar* ShowBar(const std::vector<ZafWindowObject*>& items) {
    window = new NotedWindow;
    auto* bar = new KZToolBar(ZAF_DOCK_TOP, -1);
    for (ZafWindowObject* item : items) {
      bar->Add(item);
    }
    window->Add(bar);
    Show(window);
    return bar;
  }

  NotedWindow* window = nullptr;
};

}  // namespace

TEST_F(KZToolBarTest, ButtonsAreSizedFromTheirPictureOrTheirCells) {
  struct Case {
    const char* name;
    KZTBButton button;
    int32_t width;
    int32_t height;
  } cases[] = {
      {"a 16 x 15 picture", {1, new ZafBitmapData(16, 15), 0, 0}, 22, 21},
      {"with extra size", {1, new ZafBitmapData(16, 15), 4, 2}, 26, 23},
      {"text in 5 cells",
       {1, u"Go", 5},
       5 * ZafWindowObject::display->cellWidth,
       KZWindowObjectLeech::FontHeight(1) + 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ZafRegionStruct expected{0, 0, c.width - 1, c.height - 1, ZAF_PIXEL};
    EXPECT_EQ(c.button.Region(), expected);
  }
}

TEST_F(KZToolBarTest, TheCaptionFollowsTheLastItem) {
  struct Case {
    const char* name;
    bool withButton;
    const char16_t* caption;
    int32_t first;  // the caption's first dark column in the bar (-1: nothing drawn)
  } cases[] = {
      // The framework lays the first item out at 2: the caption begins 3 pixels after its 22.
      {"after the last item", true, u"Lane 4", 2 + 22 + KZToolBar::kCaptionGap},
      {"from the left edge without items", false, u"Lane 4", 0},
      {"an empty caption draws nothing", true, u"", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* button = new KZTBButton(1, new ZafBitmapData(16, 15), 0, 0);
    KZToolBar* bar =
        ShowBar(c.withButton ? std::vector<ZafWindowObject*>{button} : std::vector<ZafWindowObject*>{});
    if (c.withButton) {
      const native::RECT placed = driver.screenRect(button->ScreenID());
      EXPECT_EQ(KPoint(placed.right - placed.left, placed.bottom - placed.top), KPoint(22, 21));
    } else {
      delete button;
    }
    EXPECT_TRUE(bar->SetText(u"Start"));
    EXPECT_TRUE(bar->SetText(c.caption));
    EXPECT_FALSE(bar->SetText(c.caption)) << "the same text again";
    EXPECT_EQ(bar->flags & KZWindowObjectLeech::kRedisplayOnGeometry, *c.caption != 0 ? 1u : 0u);
    driver.pumpUntilIdle();
    const KRect area = bar->LocalRegion();
    const int32_t from = c.withButton ? 2 + 22 : 0;
    const std::vector<int32_t> dark = DarkColumns(*bar, from, area.right, 0, area.bottom - 2);
    if (c.first < 0) {
      EXPECT_TRUE(dark.empty());
    } else {
      ASSERT_FALSE(dark.empty());
      EXPECT_GE(dark.front(), c.first);
      EXPECT_LE(dark.front(), c.first + 3);
    }
    ZafWindowObject::windowManager->Subtract(window);
    delete window;
  }
}

TEST_F(KZToolBarTest, AReleasedButtonGivesTheFocusBackOnlyWhenTheBarAsks) {
  for (const bool notify : {true, false}) {
    SCOPED_TRACE(notify);
    auto* button = new KZTBButton(1, new ZafBitmapData(16, 15), 0, 0);
    KZToolBar* bar = ShowBar({button});
    bar->SetNotifyParent(notify);
    const native::RECT placed = driver.screenRect(button->ScreenID());
    driver.click((placed.left + placed.right) / 2, (placed.top + placed.bottom) / 2);
    driver.pumpUntilIdle();
    EXPECT_EQ(window->focusRequests, notify ? 1 : 0);
    ZafWindowObject::windowManager->Subtract(window);
    delete window;
  }
}
