#pragma once
// The results a chart draws from, as the results window of the same event window shows them: in the
// window's order, with its selected row, and whether the chart draws every lane or the selected one.

#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/kstring.h"

class QvResult;
class QvResultFilter;
class PaneWindow;

struct ChartRows {
  std::vector<const QvResult*> results;
  int32_t selectedRow = -1;  // -1 when no row is selected
  bool allCharts = true;

  // The result one lane's chart shows; null for every lane's chart or without a selected row.
  const QvResult* ShownResult() const;
  // "Lane" and the shown result's own lane, as the legend and the printed page name it (a race with a lane
  // left out has no row for it, so a row's position is not its lane); empty without a shown result.
  KString ShownLaneTitle() const;
};

// What a results window lends the charts of its event window: the filter it shows its list through, and
// its all-traces flag.
class ChartRowsSource {
 public:
  virtual ~ChartRowsSource() = default;
  // Null while the window shows no list.
  virtual const QvResultFilter* ChartFilter() const = 0;
  virtual bool ChartAllTraces() const = 0;
};

// The rows of the filter's list in its order; nothing without a filter or a list.
std::optional<ChartRows> ReadChartRows(const QvResultFilter* filter, bool allTraces);
// The rows the window lends, when it is a results window that shows a list.
std::optional<ChartRows> ReadChartRows(PaneWindow* resultsWindow);
