#pragma once
// A pane's rectangle in the event window: its left, top, right and bottom edges in percent of the window's
// client area. No range is enforced: the edges are what the layout entry says. (-1, -1, -1, -1) is "none",
// a pane that takes no space.

#include <cstdint>

struct PaneRect {
  int32_t left = -1;
  int32_t top = -1;
  int32_t right = -1;
  int32_t bottom = -1;

  static constexpr PaneRect None() { return PaneRect{}; }
  constexpr bool IsNone() const { return *this == None(); }
  friend constexpr bool operator==(const PaneRect&, const PaneRect&) = default;
};
