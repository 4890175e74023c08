#include "native/user/dragplacement.h"

#include <algorithm>

#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/nonclientlayout.h"
#include "native/user/rects.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// The part of the window that must stay inside: its caption with its closing line (without a caption, as
// much of the window's top).
RECT gripOf(DWORD style, DWORD exStyle, const RECT& place) {
  RECT caption = NonClientLayout::compute(style, exStyle, place).caption;
  if (IsRectEmpty(&caption)) {
    caption = place;
  }
  caption.bottom = std::min<LONG>(place.bottom, caption.top + GetSystemMetrics(SM_CYCAPTION));
  return caption;
}

SIZE reachOf(const RECT& grip) {
  return SIZE{4 * GetSystemMetrics(SM_CXSIZE), grip.bottom - grip.top};
}

// Where a rectangle's edges may go for `reach` of it to stay inside the area: its left edge no further right
// than maxLeft, its right edge no further left than minRight, its top edge from minTop to maxTop.
struct ReachLimits {
  LONG maxLeft;
  LONG minRight;
  LONG minTop;
  LONG maxTop;
};

ReachLimits limitsOf(const RECT& area, SIZE reach) {
  return ReachLimits{area.right - reach.cx, area.left + reach.cx, area.top, area.bottom - reach.cy};
}

RECT areaOf(const WindowRecord& window) {
  HWND container = window.isChild() ? window.parent : WindowSystem::get().windows().desktopHandle();
  RECT area{};
  GetClientRect(container, &area);
  return area;
}

}  // namespace

RECT DragPlacement::captionInReach(DWORD style, DWORD exStyle, const RECT& place, const RECT& area) {
  RECT grip = gripOf(style, exStyle, place);
  RECT kept = withinReach(grip, area, reachOf(grip));
  RECT moved = place;
  OffsetRect(&moved, kept.left - grip.left, kept.top - grip.top);
  return moved;
}

RECT DragPlacement::withinReach(const RECT& rect, const RECT& area, SIZE reach) {
  ReachLimits limits = limitsOf(area, reach);
  LONG width = rect.right - rect.left;
  LONG left = std::max(std::min(rect.left, limits.maxLeft), limits.minRight - width);
  LONG top = std::max(std::min(rect.top, limits.maxTop), limits.minTop);
  return RECT{left, top, left + width, top + rect.bottom - rect.top};
}

RECT DragPlacement::dragged(const WindowRecord& window, LRESULT part, const RECT& start, POINT by) {
  RECT area = areaOf(window);
  if (part == HTCAPTION) {
    RECT moved = start;
    OffsetRect(&moved, by.x, by.y);
    return captionInReach(window.style, window.exStyle, moved, area);
  }
  RECT grip = gripOf(window.style, window.exStyle, start);
  ReachLimits limits = limitsOf(area, reachOf(grip));
  // The caption's distances from the window's edges stay as they are while an edge moves.
  LONG gripLeft = grip.left - start.left;
  LONG gripRight = start.right - grip.right;
  LONG gripTop = grip.top - start.top;
  int minWidth = GetSystemMetrics(SM_CXMIN);
  int minHeight = GetSystemMetrics(SM_CYMIN);
  RECT rect = start;
  if (part == HTLEFT || part == HTTOPLEFT || part == HTBOTTOMLEFT) {
    rect.left = std::min<LONG>({start.left + by.x, start.right - minWidth, limits.maxLeft - gripLeft});
  }
  if (part == HTRIGHT || part == HTTOPRIGHT || part == HTBOTTOMRIGHT) {
    rect.right = std::max<LONG>({start.right + by.x, start.left + minWidth, limits.minRight + gripRight});
  }
  if (part == HTTOP || part == HTTOPLEFT || part == HTTOPRIGHT) {
    // The top edge stops where the caption meets the area's top: the window is no taller than that.
    rect.top =
        std::max<LONG>(std::min<LONG>({start.top + by.y, start.bottom - minHeight, limits.maxTop - gripTop}),
                       limits.minTop - gripTop);
  }
  if (part == HTBOTTOM || part == HTBOTTOMLEFT || part == HTBOTTOMRIGHT) {
    rect.bottom = std::max<LONG>(start.bottom + by.y, start.top + minHeight);
  }
  return rect;
}

}  // namespace native
