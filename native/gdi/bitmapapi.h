#pragma once
// Bitmaps and block transfers: device bitmaps (monochrome masks and colour), device-independent bitmaps in
// and out, and BitBlt/StretchBlt with raster operations. A monochrome source takes the destination's text
// colour for its black pixels and background colour for its white ones; a colour source going to a
// monochrome destination turns white where it has the source's background colour and black elsewhere.

#include "native/gdi/gditypes.h"

namespace native {

// 1 bit a pixel (rows padded to 16 bits, a set bit white) or 32 (blue, green, red, unused); null bits give
// black. Null for other depths or a size outside 1..16384.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// Monochrome when the context is a memory context holding a monochrome bitmap, colour otherwise.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A colour bitmap of the header's size, filled from the DIB bits with CBM_INIT.
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
// Copies DIB rows `startScan` to `startScan + scanLines` (counted from the bottom of the image) to the
// device. Answers the rows copied.
int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSource, int ySource,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage);
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSource, int ySource,
                  int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop);
// Reads rows of the bitmap in the header's format (1, 4, 8, 24 or 32 bits, either row order). The colour
// table is written too: RGB entries, or with DIB_PAL_COLORS the indexes 0, 1, 2... of the context's palette.
// With null bits only the header's image size and table are filled. Answers the rows copied.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info,
              UINT usage);

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource, DWORD rop);
// Nearest-pixel scaling; a negative width or height on one side mirrors.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int sourceWidth, int sourceHeight, DWORD rop);

}  // namespace native
