#pragma once
// Fills a chart control with the force traces of a leg's results: one lane (the selected result) or every
// lane stacked in bands, with the time axis in seconds from the gun, the axis titles, the lane and power
// labels, the Set, Gun, Legal and Reaction lines and, for developers, the line of the chart's own reaction
// search. The chart pane keeps one for its screen chart; printing makes another for the chart it prints.

#include <cstdint>
#include <vector>

#include "app/chartrows.h"
#include "app/chartsettings.h"
#include "app/charttraces.h"
#include "foundation/kpoint.h"

class QvResult;
class ZafChartControl;

// The program-wide choices a load follows.
struct ChartLoadOptions {
  int32_t mode = kChartSummed;
  bool developer = false;      // the program runs with "-devel"
  bool localAlgorithm = true;  // the local reaction search is switched on
  int32_t labelFont = -1;      // the display font of the axis labels; -1 the chart's own
};

class ChartLoad {
 public:
  explicit ChartLoad(ZafChartControl* chart) : chart(chart) {}

  // Rebuilds the chart. With `reload` the series are rebuilt too, else only the labels and lines. The
  // position's second member is the row to show in single mode; (-1, -1) keeps the row shown, or takes
  // the selected row when none is (after every lane's chart, or when the row has gone). Without reload the
  // position is not read: the labels and lines are those of the row the series show.
  void LoadTraces(const ChartRows& rows, const KPoint& position, bool reload,
                  const ChartLoadOptions& options);
  // Empties the chart to the zero trace of one lane.
  void Clear(const ChartLoadOptions& options);
  void ApplySettings(bool single, int32_t labelFont);

  int32_t Scale() const { return scale; }
  // The row whose trace the one-lane chart shows; -1 for none.
  int32_t ShownRow() const { return shownRow; }
  // Whether the last time axis built was too short to label.
  bool RangeTooSmall() const { return rangeTooSmall; }

  // The chart palette index of a colour choice 0-15, or `fallback` for any other value.
  static int32_t PaletteColor(int32_t choice, int32_t fallback);

 private:
  void LoadSingle(const ChartRows& rows, const KPoint& position, bool reload);
  void LoadAllLanes(const ChartRows& rows, bool reload);
  void PrepareTrace(const QvResult* result, bool rescale);
  // The prepared trace's plotted values inside the window, in whole units.
  std::vector<double> WindowValues() const;
  // The values lifted into the lane's band, as the lane's series.
  void AddSamples(int32_t laneCount, int32_t lane, std::vector<double> values);
  // A lane without a result: one value at the foot of its band.
  void AddBaseline(int32_t laneCount, int32_t lane);
  void SetSeriesAttribs(const QvResult* result, int32_t laneCount, int32_t lane);
  void SetupTimeAxis(int32_t laneCount, bool single);
  void AddLaneLabels(const QvResult* result, int32_t laneCount, int32_t lane);
  // The right-hand axis of the lane labels, or of one lane's power: a grid line at each label, the label
  // above it.
  void SetUpLaneAxis();
  void DrawMarkerLines(const QvResult* result, bool single);
  void DrawLocalReaction(const QvResult& result);
  void AddPowerLabels(const QvResult* result);
  void AddAxisTitles();
  double Lift(int32_t laneCount, int32_t lane) const;

  ZafChartControl* chart;
  ChartSettings settings;
  ChartLoadOptions options;
  int32_t scale = 0;
  int32_t shownRow = -1;
  bool rangeTooSmall = false;
};
