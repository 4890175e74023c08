// A click on the chart of a new event window in the running program: the chart's pop-up menu opens at the
// pointer with its one item, and choosing that item changes nothing.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/tests/programtest.h"
#include "chart/cf_chartmodel.h"
#include "chart/zafchartcontrol.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "native/user/menupopup.h"
#include "toolkit/kzpopupitem.h"

namespace {

// While it lives, the first wait for input of a menu that `owner` owns runs `step` inside the menu's loop,
// and the commands the menus send the owner are noted in `commands`.
class OpenMenuStep {
 public:
  OpenMenuStep(native::HWND owner, std::function<void(native::HWND popup)> step)
      : owner(owner), step(std::move(step)) {
    active = this;
    previous = reinterpret_cast<native::WNDPROC>(native::GetWindowLong(owner, native::GWL_WNDPROC));
    native::SetWindowLong(owner, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&Procedure));
  }
  ~OpenMenuStep() {
    native::SetWindowLong(owner, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(previous));
    active = nullptr;
  }
  OpenMenuStep(const OpenMenuStep&) = delete;
  OpenMenuStep& operator=(const OpenMenuStep&) = delete;

  std::vector<native::WORD> commands;

 private:
  static native::LRESULT Procedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                   native::LPARAM lParam) {
    OpenMenuStep& self = *active;
    if (message == native::WM_ENTERIDLE && wParam == native::MSGF_MENU && self.step) {
      const auto popup = reinterpret_cast<native::HWND>(lParam);
      std::function<void(native::HWND)> once = std::move(self.step);
      self.step = nullptr;
      once(popup);
    } else if (message == native::WM_COMMAND && lParam == 0) {
      self.commands.push_back(native::LOWORD(wParam));
    }
    return native::CallWindowProc(self.previous, window, message, wParam, lParam);
  }

  static inline OpenMenuStep* active = nullptr;
  native::HWND owner;
  std::function<void(native::HWND)> step;
  native::WNDPROC previous = nullptr;
};

class ChartPopupTest : public ProgramTest {
 protected:
  static QvZChartWindow* Chart() {
    QvZControl* frame = Frame();
    QvZEventMDI* window = frame != nullptr ? frame->CurrentEventWindow() : nullptr;
    PaneWindow* pane = window != nullptr ? window->CurrentWindow(PaneKind::kChart) : nullptr;
    return pane != nullptr ? dynamic_cast<QvZChartWindow*>(pane->Window()) : nullptr;
  }
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
  // What the open menu showed, and where the click was.
  struct Seen {
    std::vector<Item> items;
    native::WORD itemNumber = 0;
    native::RECT popup{};
    native::POINT clicked{};
  };
  Make({u"-noregistry"});
  std::unique_ptr<OpenMenuStep> menuStep;
  Seen shown;
  int32_t pointsBefore = -1;
  Then([] { Post(NewCommand); });
  When(
      "the chart window with its first load",
      [] { return Chart() != nullptr && Control().ScreenID() != nullptr && Points() > 0; },
      [&] {
        Chart()->EventDocument()->SetModified(false);
        pointsBefore = Points();
      });
  for (const Case& c : cases) {
    Then([&] {
      shown = Seen{};
      menuStep = std::make_unique<OpenMenuStep>(Frame()->ScreenID(2), [&](native::HWND popup) {
        if (c.shift) {
          driver.keyUp(native::VK_SHIFT);
        }
        shown.popup = driver.screenRect(popup);
        auto* menu = dynamic_cast<ZafPopUpMenu*>(ZafWindowObject::windowManager->FrontWindow());
        ASSERT_NE(menu, nullptr) << "no pop-up menu in front";
        for (auto* child = menu->FirstChild(); child; child = static_cast<ZafWindowObject*>(child->Next())) {
          if (auto* item = dynamic_cast<KZPopUpItem*>(child)) {
            shown.items.push_back({item->Value(), item->Label().ToUtf8()});
            shown.itemNumber = item->NumberID();
          }
        }
        const std::vector<native::RECT> entries = native::MenuPopup::screenEntries(popup);
        ASSERT_EQ(entries.size(), 1U);
        driver.click((entries[0].left + entries[0].right) / 2, (entries[0].top + entries[0].bottom) / 2);
      });
      const native::RECT chart = driver.screenRect(Control().ScreenID());
      shown.clicked = {(chart.left + chart.right) / 2, (chart.top + chart.bottom) / 2};
      if (c.shift) {
        driver.keyDown(native::VK_SHIFT);
      }
      driver.click(shown.clicked.x, shown.clicked.y, c.button);
    });
    When(
        std::string("the menu's item chosen after a click of the ") + c.name,
        [&] { return menuStep && !menuStep->commands.empty(); },
        [&] {
          SCOPED_TRACE(c.name);
          EXPECT_EQ(shown.items, (std::vector<Item>{{10373, "OPTION1"}}));
          EXPECT_EQ(shown.popup.left, shown.clicked.x);
          EXPECT_EQ(shown.popup.top, shown.clicked.y);
          // The menu reports the item by its number.
          EXPECT_EQ(menuStep->commands, std::vector<native::WORD>{shown.itemNumber});
          menuStep.reset();
        });
    Then([&] {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(dynamic_cast<ZafPopUpMenu*>(ZafWindowObject::windowManager->FrontWindow()), nullptr);
      EXPECT_EQ(FrontMessage(), nullptr);
      EXPECT_FALSE(Chart()->EventDocument()->IsModified());
      EXPECT_EQ(Points(), pointsBefore);
    });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}
