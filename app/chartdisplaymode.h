#pragma once
// What the chart panes show, chosen from the Chart menu and by Show All Charts: a command code from 10169
// (raw X) to 10173 (summed X and Y, every chart), 10173 at start. A run-time value, never saved.

#include <cstdint>

class ChartDisplayMode {
 public:
  static constexpr int32_t kRawX = 10169;
  static constexpr int32_t kAllCharts = 10173;

  static int32_t Get() { return mode; }
  static void Set(int32_t command) { mode = command; }

 private:
  static inline int32_t mode = kAllCharts;
};
