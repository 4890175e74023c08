// Reads where a chart last drew its axis texts: a tick label or axis title that reaches beyond the chart's
// window, or an axis title over a tick label, is a fault. Shared by the chart tests and the program's.
#ifndef CHART_TESTS_AXISTEXTFAULTS_H
#define CHART_TESTS_AXISTEXTFAULTS_H

#include <string>
#include <vector>

#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_chartengine.h"

// One line per fault, naming the text by where it was drawn.
inline std::vector<std::string> AxisTextFaults(cf_ChartEngine& engine) {
  const cf_2DRect window = engine.GetKernel().WindowRect();
  const auto named = [](const cf_2DRect& at) {
    return "a text at (" + std::to_string(at.left) + ", " + std::to_string(at.top) + ", " +
           std::to_string(at.right) + ", " + std::to_string(at.bottom) + ")";
  };
  std::vector<cf_2DRect> labels;
  std::vector<cf_2DRect> titles;
  for (uint32_t number = 1; number <= cf_ChartEngine::kAxisCount; ++number) {
    cf_3DGridTickSeries& axis = *engine.GetAxis(number);
    for (int32_t i = 1; axis.IsVisible() && i <= axis.GetItemCount(); ++i) {
      labels.push_back(axis.GetItem(i)->DrawnTextRect());
    }
    titles.push_back(axis.Title().DrawnTextRect());
  }
  std::vector<std::string> faults;
  for (const cf_2DRect& title : titles) {
    for (const cf_2DRect& label : labels) {
      if (title.Overlaps(label)) {
        faults.push_back("the title " + named(title) + " lies over " + named(label));
      }
    }
  }
  // The window's right and bottom are its last pixels, a text's just past its own.
  labels.insert(labels.end(), titles.begin(), titles.end());
  for (const cf_2DRect& at : labels) {
    if (!at.IsEmpty() && (at.left < window.left || at.top < window.top || at.right > window.right + 1 ||
                          at.bottom > window.bottom + 1)) {
      faults.push_back(named(at) + " reaches beyond the window");
    }
  }
  return faults;
}

#endif
