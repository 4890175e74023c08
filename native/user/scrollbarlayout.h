#pragma once
// Where the parts of a scroll bar lie (the two arrow boxes, the track and the thumb) and which part a point
// is on. The drawing, the mouse handling and thumb dragging all read this one layout.

#include "native/user/nativetypes.h"
#include "native/user/scrollbarstate.h"

namespace native {

struct ScrollBarLayout {
  static ScrollBarLayout compute(const RECT& bar, bool vertical, const ScrollBarState& state);

  // SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN or SB_THUMBTRACK for the part under the point; -1 off the
  // bar, on a disabled part, or on a bar with nothing to scroll.
  int partAt(POINT point) const;
  // The position for a thumb whose leading edge is at `offset` pixels into the track.
  int positionForThumbAt(int offset) const;
  // The thumb's leading edge, in pixels into the track.
  int thumbOffset() const;

  RECT bar{};
  RECT backArrow{};     // up or left
  RECT forwardArrow{};  // down or right
  RECT track{};
  RECT thumb{};  // empty when there is nothing to scroll or the bar is disabled
  bool vertical = false;
  bool enabled = false;
  ScrollBarState state;
};

}  // namespace native
