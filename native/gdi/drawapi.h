#pragma once
// Lines, shapes, fills and pixels. Coordinates are logical; rectangles leave out their right and bottom
// edges; a line leaves out its end point. Lines and shapes take the context's line mix (SetROP2).

#include "native/gdi/gditypes.h"

namespace native {

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
// From the current position to the point (not drawn), which becomes the current position.
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
// Filled with the brush (alternate rule) and outlined with the pen, closed.
BOOL Polygon(HDC dc, const POINT* points, int count);
// The pen outlines the rectangle's edge pixels and the brush fills inside them; without a pen the fill
// stops one pixel short of the right and bottom edges.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
// The anticlockwise part of the ellipse in the box from the ray through the start point to the ray through
// the end point.
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);

// The brush may be a system colour index plus one (COLOR_WINDOW + 1), as classes give their backgrounds.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
// The brush as pattern under the raster operation (PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS).
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
// Inverts every other pixel of the rectangle's edge, so drawing it twice leaves the pixels as they were.
BOOL DrawFocusRect(HDC dc, const RECT* rect);

// Answers the colour set, -1 when the pixel is clipped away or off the target.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// CLR_INVALID when the pixel is clipped away or off the target.
COLORREF GetPixel(HDC dc, int x, int y);

}  // namespace native
