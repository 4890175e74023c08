#pragma once
// The pane of a chart window: a chart control that fills it and draws the force traces of the leg's
// results, one lane (the row selected in the results window) or every lane in its band. It passes the
// chart commands of the menu (export, printer set-up, print) on and keeps the menu's chart items in step.
// A press or release of a mouse button on the chart opens a small pop-up menu.

#include <cstdint>
#include <memory>
#include <optional>

#include "app/chartlabelfont.h"
#include "app/chartload.h"
#include "foundation/kstring.h"
#include "toolkit/kzscroller.h"

class QvChart;
class QvChartView;
class QvZChartWindow;
class ZafChartControl;

class QvZChartPane : public KZScroller {
 public:
  static constexpr ZafEventType kExportBitmapCommand = 10480;
  static constexpr ZafEventType kPrinterSetupCommand = 10481;
  static constexpr ZafEventType kPrintCommand = 10482;
  static constexpr ZafEventType kChartDataCommand = 10167;
  static constexpr ZafEventType kLocalAlgorithmSettingsCommand = 10174;
  static constexpr ZafEventType kLocalAlgorithmLineCommand = 10175;
  // The one item of the pop-up menu that a click on the chart opens; nothing acts on it.
  static constexpr ZafEventType kPopupOptionCommand = 10373;

  QvZChartPane(QvZChartWindow* owner, QvChartView* view);
  ~QvZChartPane() override;

  ZafEventType Event(const ZafEventRecord& event) override;
  bool SetPosition(KPoint position) override;

  // Follows another view (null: none), at the scroll position the view keeps.
  void AttachView(QvChartView* view);
  // Rebuilds the chart from the results window's rows; see ChartLoad::LoadTraces.
  void LoadTraces(const KPoint& position, bool reload);
  void ApplySettings(bool single);
  // Empties the chart to one lane's zero trace.
  void Clear();
  // Prepares the trace of the shown rows' selected result and shows its numbers in the chart data dialog.
  void ShowChartData();

  QvZChartWindow* Owner() const { return itsOwner; }
  QvChart* Chart() const { return itsChart; }
  ZafChartControl* Control() const { return control; }
  const ChartLoad& Load() const { return load; }
  const KString& PrintTitle() const { return printTitle; }
  // The options of a load now: the display mode, "-devel", the local search switch and the label font.
  ChartLoadOptions LoadOptions() const;
  // The rows of the results window of the same event window, when there is one showing a list.
  std::optional<ChartRows> Rows() const;
  // The same rows as the chart shows them: in one lane's chart the row it shows stands as the selected
  // one, whichever row has become current since. Printing, the export and the chart data take these.
  std::optional<ChartRows> ShownRows() const;

 private:
  void UpdateMenu();
  // The pop-up menu at the mouse position of a click on the pane or its chart.
  void ShowPopup(const ZafEventRecord& click);

  QvZChartWindow* itsOwner;
  QvChart* itsChart = nullptr;
  QvChartView* itsView = nullptr;
  ZafChartControl* control;
  ChartLoad load;
  ChartLabelFont labelFont;
  KString printTitle;
  bool pressedHere = false;  // a double click's press landed on the pane; its release opens the menu
};
