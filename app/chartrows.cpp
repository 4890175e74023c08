#include "app/chartrows.h"

#include "app/panewindow.h"
#include "model/qvresult.h"
#include "model/qvresultfilter.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"

const QvResult* ChartRows::ShownResult() const {
  if (allCharts || selectedRow < 0 || selectedRow >= static_cast<int32_t>(results.size())) {
    return nullptr;
  }
  return results[static_cast<std::size_t>(selectedRow)];
}

KString ChartRows::ShownLaneTitle() const {
  const QvResult* result = ShownResult();
  if (result == nullptr) {
    return KString();
  }
  KString text = QvSettings::Text(u"\\Strings\\Event\\Results\\Fields\\LaneNum", u"Lane");
  text.AppendChar(u' ').Append(result->AthleteField(QvResult::kLaneField));
  return text;
}

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
