#pragma once
// Drawing objects: pens, brushes, stock objects, regions and palettes, and the calls shared by every object
// type (DeleteObject, GetObject, GetObjectType).

#include "native/gdi/gditypes.h"

namespace native {

HGDIOBJ GetStockObject(int index);
// FALSE for a stock object and for an object still selected into a device context.
BOOL DeleteObject(HGDIOBJ object);
DWORD GetObjectType(HGDIOBJ object);
// Fills a BITMAP (bitmaps), LOGFONT (fonts), or the palette's entry count as a WORD; answers the bytes
// written, 0 when the buffer is too small or the object unknown. A null buffer asks for the size.
int GetObject(HGDIOBJ object, int size, void* buffer);

// Width 0 draws one pixel wide; an unknown style draws solid.
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
// An 8 x 8 pattern from the top-left of a monochrome bitmap: clear bits in the text colour, set bits in the
// background colour. A colour bitmap counts its light pixels as set.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH GetSysColorBrush(int index);

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
int CombineRgn(HRGN destination, HRGN first, HRGN second, int mode);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
int GetRgnBox(HRGN region, RECT* rect);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL PtInRegion(HRGN region, int x, int y);

// Palettes: this desktop is true colour, so they only name colours.
HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
// The entry nearest the colour (squared distance, first wins on ties); CLR_INVALID for a bad palette.
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);

}  // namespace native
