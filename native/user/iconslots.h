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
};

}  // namespace native
