// The pop-up menus of the event window's panes in the running program, each opened and answered with
// clicks as a user does: the item clicked in the menu takes effect after the menu is gone.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/linkbusy.h"
#include "app/qvzeventpane.h"
#include "app/qvzeventwindow.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultswindow.h"
#include "app/qvzwindwindowdialog.h"
#include "app/tests/dialogtestsupport.h"
#include "app/tests/programtest.h"
#include "devices/qvpacket.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafwindowmanager.h"
#include "imaging/yimage.h"
#include "model/qvevent.h"
#include "model/qveventview.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"
#include "model/ywind.h"
#include "native/native.h"
#include "native/user/menupopup.h"
#include "toolkit/kzpopupmenu.h"
#include "tools/cusim/cusimulator.h"

namespace {

class PopUpChoiceTest : public ProgramTest {
 protected:
  PopUpChoiceTest() : ProgramTest({1024, 768, 96}) {}
  ~PopUpChoiceTest() override { unsetenv("KESTROVE_COM77"); }

  static ZafPopUpMenu* FrontMenu() {
    return dynamic_cast<ZafPopUpMenu*>(ZafWindowObject::windowManager->FrontWindow());
  }

  // Opens the menu with a right-click at `at` (screen pixels, asked when the step runs), checks which
  // item is marked, and clicks the middle of the item at `index` (separators not counted).
  void ChooseFromMenu(std::function<KPoint()> at, int32_t checked, int32_t index) {
    AnswerPopUpMenu(
        [this, at] {
          const KPoint point = at();
          driver.click(point.x, point.y, native::TestDriver::Right);
        },
        [this, checked, index](native::HWND popup) {
          ZafPopUpMenu* menu = FrontMenu();
          ASSERT_NE(menu, nullptr) << "no pop-up menu in front";
          for (int32_t item = 0; FindItem(*menu, item, true); ++item) {
            EXPECT_EQ(IsItemChecked(*menu, item, true), item == checked) << "item " << item;
          }
          std::vector<native::RECT> entries;
          for (const native::RECT& entry : native::MenuPopup::screenEntries(popup)) {
            if (entry.bottom - entry.top > 10) {
              entries.push_back(entry);
            }
          }
          ASSERT_LT(static_cast<size_t>(index), entries.size());
          const native::RECT& entry = entries[static_cast<size_t>(index)];
          driver.click((entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2);
        });
    When(
        "the menu closed", [] { return FrontMenu() == nullptr; }, [] {});
  }

  std::unique_ptr<CuSimulator> simulator;
};

}  // namespace

TEST_F(PopUpChoiceTest, DidNotStartChosenOnADownloadedRowSetsTheStatusAndSendsTheLaneStates) {
  CuScenario scenario;
  scenario.reactionTimes = {150, 142, 95, 88, 88, CuScenario::kNone, -20, 133};
  simulator = std::make_unique<CuSimulator>(scenario);
  setenv("KESTROVE_COM77", simulator->DevicePath().c_str(), 1);
  Setting(u"\\SerialPorts\\Control unit\\SerialPort:String=77,19200,8,N,1.0");
  Setting(u"\\Serial\\ShortTimeout:Int=100");
  Make({u"-noregistry"});
  const auto pane = [] { return CurrentPane<QvZResultsWindow>(PaneKind::kResults)->Pane(); };
  Then([] { Post(NewCommand); });
  When(
      "the results pane of a new event", [] { return CurrentPane<QvZResultsWindow>(PaneKind::kResults); },
      [] { Post(QvZResultsPane::kAddReactionTimesCommand); });
  When(
      "the download's end", [this] { return !LinkBusyClaim::LinkIsBusy() && !simulator->Requests().empty(); },
      [] {});
  size_t requestsBefore = 0;
  ChooseFromMenu(
      [&] {
        requestsBefore = simulator->Requests().size();
        const KRect row = pane()->UnitToScreen(KRect{0, 2, 0, 2});
        return KPoint{row.left + 4, (row.top + row.bottom) / 2};
      },
      QvResult::kValid, 1);
  When(
      "the lane states sent",
      [&] { return !LinkBusyClaim::LinkIsBusy() && simulator->Requests().size() > requestsBefore; },
      [&] {
        CurrentEventWindow()->GetEvent()->SetModified(false);
        EXPECT_EQ(pane()->ResultAt(2)->Status(), QvResult::kDidNotStart);
        std::vector<std::vector<uint32_t>> sent;
        for (size_t at = requestsBefore; at < simulator->Requests().size(); ++at) {
          if (simulator->Requests()[at].command == QvPacket::kLaneStates) {
            sent.push_back(simulator->Requests()[at].words);
          }
        }
        // Lane 3 did not start: 1 in its two bits from bit 6.
        EXPECT_EQ(sent, (std::vector<std::vector<uint32_t>>{{1, 0x40}}));
      });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}

TEST_F(PopUpChoiceTest, TheSummaryPanesMenusSetTheirRowsItem) {
  struct Case {
    const char* name;
    int32_t rowKind;
    int32_t column;
    int32_t checked;
    int32_t chosen;
    // Whether the measuring-window dialog comes up, answered with OK.
    bool asks;
    std::function<int32_t()> result;
    int32_t expected;
  };
  YWind* wind = nullptr;
  YImage* image = nullptr;
  const Case cases[] = {
      {"units: metres per second", QvEventView::kWindRow, 2, 3, 2, false, [&] { return wind->Units(); },
       YWind::kMetresPerSecond},
      {"wind mode: custom", QvEventView::kWindRow, 3, 0, 1, true, [&] { return wind->Mode(); }, 1},
      {"density: medium", QvEventView::kImageRow, 2, 2, 1, false,
       [&] { return image->Camera().Parameter(7); }, 1},
      {"frame layout: bottom", QvEventView::kImageRow, 3, 0, 2, false,
       [&] { return image->Camera().Parameter(5); }, 2},
  };
  WriteFile(
      "kestrove.cfg",
      "Registry Version: 1.00\n\\Event\\Layout\\:=\n\\Event\\Layout\\Summary1:String=0,0,100,100,Summary\n");
  const auto pane = [] {
    return dynamic_cast<QvZEventWindow*>(CurrentEventWindow()->CurrentWindow(PaneKind::kSummary))->Pane();
  };
  const auto rowOf = [pane](int32_t kind) {
    for (int32_t row = 0; row < 20; ++row) {
      if (pane()->KindOf(row) == kind) {
        return row;
      }
    }
    return -1;
  };
  Then([] { Post(NewCommand); });
  When(
      "the summary pane of a new event",
      [] { return CurrentEventWindow() && CurrentEventWindow()->CurrentWindow(PaneKind::kSummary); },
      [&] {
        QvEvent* event = CurrentEventWindow()->GetEvent();
        wind = event->Wind(0);
        image = static_cast<YImage*>(event->Leg(0)->InsertImage(0, std::make_unique<YImage>(), 0));
        image->Camera().SetParameter(0, YCamera::kTypeRaw, false);
        pane()->Refresh();
      });
  for (const Case& c : cases) {
    ChooseFromMenu(
        [&] {
          const KPoint cell{0, rowOf(c.rowKind)};
          KRect rect = pane()->CellRegion(cell);
          pane()->ColumnRegion(cell, c.column, rect, KZSelector::kColumnArea);
          const KRect screen = pane()->ToScreenRect(rect);
          return KPoint{(screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2};
        },
        c.checked, c.chosen);
    if (c.asks) {
      When(
          "the measuring-window dialog",
          [] {
            return FindIn<QvZWindWindowDialog>(ZafWindowObject::windowManager->FrontWindow(),
                                               [](QvZWindWindowDialog&) { return true; });
          },
          [this] {
            Click(ButtonGiving(ZafWindowObject::windowManager->FrontWindow(), KZDialog::kOkResult));
          });
    }
    When(
        std::string("the choice of ") + c.name, [&] { return c.result() == c.expected; }, [] {});
  }
  Then([] { CurrentEventWindow()->GetEvent()->SetModified(false); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}
