// The chart of a new event window over a real download: the simulator's port is named in the options,
// Download Trace runs through the event window's results window, and the chart draws the unit's traces (a
// ramp per lane) with the Gun line at the column the chart's projection gives for the gun's sample.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/eventpanetable.h"
#include "app/framecommands.h"
#include "app/linkport.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultswindow.h"
#include "app/tests/namedportsetup.h"
#include "app/tests/resultslinktest.h"
#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_3dtextmarker.h"
#include "chart/cf_chartmodel.h"
#include "chart/zafchartcontrol.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "testing/testpictures.h"

namespace {

constexpr int32_t kSimulatorPort = 77;
// The sample of the gun in the 5001-sample window from -3 s to 2 s.
constexpr double kGunSample = 3000;
// The chart axis that carries the Set, Gun, Legal and Reaction lines.
constexpr int32_t kMarkerAxis = 1;
// Desktop colours: the traces' pen (colour choice 4), a false start's and the lines'.
constexpr native::COLORREF kTraceBlue = 0xff0000;
constexpr native::COLORREF kFalseStartRed = 0x0000ff;
constexpr native::COLORREF kBlack = 0;

class ChartDownloadTest : public NamedPortSetUp<ResultsLinkTest> {
 protected:
  static QvZEventMDI* EventWindow() {
    YZApplication* application = YZApplication::Current();
    return application && application->Frame() ? application->Frame()->CurrentEventWindow() : nullptr;
  }
  template <class Window>
  static Window* PaneWindow() {
    QvZEventMDI* window = EventWindow();
    for (const auto& pane : window ? window->Panes().Panes() : decltype(window->Panes().Panes()){}) {
      if (auto* found = dynamic_cast<Window*>(pane->Window())) {
        return found;
      }
    }
    return nullptr;
  }
  static ZafChartControl& Control() { return *PaneWindow<QvZChartWindow>()->Pane()->Control(); }

  // The desktop column of the marker line without a text (the Gun line), as the chart's projection placed
  // it; -1 before the chart has drawn one.
  int32_t GunColumn() {
    const cf_3DGridTickSeries& axis = Control().GetAxis(kMarkerAxis);
    for (int32_t i = 1; i <= axis.GetItemCount(); ++i) {
      const cf_3DTextMarker& item = *axis.GetItem(i);
      if (item.GetText() == nullptr || item.GetText()->Length() == 0) {
        return driver.screenRect(Control().ScreenID()).left + item.GetAnchorPoint().GetScreenX();
      }
    }
    return -1;
  }
  // The black pixels of a desktop column over the chart control.
  int32_t BlackPixels(int32_t column) {
    const native::RECT chart = driver.screenRect(Control().ScreenID());
    int32_t count = 0;
    for (int32_t y = chart.top; y < chart.bottom; ++y) {
      count += driver.pixel(column, y) == kBlack ? 1 : 0;
    }
    return count;
  }
  // Down a desktop column over the chart control: for each trace (a run of a trace colour), how far it stands
  // above the next black pixel below it, its lane's baseline.
  std::vector<int32_t> TraceLifts(int32_t column) {
    const native::RECT chart = driver.screenRect(Control().ScreenID());
    std::vector<int32_t> lifts;
    bool inTrace = false;
    for (int32_t y = chart.top; y < chart.bottom; ++y) {
      const native::COLORREF colour = driver.pixel(column, y);
      const bool trace = colour == kTraceBlue || colour == kFalseStartRed;
      if (trace && !inTrace) {
        int32_t below = y + 1;
        while (below < chart.bottom && driver.pixel(column, below) != kBlack) {
          ++below;
        }
        lifts.push_back(below - y);
      }
      inTrace = trace;
    }
    return lifts;
  }

  void Snapshot(const std::string& name) { EXPECT_TRUE(driver.snapshot(TestPicturePath(name))); }
};

TEST_F(ChartDownloadTest, DownloadedTracesDrawWithTheGunLineAtItsProjectedColumn) {
  StartSimulator(EightLanes());
  NameAPort(kSimulatorPort, 19200);
  When(
      "the dialog to close", [] { return Options() == nullptr; },
      [this] {
        LinkPort::SetWait(
            [this](int32_t milliseconds) { driver.advanceClock(static_cast<uint64_t>(milliseconds)); });
        Post(NewCommand);
      });
  When(
      "the event window's chart and results",
      [] {
        return PaneWindow<QvZChartWindow>() != nullptr &&
               PaneWindow<QvZChartWindow>()->ScreenID() != nullptr &&
               PaneWindow<QvZResultsWindow>() != nullptr;
      },
      [] {
        PaneWindow<QvZResultsWindow>()->Event(ZafEventRecord(QvZResultsPane::kDownloadTraceCommand, 0));
      });
  AfterOperation([this] {
    EventWindow()->GetEvent()->SetModified(false);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(Control().GetModel()->SeriesCount(), 8);
  });
  When(
      "the chart drawn", [this] { return GunColumn() > 0; },
      [this] {
        Snapshot("chart_download_all.png");
        const int32_t gun = GunColumn();
        const int32_t height =
            driver.screenRect(Control().ScreenID()).bottom - driver.screenRect(Control().ScreenID()).top;
        // The Gun line crosses the whole plot in its column, and only there.
        EXPECT_GT(BlackPixels(gun), height / 2) << gun;
        EXPECT_LT(BlackPixels(gun - 2), height / 10);
        EXPECT_LT(BlackPixels(gun + 2), height / 10);
        // Right of the gun every lane's ramp stands above its baseline, higher the higher the lane's number,
        // and lane 7's false start is red.
        const std::vector<int32_t> lifts = TraceLifts(gun + 50);
        ASSERT_EQ(lifts.size(), 8u);
        for (std::size_t lane = 1; lane < lifts.size(); ++lane) {
          EXPECT_GT(lifts[lane], lifts[lane - 1]) << "lane " << lane + 1;
        }
        EXPECT_GT(lifts.front(), 3);
      });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

}  // namespace
