#pragma once
// Where a window goes when its caption or a border is dragged, by the mouse or by the arrow keys. It never
// gets smaller than the system's smallest frame (its caption's icon and boxes with its borders), and its
// caption stays where the pointer can take it again: the caption's full height and four caption boxes of its
// width stay inside the area the window lives in (its parent's client area, or the desktop).

#include "native/user/nativetypes.h"

namespace native {

struct WindowRecord;

class DragPlacement {
 public:
  // The window's rectangle `start` (in its parent's client coordinates) dragged by `by`: HTCAPTION moves it
  // whole, HTLEFT ... HTBOTTOMRIGHT move those edges.
  static RECT dragged(const WindowRecord& window, LRESULT part, const RECT& start, POINT by);
  // The window at `place` moved the least way that brings its caption back within reach of `area`.
  static RECT captionInReach(DWORD style, DWORD exStyle, const RECT& place, const RECT& area);
  // The rectangle (a window's caption, an icon) moved the least way that leaves `reach` of it inside the
  // area: that much of its width across, and its top edge inside, at least `reach.cy` above the area's
  // bottom.
  static RECT withinReach(const RECT& rect, const RECT& area, SIZE reach);
};

}  // namespace native
