#pragma once
// The window system's side of painting: finding the WM_PAINT to hand out, and marking windows and frames for
// painting.

#include "native/user/nativetypes.h"

namespace native {

class Region;
struct MessageFilter;
struct WindowRecord;

// The WM_PAINT for the first window (front to back, parents first) that waits for painting and that the
// filter accepts. Frames waiting alone for WM_NCPAINT are painted on the way.
bool nextPaintMessage(const MessageFilter& filter, MSG* out);
// The window's frame is to be painted again (WM_NCPAINT).
void frameChanged(HWND window);
// Some window may have come to have something to paint, or may show or draw what it had: the next look for
// paints walks the windows again.
void paintMayBeDue();
// Paints the frame now if it waits.
void paintFrameIfDirty(HWND window);
// Invalidates or validates `area` (client coordinates) of the window as the RDW_ flags say, then the children
// the flags reach. RDW_FRAME marks for painting the part of a frame the area takes in.
void applyRedraw(WindowRecord& window, const Region& area, UINT flags);
// The same for the visible children of the window that `area` (the window's client coordinates) reaches,
// each with its descendants.
void applyRedrawToChildren(WindowRecord& window, const Region& area, UINT flags);
// The window's client area in its own coordinates.
RECT clientArea(const WindowRecord& window);
// The whole window, frame included, in its client coordinates.
RECT wholeWindowArea(const WindowRecord& window);

}  // namespace native
