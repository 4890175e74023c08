#include "app/charttraces.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/chartsettings.h"
#include "chart/cf_extent.h"
#include "model/qvresult.h"

namespace {

constexpr int64_t kLargestScale = std::numeric_limits<int32_t>::max();

int64_t SaturatedScale(double value) {
  return value >= static_cast<double>(kLargestScale) ? kLargestScale : static_cast<int64_t>(value);
}

}  // namespace

ChartTraces& ChartTraces::Shared() {
  static ChartTraces traces;
  return traces;
}

void ChartTraces::Prepare(const QvResult* result, int32_t mode, const ChartSettings& settings) {
  int32_t first = 0;
  int32_t end = kSamples;
  // Each buffer is written whole below, the samples a step leaves out as zeros, so none is cleared first.
  if (result != nullptr) {
    result->GetTraceSamples(raw.data());
    result->GetTraceWindow(first, end);
  } else {
    raw.fill(0.0);
  }
  const int32_t length = std::min(settings.filtAvePts, settings.WindowLength());
  const bool unfiltered = length < 2 || mode == kChartRawX || mode == kChartRawY;
  if (unfiltered) {
    filtered = raw;
  } else {
    Filter(length);
  }
  if (mode == kChartSummed) {
    // The raw samples are whole numbers; their means are not.
    Sum(first, end, std::max(settings.sumIntegral, 1), unfiltered);
  } else {
    plot = filtered;
  }
}

// Each sample from length - 1 on becomes the mean of the last `length` raw samples; those before are 0.
void ChartTraces::Filter(int32_t length) {
  for (int32_t channel = 0; channel < 2; ++channel) {
    const double* in = raw.data() + channel * kSamples;
    double* out = filtered.data() + channel * kSamples;
    std::fill(out, out + std::min(length - 1, kSamples), 0.0);
    double sum = 0.0;
    for (int32_t i = 0; i < kSamples; ++i) {
      sum += in[i];
      if (i >= length) {
        sum -= in[i - length];
      }
      if (i >= length - 1) {
        out[i] = sum / length;
      }
    }
  }
}

// Plot X over the stored window [first, end), plot Y its sum over the last `length` samples.
void ChartTraces::Sum(int32_t first, int32_t end, int32_t length, bool wholeNumbers) {
  double* plotX = plot.data();
  double* plotY = plot.data() + kSamples;
  const double* filteredY = filtered.data() + kSamples;
  std::fill(plotX, plotX + first, 0.0);
  for (int32_t i = first; i < end; ++i) {
    plotX[i] = std::fabs(filtered[i]) + std::fabs(filteredY[i]);
  }
  std::fill(plotX + end, plotY, 0.0);
  std::fill(plotY + end, plotY + kSamples, 0.0);
  if (wholeNumbers) {
    // Sums of whole numbers this small are exact in any order, so each window is the difference of two
    // running totals: one addition a sample where the running sum waits on two.
    double total = 0.0;
    for (int32_t i = 0; i < end; ++i) {
      total += plotX[i];
      plotY[i] = total;
    }
    for (int32_t i = end - 1; i >= length; --i) {
      plotY[i] -= plotY[i - length];
    }
    std::fill(plotY, plotY + std::min(length - 1, end), 0.0);
    return;
  }
  std::fill(plotY, plotY + std::min(length - 1, kSamples), 0.0);
  // The running sum in two stretches, before and after the first sample leaves it, so that the loops
  // carry no test; each step adds, then takes off, as one loop would.
  const int32_t filling = std::min(length, end);
  double sum = 0.0;
  for (int32_t i = 0; i < filling; ++i) {
    sum += plotX[i];
  }
  if (filling == length) {
    plotY[length - 1] = sum;
  }
  for (int32_t i = length; i < end; ++i) {
    sum += plotX[i];
    sum -= plotX[i - length];
    plotY[i] = sum;
  }
}

int32_t ChartTraces::GrowScale(int32_t scale, const ChartSettings& settings) const {
  const int32_t remembered = scale;
  int64_t grown = scale;
  const int32_t from = settings.FirstSample();
  const int32_t to = from + settings.WindowLength();
  // Saturating keeps the order of values, so the largest value's scale is the largest scale.
  if (to > from) {
    cf_Extent window;
    window.TakeAll(PlotY() + from, static_cast<std::size_t>(to - from), true);
    grown = std::max(grown, SaturatedScale(window.max));
  }
  if (grown < settings.minScaleVal) {
    grown = settings.defScaleVal;
  }
  if (grown != remembered) {
    const int64_t round = settings.powerRoundVal;
    grown = SaturatedScale(static_cast<double>(grown) + static_cast<double>(grown) * 0.1);
    grown = (grown + round - 1) / round * round;
  }
  return static_cast<int32_t>(std::min(grown, kLargestScale));
}

const double* ChartTraces::Plotted(int32_t mode) const {
  const bool xMode = mode == kChartRawX || mode == kChartFilteredX;
  return xMode ? PlotX() : PlotY();
}
