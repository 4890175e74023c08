#include "native/user/iconslots.h"

#include <algorithm>

#include "native/user/dragplacement.h"
#include "native/user/metrics.h"
#include "native/user/rects.h"

namespace native {

namespace {

SIZE iconSize() {
  return SIZE{std::max(GetSystemMetrics(SM_CXMINIMIZED), 1), std::max(GetSystemMetrics(SM_CYMINIMIZED), 1)};
}

// An area narrower than one icon still has a slot in each row.
int slotsPerRow(const RECT& area) {
  return std::max<int>((area.right - area.left) / iconSize().cx, 1);
}

bool overlapsAny(const RECT& rect, const std::vector<RECT>& icons) {
  return std::any_of(icons.begin(), icons.end(), [&](const RECT& icon) {
    RECT overlap{};
    return IntersectRect(&overlap, &icon, &rect) != FALSE;
  });
}

}  // namespace

RECT IconSlots::slot(const RECT& area, int index) {
  SIZE size = iconSize();
  int perRow = slotsPerRow(area);
  int left = area.left + (index % perRow) * size.cx;
  int bottom = area.bottom - (index / perRow) * size.cy;
  return RECT{left, bottom - size.cy, left + size.cx, bottom};
}

int IconSlots::indexOf(const RECT& area, const RECT& icon) {
  SIZE size = iconSize();
  int column = (icon.left - area.left) / size.cx;
  int row = (area.bottom - icon.bottom) / size.cy;
  if (column < 0 || column >= slotsPerRow(area) || row < 0) {
    return -1;
  }
  int index = row * slotsPerRow(area) + column;
  RECT candidate = slot(area, index);
  return EqualRect(&candidate, &icon) != FALSE ? index : -1;
}

int IconSlots::firstFree(const RECT& area, const std::vector<RECT>& icons) {
  for (int index = 0;; ++index) {
    if (!overlapsAny(slot(area, index), icons)) {
      return index;
    }
  }
}

RECT IconSlots::settled(const RECT& icon, const RECT& area, const std::vector<RECT>& placed) {
  RECT inside = DragPlacement::withinReach(icon, area, SIZE{icon.right - icon.left, icon.bottom - icon.top});
  if (!overlapsAny(inside, placed)) {
    return inside;
  }
  return slot(area, firstFree(area, placed));
}

}  // namespace native
