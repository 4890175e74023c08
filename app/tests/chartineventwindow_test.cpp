// The chart window in a new event window of the running program: it takes the built-in layout's chart pane
// below the results, and Maximize and Restore switch it between the whole client area and that place; Ok in
// the local-algorithm dialog reloads it and Cancel leaves it as it is; a new event's chart loads once; a time
// range too small to label is said, and settings that cannot work draw with the defaults and are kept.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzlocalalgorithmdialog.h"
#include "app/tests/chartwindowbutton.h"
#include "app/tests/programtest.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_datagroup.h"
#include "chart/zafchartcontrol.h"
#include "foundation/kmessage.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvevent.h"
#include "model/qvnotification.h"
#include "model/qvsettings.h"
#include "native/native.h"

namespace {

constexpr ZafEventType kModifyLocalAlgorithm = 10174;

// Counts the redraws that reach the views of a document it listens to.
class RedrawCounter : public KMessageObject {
 public:
  int32_t Receive(KMessage& message) override {
    redraws += (message.code & KMessage::kWhatMask) == kQvLegRedraw ? 1 : 0;
    return 0;
  }
  int32_t redraws = 0;
};

class ChartInEventWindowTest : public ProgramTest {
 protected:
  static QvZChartWindow* Chart() { return CurrentPane<QvZChartWindow>(PaneKind::kChart); }
  // The chart window's place in the event window's client area, and that area.
  static native::RECT Place() {
    native::RECT rect{};
    native::GetWindowRect(Chart()->ScreenID(), &rect);
    native::MapWindowPoints(nullptr, CurrentEventWindow()->ScreenID(),
                            reinterpret_cast<native::POINT*>(&rect), 2);
    return rect;
  }
  static QvZLocalAlgorithmDialog* LocalAlgorithmDialog() {
    return dynamic_cast<QvZLocalAlgorithmDialog*>(ZafWindowObject::windowManager->FrontWindow());
  }
  static cf_ChartModel& Model() { return *Chart()->Pane()->Control()->GetModel(); }
  static native::RECT Client() {
    native::RECT rect{};
    native::GetClientRect(CurrentEventWindow()->ScreenID(), &rect);
    return rect;
  }
};

}  // namespace

TEST_F(ChartInEventWindowTest, ChartLiesBelowTheResultsAndMaximizeGivesItTheWholeClientArea) {
  Make({u"-noregistry"});
  native::RECT laidOut{};
  native::RECT enlarged{};
  Then([] { Post(NewCommand); });
  When(
      "the chart window", [] { return Chart() != nullptr && Chart()->ScreenID() != nullptr; },
      [&laidOut] {
        laidOut = Place();
        const native::RECT client = Client();
        // Below the results, down to the bottom, over the whole width.
        EXPECT_GT(laidOut.top, client.bottom / 4);
        EXPECT_NEAR(laidOut.bottom, client.bottom, 3);
        EXPECT_NEAR(laidOut.right - laidOut.left, client.right, 3);
        Chart()->Event(ZafEventRecord(QvZChartWindow::kMaximizeCommand, 0));
      });
  When(
      "the enlarged chart", [&laidOut] { return Place().top < laidOut.top; },
      [&enlarged, &laidOut] {
        // The whole area the layout shares out: the results window is taken off.
        enlarged = Place();
        EXPECT_TRUE(Chart()->Maximized());
        EXPECT_LT(enlarged.top, laidOut.top / 2);
        EXPECT_EQ(enlarged.bottom, laidOut.bottom);
        Chart()->Event(ZafEventRecord(QvZChartWindow::kRestoreCommand, 0));
      });
  When(
      "the chart back in its place", [&laidOut] { return Place().top == laidOut.top; },
      [&laidOut] { EXPECT_EQ(Place().bottom, laidOut.bottom); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

TEST_F(ChartInEventWindowTest, OkInTheLocalAlgorithmDialogReloadsTheChartAndCancelDoesNot) {
  Make({u"-noregistry"});
  Then([] { Post(NewCommand); });
  When(
      "the chart window with its first load",
      [] {
        return Chart() != nullptr && Chart()->ScreenID() != nullptr && Model().SelectSeries(1).HasPoints();
      },
      [] {
        // An emptied chart shows whether the dialog's answer loaded it again.
        Model().ClearData();
      });
  for (const ZafEventType answer : {KZDialog::kCancelResult, KZDialog::kOkResult}) {
    Then([] { Post(kModifyLocalAlgorithm); });
    When(
        "the dialog", [] { return LocalAlgorithmDialog() != nullptr; }, [answer] { Post(answer); });
    When(
        "the dialog to close", [] { return LocalAlgorithmDialog() == nullptr; },
        [answer] {
          EXPECT_EQ(Model().SelectSeries(1).HasPoints(), answer == KZDialog::kOkResult) << answer;
        });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

TEST_F(ChartInEventWindowTest, ANewEventsChartLoadsOnce) {
  Make({u"-noregistry"});
  RedrawCounter counter;
  Then([] { Post(NewCommand); });
  When(
      "the chart window with its first load",
      [] {
        return Chart() != nullptr && Chart()->ScreenID() != nullptr && Model().SelectSeries(1).HasPoints();
      },
      [&counter] { CurrentEventWindow()->GetEvent()->AddListener(&counter); });
  // Idle passes in which the event window serves its document's requests.
  for (int pass = 0; pass < 3; ++pass) {
    Then([] {});
  }
  Then([&counter] {
    CurrentEventWindow()->GetEvent()->RemoveListener(&counter);
    EXPECT_EQ(counter.redraws, 0);
    EXPECT_TRUE(Model().SelectSeries(1).HasPoints());
  });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

TEST_F(ChartInEventWindowTest, ATooSmallRangeIsSaidAndUnworkableSettingsDrawWithTheDefaultsKeptAsUsed) {
  const std::u16string tooSmall =
      u"The time range for this chart is too small.  Please pick a larger time range.";
  // The configuration written at exit keeps the values used.
  Make();
  Setting(u"\\Chart\\Axes\\MinX:Float=-0.004");
  Setting(u"\\Chart\\Axes\\MaxX:Float=0");
  Then([] { Post(NewCommand); });
  AnswerWithKey(tooSmall, native::VK_RETURN);
  When(
      "the chart window", [] { return Chart() != nullptr && Chart()->ScreenID() != nullptr; },
      [] {
        EXPECT_EQ(Model().GetDomain().Count(), 0);
        for (const char16_t* line : {u"\\Chart\\Axes\\MinX:Float=5", u"\\Chart\\Axes\\MaxX:Float=-9",
                                     u"\\Chart\\Plotting\\PowerRoundVal:Int=0"}) {
          ASSERT_TRUE(QvSettings::Write(KString(line)));
        }
        Frame()->RedrawAllEvents();
      });
  // The default range, -3 s to 2 s, labelled every tenth of a second.
  When(
      "the chart drawn over the default range", [] { return Model().GetDomain().Count() == 51; }, [] {});
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1U);
  const std::string configuration = ReadFile("kestrove.cfg");
  for (const char* line : {"MinX:Float=-3", "MaxX:Float=2", "PowerRoundVal:Int=1000"}) {
    EXPECT_NE(configuration.find(line), std::string::npos) << line;
  }
}

TEST_F(ChartInEventWindowTest, AChartWithoutResultsShowsEveryLaneAndAClickMakesItCurrent) {
  Make({u"-noregistry"});
  Setting(u"\\Event\\Layout\\Chart:String=0,0,100,100");
  QvZChartWindow* chart = nullptr;
  Then([] { Post(NewCommand); });
  When(
      "the chart window", [] { return Chart() != nullptr && Chart()->ScreenID() != nullptr; },
      [&chart] {
        chart = Chart();
        EXPECT_EQ(KString(chart->ToolBar()->Caption()).ToUtf8(), "     (Set Time = N/A)");
        EXPECT_FALSE(ChartWindowButton(*chart, 10488)->Visible()) << "reaction line";
        EXPECT_FALSE(ChartWindowButton(*chart, QvZChartWindow::kShowPowerCommand)->Visible());
        CurrentEventWindow()->SetCurrentChart(nullptr);
      });
  // A click on the chart's Set line switch, twice so that the line ends as it was.
  for (int click = 0; click < 2; ++click) {
    Then([this, &chart] { Click(ChartWindowButton(*chart, QvZChartWindow::kShowSetCommand)); });
  }
  When(
      "the clicked chart as the current one", [&chart] { return Chart() == chart; }, [] {});
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}
