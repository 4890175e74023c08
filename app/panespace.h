#pragma once
// Hands the space of the panes that show no window to their neighbours, so that the panes that do cover
// the event window's client area.

#include <vector>

#include "app/panerect.h"

struct PaneSpace {
  PaneRect rect;
  // The pane's window is in the event window; its space is kept.
  bool attached = false;
};

// Strict passes give a pane's whole rectangle to a neighbour sharing one of its edges whole; when a strict
// pass finds nothing, loose passes let a neighbour aligned with one end of an edge grow across the pane
// over its own extent, the pane keeping the rest. Any pass that takes space from a pane is followed by a
// strict pass; the distribution ends when a loose pass takes none, and after a bounded number of passes
// whatever the rectangles (edges are not range-checked, so an inverted rectangle can make a neighbour
// grow without taking anything). At the end every pane without a window has no rectangle.
void DistributeSpace(std::vector<PaneSpace>& panes);
