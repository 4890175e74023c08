#pragma once
// Update regions and painting: what waits to be painted, WM_PAINT (made when nothing else is waiting, for
// the first window in z-order with something to paint, parents before their children), and the calls that
// invalidate, validate and paint.

#include "native/gdi/gditypes.h"

namespace native {

inline constexpr UINT RDW_INVALIDATE = 0x0001;
inline constexpr UINT RDW_ERASE = 0x0004;
inline constexpr UINT RDW_VALIDATE = 0x0008;
inline constexpr UINT RDW_NOERASE = 0x0020;
inline constexpr UINT RDW_NOCHILDREN = 0x0040;
inline constexpr UINT RDW_ALLCHILDREN = 0x0080;
inline constexpr UINT RDW_UPDATENOW = 0x0100;
inline constexpr UINT RDW_ERASENOW = 0x0200;
inline constexpr UINT RDW_FRAME = 0x0400;
inline constexpr UINT RDW_NOFRAME = 0x0800;

// Adds the rectangle (client coordinates; null for the whole client area) to the update region. Children
// are invalidated with it unless the window has WS_CLIPCHILDREN. A null window invalidates every top-level
// window.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
BOOL ValidateRgn(HWND window, HRGN region);
// RDW_INVALIDATE or RDW_VALIDATE the rectangle or region (client coordinates; neither: the whole client, and
// the whole frame with RDW_FRAME), with RDW_ERASE and RDW_FRAME (the frames the area reaches, the window's
// and its children's); children with RDW_ALLCHILDREN, or unless RDW_NOCHILDREN when the window lacks
// WS_CLIPCHILDREN; RDW_UPDATENOW (or RDW_ERASENOW) paints at once.
BOOL RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags);
// Sends WM_NCPAINT and WM_PAINT at once when the window waits for them.
BOOL UpdateWindow(HWND window);
// The bounds of the update region; FALSE when it is empty. `erase` is not used: erasing waits for BeginPaint.
BOOL GetUpdateRect(HWND window, RECT* rect, BOOL erase);

// Sends WM_NCPAINT when the frame waits for it, validates the update region, gives a context clipped to it,
// and sends WM_ERASEBKGND when erasing was asked for (fErase tells whether the window left it undone).
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);

}  // namespace native
