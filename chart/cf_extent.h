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
  // Take for each of n values in order; `fresh` when the extent holds nothing yet.
  template <typename Value>
  constexpr void TakeAll(const Value* values, std::size_t n, bool fresh) {
    if (n == 0) {
      return;
    }
    double low = fresh ? static_cast<double>(values[0]) : min;
    double high = fresh ? static_cast<double>(values[0]) : max;
    for (std::size_t i = 0; i < n; ++i) {
      const double value = static_cast<double>(values[i]);
      low = value < low ? value : low;
      high = high < value ? value : high;
    }
    min = low;
    max = high;
  }
  constexpr double Mid() const { return min + (max - min) * 0.5; }
};

#endif
