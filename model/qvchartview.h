#pragma once
// One line (view) of a leg's chart: the chart window that shows it and the scroll position handed back when
// a pane attaches. It turns the leg's notifications into the chart window's operations.

#include <cstdint>

#include "foundation/kpoint.h"

struct KMessage;
class QvChart;

class QvChartView {
 public:
  // The chart window that shows a chart view.
  class Window {
   public:
    virtual ~Window() = default;
    // Rebuilds the legend and reloads the traces; (-1, -1) names no row, and the window keeps its own.
    virtual void LoadTraces(const KPoint& position) = 0;
    virtual void ShowChartData() = 0;
    virtual void UpdateToolBar() = 0;
    virtual void ClearChart() = 0;
    virtual void ApplySettings() = 0;
  };

  explicit QvChartView(QvChart* chart) : itsChart(chart) {}
  QvChartView(const QvChartView&) = delete;
  QvChartView& operator=(const QvChartView&) = delete;

  QvChart* GetChart() const { return itsChart; }
  const KPoint& GetRange() const { return range; }
  void SetRange(const KPoint& position) { range = position; }
  Window* GetMode() const { return itsWindow; }
  // The window that receives the view's notifications; null detaches.
  void SetMode(Window* window) { itsWindow = window; }

  // 25 and 26 reload with the message's position (a row, or the unset time for the current row), 27 shows
  // the chart data, 28 updates the tool bar, 29 clears the chart and 30 re-applies its settings.
  void Receive(const KMessage& message) const;

 private:
  QvChart* itsChart;
  Window* itsWindow = nullptr;
  KPoint range{0, 0};
};
