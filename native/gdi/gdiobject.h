#pragma once
// One drawing object behind an HGDIOBJ: a pen, brush, font, bitmap, region or palette. Only the part of the
// record that belongs to its type is used. Stock objects are never deleted; an object selected into a device
// context is not deleted while it is selected.

#include <array>
#include <memory>
#include <vector>

#include "native/gdi/gditypes.h"
#include "native/gdi/region.h"
#include "native/gdi/surface.h"

namespace native {

struct PenData {
  int style = PS_SOLID;
  int width = 1;  // in pixels; a width of 0 draws 1 pixel wide
  COLORREF color = 0;
};

struct BrushData {
  UINT style = BS_SOLID;
  COLORREF color = 0;
  // Rows of an 8 x 8 pattern, bit 7 leftmost: a set bit takes the background colour, a clear bit the text
  // colour, as a monochrome bitmap would.
  std::array<BYTE, 8> pattern{};
};

struct GdiObject {
  DWORD type = 0;  // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_REGION or OBJ_PAL
  bool stock = false;
  int selections = 0;  // device contexts that have it selected
  PenData pen;
  BrushData brush;
  LOGFONT font{};
  std::unique_ptr<Surface> bitmap;
  Region region;
  std::vector<PALETTEENTRY> palette;
};

}  // namespace native
