// The running maximum and minimum of a sequence of values: the first value sets both, a later one moves an
// end only when it lies strictly beyond it.
#ifndef CHART_CF_EXTENT_H
#define CHART_CF_EXTENT_H

#include <cstddef>

struct cf_Extent {
  double max = 0;
  double min = 0;

  constexpr void Take(double value, bool first) {
    if (first) {
      max = min = value;
    } else if (value > max) {
      max = value;
    } else if (value < min) {
      min = value;
    }
  }
  // Take for each of n values in order; `fresh` when the extent holds nothing yet. Four extents over
  // interleaved values run side by side, so that no comparison waits for the one before it.
  template <typename Value>
  constexpr void TakeAll(const Value* values, std::size_t n, bool fresh) {
    if (n == 0) {
      return;
    }
    constexpr std::size_t kLanes = 4;
    const double startLow = fresh ? static_cast<double>(values[0]) : min;
    const double startHigh = fresh ? static_cast<double>(values[0]) : max;
    double low[kLanes] = {startLow, startLow, startLow, startLow};
    double high[kLanes] = {startHigh, startHigh, startHigh, startHigh};
    std::size_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
      for (std::size_t k = 0; k < kLanes; ++k) {
        const double value = static_cast<double>(values[i + k]);
        low[k] = value < low[k] ? value : low[k];
        high[k] = high[k] < value ? value : high[k];
      }
    }
    for (; i < n; ++i) {
      const double value = static_cast<double>(values[i]);
      low[0] = value < low[0] ? value : low[0];
      high[0] = high[0] < value ? value : high[0];
    }
    for (std::size_t k = 1; k < kLanes; ++k) {
      low[0] = low[k] < low[0] ? low[k] : low[0];
      high[0] = high[0] < high[k] ? high[k] : high[0];
    }
    min = low[0] == 0 ? FirstZero(values, n, startLow) : low[0];
    max = high[0] == 0 ? FirstZero(values, n, startHigh) : high[0];
  }
  constexpr double Mid() const { return min + (max - min) * 0.5; }

 private:
  // An end at zero is the first zero taken, +0 or -0, since a later equal value never moves it.
  template <typename Value>
  static constexpr double FirstZero(const Value* values, std::size_t n, double start) {
    if (start == 0) {
      return start;
    }
    for (std::size_t i = 0; i < n; ++i) {
      if (values[i] == 0) {
        return static_cast<double>(values[i]);
      }
    }
    return start;
  }
};

#endif
