#pragma once
// Device contexts and their state: getting and releasing contexts for windows, the screen and bitmaps, saving
// and restoring their state, colours, modes, coordinate mapping, selection and clipping.

#include "native/gdi/gditypes.h"

namespace native {

class Region;

// A context for the window's client area (null: the whole desktop), clipped to what of the window is
// visible; WS_CLIPCHILDREN and WS_CLIPSIBLINGS are honoured.
HDC GetDC(HWND window);
// A context for the whole window, frame included.
HDC GetWindowDC(HWND window);
// DCX_WINDOW for the whole window; DCX_PARENTCLIP draws with the parent's visible area, over the parent's
// other children. The region is not used.
HDC GetDCEx(HWND window, HRGN region, DWORD flags);
int ReleaseDC(HWND window, HDC dc);
// A memory context that draws on the bitmap selected into it; it starts with a 1 x 1 monochrome bitmap.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HWND WindowFromDC(HDC dc);

// Answers the saved level (1 and up), 0 on failure.
int SaveDC(HDC dc);
// A positive level goes back to that save; a negative one counts back from the latest (-1 the latest).
BOOL RestoreDC(HDC dc, int level);
int GetDeviceCaps(HDC dc, int index);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mix);
int GetROP2(HDC dc);

int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC dc, POINT* origin);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous);
// Extents count only in MM_ANISOTROPIC; a zero extent is refused.
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* previous);
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* previous);
BOOL DPtoLP(HDC dc, POINT* points, int count);
BOOL LPtoDP(HDC dc, POINT* points, int count);

// Pens, brushes, fonts, palettes and (into memory contexts) bitmaps; a region selects a copy as the clip.
// Answers the previous object, null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
// A copy of the region (device coordinates) becomes the clip; null removes the clip.
int SelectClipRgn(HDC dc, HRGN region);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// The bounds of what may be drawn, in logical coordinates.
int GetClipBox(HDC dc, RECT* rect);

// For painting: a client-area context limited to `limit` (client coordinates).
HDC openWindowDc(HWND window, bool wholeWindow, bool clipChildren, const Region* limit);

}  // namespace native
