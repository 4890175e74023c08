#pragma once
// The plain copy of a block of colour pixels, the common case of a block transfer (a pane scrolling its
// picture within its window, a memory bitmap put on the screen), and the copies that mix source and
// destination with one bitwise operation: whole runs of a row at a time instead of one raster operation per
// pixel.

#include <vector>

#include "native/gdi/region.h"
#include "native/gdi/surface.h"

namespace native {

// How a source pixel meets the destination pixel it lands on: replaces it, or is combined with it by
// exclusive or (SRCINVERT) or by and (SRCAND).
enum class AreaMix { kCopy, kExclusiveOr, kAnd };

// Copies into `box` of `destination`, inside the `clip` rectangles, destination pixel (x, y) from source
// pixel (x + shift.x, y + shift.y) wherever that lies within `source` and its `readable` region; other
// pixels keep their colour. The rectangles of `clip` and of `readable` are each disjoint. Source and
// destination may be the same surface, overlapping in any direction: every pixel is mixed with the colour
// its source had before the copy.
void copyArea(Surface& destination, const std::vector<RECT>& clip, const RECT& box, const Surface& source,
              const Region& readable, POINT shift, AreaMix mix = AreaMix::kCopy);

}  // namespace native
