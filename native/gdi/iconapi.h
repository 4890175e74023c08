#pragma once
// Icons: made from a mask and a colour bitmap, taken apart again, drawn, and the built-in application icon.

#include "native/gdi/gditypes.h"

namespace native {

inline constexpr IntResource IDI_APPLICATION{32512};

// Copies the two bitmaps (the colour one may be null: then the mask is twice as tall, AND half on top and
// XOR half below). Null when the mask is missing or the sizes disagree.
HICON CreateIconIndirect(const ICONINFO* info);
// Fills fresh copies of the mask and colour bitmaps, which the caller deletes.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
// The icon scaled into the rectangle (nearest pixel), as the caption's system box shows it.
BOOL DrawIconInRect(HDC dc, const RECT* rect, HICON icon);
BOOL DestroyIcon(HICON icon);
// IDI_APPLICATION and the program's icon resource "Application" (in any case) give the built-in icon, with or
// without an instance; other names give null.
HICON LoadIcon(HINSTANCE instance, LPCWSTR name);

}  // namespace native
