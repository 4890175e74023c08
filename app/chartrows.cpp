#include "app/chartrows.h"

#include "app/panewindow.h"
#include "model/qvresultfilter.h"
#include "model/qvresults.h"

std::optional<ChartRows> ReadChartRows(const QvResultFilter* filter, bool allTraces) {
  const QvResults* results = filter != nullptr ? filter->GetResults() : nullptr;
  if (results == nullptr) {
    return std::nullopt;
  }
  ChartRows rows;
  const int32_t count = results->Count(filter);
  for (int32_t row = 0; row < count; ++row) {
    rows.results.push_back(results->GetNth(row, filter));
  }
  rows.selectedRow = filter->SelectedRow();
  rows.allCharts = allTraces;
  return rows;
}

std::optional<ChartRows> ReadChartRows(PaneWindow* resultsWindow) {
  const auto* source = dynamic_cast<const ChartRowsSource*>(resultsWindow);
  if (source == nullptr) {
    return std::nullopt;
  }
  return ReadChartRows(source->ChartFilter(), source->ChartAllTraces());
}
