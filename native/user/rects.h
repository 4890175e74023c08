#pragma once
// Rectangle and point helpers of the window system. Rectangles are half-open: a point on the right or bottom
// edge is outside.

#include "native/user/nativetypes.h"

namespace native {

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL InflateRect(RECT* rect, int dx, int dy);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* first, const RECT* second);
// The overlap of the two; an empty result is cleared to all zeros and answers FALSE.
BOOL IntersectRect(RECT* result, const RECT* first, const RECT* second);
// The smallest rectangle holding both; empty rectangles do not count.
BOOL UnionRect(RECT* result, const RECT* first, const RECT* second);

// The rectangle at (x, y) of the given size, with positions and sizes held within +-2^24 pixels so that no
// sum of nested window positions can overflow; a negative size counts as 0.
RECT placedRect(int x, int y, int width, int height);

}  // namespace native
