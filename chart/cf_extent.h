// The running maximum and minimum of a sequence of values: the first value sets both, a later one moves an
// end only when it lies strictly beyond it.
#ifndef CHART_CF_EXTENT_H
#define CHART_CF_EXTENT_H

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
  constexpr double Mid() const { return min + (max - min) * 0.5; }
};

#endif
