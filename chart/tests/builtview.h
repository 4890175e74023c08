// A chart view of one type and dimension over series of values, its objects built: what the engine tests
// start from.
#ifndef CHART_TESTS_BUILTVIEW_H
#define CHART_TESTS_BUILTVIEW_H

#include <memory>
#include <vector>

#include "chart/cf_chartmodel.h"
#include "chart/cf_chartview.h"

using Series = std::vector<double>;

inline std::unique_ptr<cf_ChartView> Built(int32_t type, int32_t dimension, int32_t mode,
                                           const std::vector<Series>& series) {
  auto view = std::make_unique<cf_ChartView>(type, dimension, mode);
  for (std::size_t s = 0; s < series.size(); ++s) {
    view->GetModel()->SelectSeries(static_cast<int32_t>(s + 1));
    for (double value : series[s]) {
      view->AddValue(static_cast<int32_t>(s + 1), value);
    }
  }
  view->GetModel()->Update(true, false, false, false, false);
  return view;
}

#endif
