#pragma once
// The program's one set of chart trace buffers: the raw, filtered and plotted channel pairs of the trace
// prepared last, whichever chart prepared it. The chart data dialog and the local search read them as they
// are. Each pair holds 5001 samples of the first channel X, then 5001 of the second channel Y; sample 3000
// is the gun.

#include <array>
#include <cstdint>

#include "model/qvtrace.h"

class QvResult;
struct ChartSettings;

// The chart display modes: the menu command that chooses each.
enum ChartDisplayMode : int32_t {
  kChartRawX = 10169,
  kChartRawY = 10170,
  kChartFilteredX = 10171,
  kChartFilteredY = 10172,
  kChartSummed = 10173,
};

class ChartTraces {
 public:
  static constexpr int32_t kSamples = QvTrace::kSampleCount;
  using Pair = std::array<double, 2 * kSamples>;

  static ChartTraces& Shared();

  // Fills the buffers from the result's trace (zeros without a result): the raw pair, the moving average
  // of settings.filtAvePts samples, and what the mode plots; in the summed mode plot X is |X| + |Y| and
  // plot Y its running sum over settings.sumIntegral samples.
  void Prepare(const QvResult* result, int32_t mode, const ChartSettings& settings);
  // The scale after the plotted Y inside the window: it only grows; below settings.minScaleVal it becomes
  // settings.defScaleVal, and each time it grows it gains 10 % and is rounded up to settings.powerRoundVal.
  int32_t GrowScale(int32_t scale, const ChartSettings& settings) const;
  // The channel the mode plots: plot X in the X modes, plot Y in the others.
  const double* Plotted(int32_t mode) const;
  // The value the mode plots at a sample.
  double PlotValue(int32_t mode, int32_t sample) const { return Plotted(mode)[sample]; }

  const double* RawX() const { return raw.data(); }
  const double* RawY() const { return raw.data() + kSamples; }
  const double* PlotX() const { return plot.data(); }
  const double* PlotY() const { return plot.data() + kSamples; }

 private:
  void Filter(int32_t length);
  void Sum(int32_t first, int32_t end, int32_t length, bool wholeNumbers);

  Pair raw{};
  Pair filtered{};
  Pair plot{};
};
