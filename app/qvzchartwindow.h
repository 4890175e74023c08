#pragma once
// The chart window of an event window's chart pane: a tool bar (print, maximize or restore, export, the
// five line switches and the legend) above the chart pane. It follows one view of the leg's chart, turns
// the view's notifications into reloads, and keeps its line buttons in step with the "\Chart\Lines\"
// settings, which every chart window shares.

#include <cstdint>
#include <optional>

#include "app/chartrows.h"
#include "app/panewindow.h"
#include "model/qvchartview.h"
#include "toolkit/kzwindow.h"

class KZTBButton;
class KZToolBar;
class QvChart;
class QvEvent;
class QvZChartPane;
class QvZEventMDI;

class QvZChartWindow : public KZWindow, public PaneWindow, public QvChartView::Window {
 public:
  static constexpr ZafEventType kMaximizeCommand = 10483;
  static constexpr ZafEventType kRestoreCommand = 10484;
  static constexpr ZafEventType kShowSetCommand = 10485;
  static constexpr ZafEventType kShowPowerCommand = 10489;

  QvZChartWindow(QvZEventMDI* owner, QvChartView* view);
  ~QvZChartWindow() override;

  // Class set-up: the tool bar's bitmaps, and the window's maker for the event windows' chart panes. The
  // clean-up takes both back.
  static void SetupClass();
  static void CleanupClass();

  void AttachView(QvChartView* view);
  // Gives the maximize button and the line buttons the pictures of their states; with `refresh` the pane
  // is redrawn first.
  void UpdateLineButtons(bool refresh);
  // Reloads the chart at the position and rebuilds the legend for the rows it shows.
  void LegendText(const KPoint& position);

  QvZChartPane* Pane() const { return pane; }
  KZToolBar* ToolBar() const { return toolBar; }
  bool Maximized() const { return maximized; }
  // The event of the event window; null without one.
  QvEvent* EventDocument() const;
  // The rows of the event window's results window; nothing while there is none showing a list.
  virtual std::optional<ChartRows> Rows() const;

  ZafEventType Event(const ZafEventRecord& event) override;
  // Takes the focus and becomes its event window's current chart window, the one the chart commands go to.
  void TakeFocus() override;

  // ---- as an event window's pane ----
  ZafWindowObject* Window() override { return this; }
  void TakeModel(const PaneModel& model) override { AttachView(model.chartView); }
  bool HasView() const override { return itsView != nullptr; }
  void ReleaseView() override { AttachView(nullptr); }

  // ---- as the view's window ----
  void LoadTraces(const KPoint& position) override { LegendText(position); }
  void ShowChartData() override;
  void UpdateToolBar() override { UpdateLineButtons(true); }
  void ClearChart() override;
  void ApplySettings() override;

 private:
  void ToggleLine(ZafEventType command);
  void ShowEnlarged(bool on);
  bool SingleMode() const;

  QvZEventMDI* itsOwner;
  QvChart* itsChart = nullptr;
  QvChartView* itsView = nullptr;
  QvZChartPane* pane = nullptr;
  KZToolBar* toolBar = nullptr;
  KZTBButton* printButton = nullptr;
  bool maximized = false;
  KZTBButton* maximizeButton = nullptr;
  KZTBButton* exportButton = nullptr;
  KZTBButton* lineButtons[5] = {};
};
