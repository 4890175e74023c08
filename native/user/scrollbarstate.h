#pragma once
// The state of one built-in scroll bar of a window (WS_HSCROLL, WS_VSCROLL).

#include <algorithm>

#include "native/user/nativetypes.h"

namespace native {

struct ScrollBarState {
  int minimum = 0;
  int maximum = 100;
  UINT page = 0;
  int position = 0;
  int trackPosition = 0;         // where the thumb is while it is dragged
  bool tracking = false;         // the thumb is being dragged: it shows at trackPosition
  bool disableNoScroll = false;  // the bar stays, disabled, when there is nothing to scroll
  UINT disabledArrows = 0;       // ESB_* of EnableScrollBar

  // The largest position the thumb can take: the range less the page, never below the minimum.
  int maximumPosition() const {
    long long last =
        static_cast<long long>(maximum) - std::max<long long>(static_cast<long long>(page) - 1, 0);
    return static_cast<int>(std::max<long long>(minimum, last));
  }
  // True when the range holds more than one page, so there is something to scroll.
  bool scrollable() const {
    return maximum > minimum && static_cast<long long>(page) <= static_cast<long long>(maximum) - minimum;
  }
};

}  // namespace native
