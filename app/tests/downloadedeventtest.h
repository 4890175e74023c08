#pragma once
// Program tests on a new event window whose results downloaded the simulator's trace: the simulator's port
// named in the options as a user names it, File > New, then Download Trace through the event window's
// results window.

#include <cstdint>

#include "app/framecommands.h"
#include "app/linkport.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultswindow.h"
#include "app/tests/namedportsetup.h"
#include "app/tests/resultslinktest.h"
#include "chart/zafchartcontrol.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztoolbar.h"

class DownloadedEventTest : public NamedPortSetUp<ResultsLinkTest> {
 protected:
  static constexpr int32_t kSimulatorPort = 77;

  static QvZChartWindow* ChartWindow() { return CurrentPane<QvZChartWindow>(PaneKind::kChart); }
  static QvZResultsWindow& ResultsWindow() { return *CurrentPane<QvZResultsWindow>(PaneKind::kResults); }
  static ZafChartControl& Control() { return *ChartWindow()->Pane()->Control(); }
  static KZTBButton* ShowAllChartsButton() {
    return FindIn<KZTBButton>(ResultsWindow().ToolBar(), [](KZTBButton& button) {
      return button.Value() == QvZResultsPane::kShowAllChartsCommand;
    });
  }

  // Queues the steps up to the start of the download; the settle waits after each open move the virtual
  // clock.
  void DownloadIntoNewEvent(const CuScenario& trials = EightLanes()) {
    StartSimulator(trials);
    NameAPort(kSimulatorPort, 19200);
    When(
        "the dialog to close", [] { return Options() == nullptr; },
        [this] {
          LinkPort::SetWait(
              [this](int32_t milliseconds) { driver.advanceClock(static_cast<uint64_t>(milliseconds)); });
          Post(NewCommand);
        });
    DownloadWhenOpen();
  }

  // Queues File > New, which puts a new event in the place of the one open, and a download of other trials
  // from the simulator started anew.
  void DownloadIntoAnotherEvent(const CuScenario& trials) {
    Then([this, trials] {
      StartSimulator(trials);
      Frame()->Event(ZafEventRecord(NewCommand, 0));
    });
    DownloadWhenOpen();
  }

  // Once the event window shows its chart and results, downloads into it.
  void DownloadWhenOpen() {
    When(
        "the event window's chart and results",
        [] {
          return ChartWindow() != nullptr && ChartWindow()->ScreenID() != nullptr &&
                 CurrentPane<QvZResultsWindow>(PaneKind::kResults) != nullptr;
        },
        [] { ResultsWindow().Event(ZafEventRecord(QvZResultsPane::kDownloadTraceCommand, 0)); });
  }
};
