#pragma once
// The values a pane's four relative constraints take from its rectangle. The geometry manager places an
// edge at that percentage of the event window's client area, then moves the right and bottom edges by
// their offsets in pixels: an edge at 100 % ends on the area's last pixel (-1), any other edge leaves a
// one-pixel gap before the neighbour that starts there (-2).

#include <cstdint>

#include "app/panerect.h"

struct PaneConstraintValues {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t rightOffset = 0;
  int32_t bottomOffset = 0;

  friend constexpr bool operator==(const PaneConstraintValues&, const PaneConstraintValues&) = default;
};

PaneConstraintValues ConstraintValuesFor(const PaneRect& rect);
