#pragma once
// Where minimised windows lie in the area they live in (their parent's client area, or the desktop): slots
// of the minimised size counted from the area's bottom-left corner, left to right, a further row above when
// a row is full. An icon keeps its slot's index while the area changes size, so it keeps its row at the
// bottom, never lies past the area's right edge when a whole icon fits across, and comes back to its place
// when the room does.

#include <vector>

#include "native/user/nativetypes.h"

namespace native {

class IconSlots {
 public:
  static RECT slot(const RECT& area, int index);
  // The index of the slot `icon` lies exactly on in `area`, or -1 for an icon put elsewhere.
  static int indexOf(const RECT& area, const RECT& icon);
  // The first slot that none of `icons` overlaps.
  static int firstFree(const RECT& area, const std::vector<RECT>& icons);
  // Where an icon put elsewhere than a slot lies beside the icons `placed`: where it is, while it lies whole
  // inside the area and on none of them; else moved the least way that keeps it whole inside, when nothing
  // lies there; else in the first free slot.
  static RECT settled(const RECT& icon, const RECT& area, const std::vector<RECT>& placed);
};

}  // namespace native
