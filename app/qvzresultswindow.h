#pragma once
// The results window of an event window's results pane: a tool bar with the download, schedule, print and
// show-all-charts buttons and the trial's start time, above the results table. It follows one results view
// of the event's result list, passes the Results menu's commands to the table and carries the all-traces
// flag that the chart pane reads.

#include <cstdint>

#include "app/chartrows.h"
#include "app/panewindow.h"
#include "model/qvresultsview.h"
#include "toolkit/kzwindow.h"

class KZTBButton;
class KZToolBar;
class QvResult;
class QvResults;
class QvZResultsPane;

class QvZResultsWindow : public KZWindow,
                         public PaneWindow,
                         public ChartRowsSource,
                         public QvResultsView::Window {
 public:
  // The commands the window passes to its table.
  static constexpr ZafEventType kFirstCommand = 10491;
  static constexpr ZafEventType kLastCommand = 10541;

  explicit QvZResultsWindow(QvResultsView* view);
  ~QvZResultsWindow() override;

  // Class set-up: the tool bar's bitmaps for every results window, the results printer, and the window's
  // maker for the event windows' results panes. The clean-up takes them back.
  static void SetupClass();
  static void CleanupClass();
  static void CreateBitmaps();
  static void DestroyBitmaps();

  // Follows another view (null: none) and rebuilds the title.
  void SetEvent(QvResultsView* view);
  QvResultsView* View() const { return itsView; }
  QvResults* Results() const { return itsResults; }
  QvZResultsPane* Pane() const { return pane; }
  KZToolBar* ToolBar() const { return toolBar; }

  // The tool bar's text: the trial's start time and date, when the view shows any result.
  void UpdateTitle(bool redraw);
  // Makes the result's row current, scrolled into view.
  void Notify(QvResult& result);
  // Sends the event's second title, and the lane states, to the control unit.
  void RunSensorCommandA();
  void RunSensorCommandB();

  bool AllTraces() const { return allTraces; }
  void SetAllTraces(bool on) { allTraces = on; }
  void ShowAllChartsButton(bool visible);

  ZafEventType Event(const ZafEventRecord& event) override;

  // ---- as an event window's pane ----
  ZafWindowObject* Window() override { return this; }
  void TakeModel(const PaneModel& model) override { SetEvent(model.resultsView); }
  bool HasView() const override { return itsView != nullptr; }
  void ReleaseView() override { SetEvent(nullptr); }

  // ---- to the charts of its event window ----
  const QvResultFilter* ChartFilter() const override { return itsView; }
  bool ChartAllTraces() const override { return allTraces; }

  // ---- as the view's window ----
  void ShowResult(QvResult& result) override { Notify(result); }
  void Notify(const KMessage& message) override;

 private:
  QvResults* itsResults = nullptr;
  QvResultsView* itsView = nullptr;
  QvZResultsPane* pane = nullptr;
  KZToolBar* toolBar = nullptr;
  KZTBButton* addReactionTimesButton = nullptr;
  KZTBButton* showAllChartsButton = nullptr;
  bool allTraces = true;
};
