#pragma once
// Placing windows: position, size, z-order, visibility, the minimised and maximised states, and the
// conversions between screen, window and client coordinates.

#include "native/user/nativetypes.h"

namespace native {

// Sends WM_WINDOWPOSCHANGING (unless SWP_NOSENDCHANGING), applies the change, recomputes the client area with
// WM_NCCALCSIZE when the window moved, changed size or SWP_FRAMECHANGED is given, and sends
// WM_WINDOWPOSCHANGED whose flags carry SWP_NOMOVE and SWP_NOSIZE where nothing changed. A top-level window
// is activated unless SWP_NOACTIVATE is given.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL BringWindowToTop(HWND window);
// Hides, shows, minimises, maximises (to the desktop, or to the parent's client area for a child window) and
// restores. Answers whether the window was visible before.
BOOL ShowWindow(HWND window, int command);

BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
// From one window's client coordinates to another's; null stands for the screen. Answers the offset added,
// x in the low word and y in the high word.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
int MapWindowPoints(HWND from, HWND to, RECT* rect);
// The visible window under a screen point, topmost first; a disabled child answers with its parent; the
// desktop window where there is no window.
HWND WindowFromPoint(POINT point);

}  // namespace native
