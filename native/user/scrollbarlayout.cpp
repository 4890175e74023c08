#include "native/user/scrollbarlayout.h"

#include <algorithm>

#include "native/user/rects.h"
#include "native/user/scrollbarapi.h"

namespace native {

namespace {

// The thumb never gets shorter than this many pixels.
constexpr int kMinThumb = 8;

int along(const RECT& rect, bool vertical) {
  return vertical ? rect.bottom - rect.top : rect.right - rect.left;
}

}  // namespace

ScrollBarLayout ScrollBarLayout::compute(const RECT& bar, bool vertical, const ScrollBarState& state) {
  ScrollBarLayout layout;
  layout.bar = bar;
  layout.vertical = vertical;
  layout.state = state;
  layout.enabled = state.scrollable() && state.disabledArrows != ESB_DISABLE_BOTH;
  int length = along(bar, vertical);
  int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
  int arrow = std::min(thickness, length / 2);
  if (vertical) {
    layout.backArrow = RECT{bar.left, bar.top, bar.right, bar.top + arrow};
    layout.forwardArrow = RECT{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
    layout.track = RECT{bar.left, bar.top + arrow, bar.right, bar.bottom - arrow};
  } else {
    layout.backArrow = RECT{bar.left, bar.top, bar.left + arrow, bar.bottom};
    layout.forwardArrow = RECT{bar.right - arrow, bar.top, bar.right, bar.bottom};
    layout.track = RECT{bar.left + arrow, bar.top, bar.right - arrow, bar.bottom};
  }
  int trackLength = along(layout.track, vertical);
  if (!layout.enabled || trackLength < kMinThumb) {
    return layout;
  }
  long long range = static_cast<long long>(state.maximum) - state.minimum + 1;
  int thumbLength = state.page == 0
                        ? thickness
                        : static_cast<int>(std::min<long long>(
                              trackLength, static_cast<long long>(trackLength) * state.page / range));
  thumbLength = std::clamp(thumbLength, kMinThumb, trackLength);
  int position = state.tracking ? state.trackPosition : state.position;
  long long span = static_cast<long long>(state.maximumPosition()) - state.minimum;
  int room = trackLength - thumbLength;
  int offset =
      span <= 0 ? 0
                : static_cast<int>(static_cast<long long>(room) *
                                   (std::clamp<long long>(position, state.minimum, state.maximumPosition()) -
                                    state.minimum) /
                                   span);
  if (vertical) {
    layout.thumb =
        RECT{bar.left, layout.track.top + offset, bar.right, layout.track.top + offset + thumbLength};
  } else {
    layout.thumb =
        RECT{layout.track.left + offset, bar.top, layout.track.left + offset + thumbLength, bar.bottom};
  }
  return layout;
}

int ScrollBarLayout::thumbOffset() const {
  return vertical ? thumb.top - track.top : thumb.left - track.left;
}

int ScrollBarLayout::positionForThumbAt(int offset) const {
  int room = along(track, vertical) - along(thumb, vertical);
  long long span = static_cast<long long>(state.maximumPosition()) - state.minimum;
  if (room <= 0 || span <= 0) {
    return state.minimum;
  }
  offset = std::clamp(offset, 0, room);
  // Rounded to the nearest position.
  return static_cast<int>(state.minimum + (static_cast<long long>(offset) * span + room / 2) / room);
}

int ScrollBarLayout::partAt(POINT point) const {
  if (!enabled || !PtInRect(&bar, point)) {
    return -1;
  }
  if (PtInRect(&backArrow, point)) {
    return (state.disabledArrows & ESB_DISABLE_LTUP) != 0 ? -1 : SB_LINEUP;
  }
  if (PtInRect(&forwardArrow, point)) {
    return (state.disabledArrows & ESB_DISABLE_RTDN) != 0 ? -1 : SB_LINEDOWN;
  }
  if (PtInRect(&thumb, point)) {
    return SB_THUMBTRACK;
  }
  int coordinate = vertical ? point.y : point.x;
  int thumbStart = vertical ? thumb.top : thumb.left;
  return coordinate < thumbStart ? SB_PAGEUP : SB_PAGEDOWN;
}

}  // namespace native
