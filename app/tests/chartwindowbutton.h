#pragma once
// The button of a chart window's tool bar that sends the value; null when the bar has none.

#include "app/qvzchartwindow.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztoolbar.h"

inline KZTBButton* ChartWindowButton(const QvZChartWindow& window, int32_t value) {
  for (auto* item = window.ToolBar()->FirstChild(); item != nullptr;
       item = static_cast<ZafWindowObject*>(item->Next())) {
    if (auto* button = dynamic_cast<KZTBButton*>(item); button != nullptr && button->Value() == value) {
      return button;
    }
  }
  return nullptr;
}
