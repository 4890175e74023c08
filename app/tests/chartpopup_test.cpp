// A click on the chart of a new event window in the running program: the chart's pop-up menu opens at the
// pointer with its one item, and choosing that item changes nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/tests/menuloopscript.h"
#include "app/tests/programtest.h"
#include "chart/cf_chartmodel.h"
#include "chart/zafchartcontrol.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "native/user/menubar.h"
#include "native/user/menupopup.h"
#include "toolkit/kzpopupitem.h"

namespace {

class ChartPopupTest : public ProgramTest {
 protected:
  static QvZChartWindow* Chart() { return CurrentPane<QvZChartWindow>(PaneKind::kChart); }
  static ZafChartControl& Control() { return *Chart()->Pane()->Control(); }
  // The points of the chart's first series.
  static int32_t Points() { return Control().GetModel()->SelectSeries(1).Count(); }
};

}  // namespace

TEST_F(ChartPopupTest, AClickOnTheChartOpensTheOneItemMenuThereAndTheItemChangesNothing) {
  struct Case {
    const char* name;
    native::TestDriver::Button button;
    bool shift;
  };
  static const Case cases[] = {{"left button", native::TestDriver::Left, false},
                               {"right button with Shift", native::TestDriver::Right, true}};
  struct Item {
    int32_t value;
    std::string label;
    bool operator==(const Item&) const = default;
  };
  Make({u"-noregistry"});
  int32_t pointsBefore = -1;
  Then([] { Post(NewCommand); });
  When(
      "the chart window with its first load",
      [] { return Chart() != nullptr && Control().ScreenID() != nullptr && Points() > 0; },
      [&] { pointsBefore = Points(); });
  native::POINT clicked{};
  for (const Case& c : cases) {
    AnswerPopUpMenu(
        [&] {
          const native::RECT chart = driver.screenRect(Control().ScreenID());
          clicked = {(chart.left + chart.right) / 2, (chart.top + chart.bottom) / 2};
          if (c.shift) {
            driver.keyDown(native::VK_SHIFT);
          }
          driver.click(clicked.x, clicked.y, c.button);
        },
        [&](native::HWND popup) {
          SCOPED_TRACE(c.name);
          if (c.shift) {
            driver.keyUp(native::VK_SHIFT);
          }
          const native::RECT shown = driver.screenRect(popup);
          EXPECT_EQ(shown.left, clicked.x);
          EXPECT_EQ(shown.top, clicked.y);
          auto* menu = dynamic_cast<ZafPopUpMenu*>(ZafWindowObject::windowManager->FrontWindow());
          ASSERT_NE(menu, nullptr) << "no pop-up menu in front";
          std::vector<Item> items;
          for (auto* child = menu->FirstChild(); child;
               child = static_cast<ZafWindowObject*>(child->Next())) {
            if (auto* item = dynamic_cast<KZPopUpItem*>(child)) {
              items.push_back({item->Value(), item->Label().ToUtf8()});
            }
          }
          EXPECT_EQ(items, (std::vector<Item>{{10373, "OPTION1"}}));
          const std::vector<native::RECT> entries = native::MenuPopup::screenEntries(popup);
          ASSERT_EQ(entries.size(), 1U);
          driver.click((entries[0].left + entries[0].right) / 2, (entries[0].top + entries[0].bottom) / 2);
        });
    When(
        std::string("the menu closed after a click of the ") + c.name,
        [] { return dynamic_cast<ZafPopUpMenu*>(ZafWindowObject::windowManager->FrontWindow()) == nullptr; },
        [&] {
          SCOPED_TRACE(c.name);
          EXPECT_EQ(FrontMessage(), nullptr);
          EXPECT_FALSE(Chart()->EventDocument()->IsModified());
          EXPECT_EQ(Points(), pointsBefore);
        });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}

// The event window minimised by its box and restored by a double click on its title: the button's release
// lands on the chart now under the pointer, and opens nothing there, its press having been on the title.
TEST_F(ChartPopupTest, AReleaseWhosePressWasElsewhereOpensNoMenu) {
  Make({u"-noregistry"});
  Then([] { Post(NewCommand); });
  native::HWND document = nullptr;
  std::unique_ptr<MenuLoopScript> inMenu;  // a pop-up menu opened by mistake still runs the script
  When(
      "the chart window with its first load",
      [] { return Chart() != nullptr && Control().ScreenID() != nullptr && Points() > 0; },
      [&] {
        Chart()->EventDocument()->SetModified(false);
        document = CurrentEventWindow()->ScreenID(2);
        // The minimise box, the third last entry of the frame's menu bar while the document is maximised.
        const std::vector<native::RECT> entries = native::MenuBar::screenEntries(Frame()->ScreenID(2));
        const native::RECT box = entries.at(entries.size() - 3);
        driver.click((box.left + box.right) / 2, (box.top + box.bottom) / 2);
      });
  When(
      "the event window minimised", [&] { return native::IsIconic(document) != native::FALSE; },
      [&] {
        inMenu = std::make_unique<MenuLoopScript>(Frame()->ScreenID(2), script);
        const native::RECT icon = driver.screenRect(document);
        driver.advanceClock(1000);
        driver.doubleClick(icon.left + 40, icon.top + native::GetSystemMetrics(native::SM_CYCAPTION) / 2 + 4);
      });
  When(
      "the event window restored", [&] { return native::IsIconic(document) == native::FALSE; },
      [&] {
        EXPECT_NE(native::IsZoomed(document), native::FALSE) << "back as it was before, maximised";
        if (MenuLoopScript::WaitingMenu() != nullptr) {
          // This step runs in the stray menu's wait: Escape ends the menu, and the script stays with it
          // until then.
          ADD_FAILURE() << "a pop-up menu opened";
          native::PostMessage(Frame()->ScreenID(2), native::WM_KEYDOWN, native::VK_ESCAPE, 0);
          return;
        }
        inMenu.reset();
      });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}
