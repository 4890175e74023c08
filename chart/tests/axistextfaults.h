// Reads where a chart last drew its axis texts: a tick label or axis title that reaches beyond the chart's
// window, or an axis title over a tick label, is a fault. Shared by the chart tests and the program's.
#ifndef CHART_TESTS_AXISTEXTFAULTS_H
#define CHART_TESTS_AXISTEXTFAULTS_H

#include <string>
#include <vector>

#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_chartengine.h"

// One line per fault, naming the text and where it was drawn.
inline std::vector<std::string> AxisTextFaults(cf_ChartEngine& engine) {
  const cf_2DRect window = engine.GetKernel().WindowRect();
  const auto named = [](const cf_3DTextMarker& marker) {
    std::string name;
    for (const ZafIChar* c = marker.GetText()->Text(); *c; ++c) {
      name += static_cast<char>(*c);
    }
    const cf_2DRect& at = marker.DrawnTextRect();
    return "\"" + name + "\" at (" + std::to_string(at.left) + ", " + std::to_string(at.top) + ", " +
           std::to_string(at.right) + ", " + std::to_string(at.bottom) + ")";
  };
  std::vector<const cf_3DTextMarker*> labels;
  std::vector<const cf_3DTextMarker*> titles;
  for (uint32_t number = 1; number <= cf_ChartEngine::kAxisCount; ++number) {
    cf_3DGridTickSeries& axis = *engine.GetAxis(number);
    for (int32_t i = 1; axis.IsVisible() && i <= axis.GetItemCount(); ++i) {
      if (!axis.GetItem(i)->DrawnTextRect().IsEmpty()) {
        labels.push_back(axis.GetItem(i));
      }
    }
    if (!axis.Title().DrawnTextRect().IsEmpty()) {
      titles.push_back(&axis.Title());
    }
  }
  std::vector<std::string> faults;
  for (const std::vector<const cf_3DTextMarker*>* texts : {&labels, &titles}) {
    for (const cf_3DTextMarker* text : *texts) {
      const cf_2DRect& at = text->DrawnTextRect();
      // The window's right and bottom are its last pixels, a text's just past its own.
      if (at.left < window.left || at.top < window.top || at.right > window.right + 1 ||
          at.bottom > window.bottom + 1) {
        faults.push_back(named(*text) + " reaches beyond the window");
      }
    }
  }
  for (const cf_3DTextMarker* title : titles) {
    for (const cf_3DTextMarker* label : labels) {
      if (title->DrawnTextRect().Overlaps(label->DrawnTextRect())) {
        faults.push_back(named(*title) + " lies over " + named(*label));
      }
    }
  }
  return faults;
}

#endif
