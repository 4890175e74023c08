#pragma once
// The pixel-exact primitives: pixels, rectangles, one-pixel lines (the end point is left out) and shapes
// coverage-masked by cairo, each mixed into the surface with a line mix (R2_*) and held to a clip region.
// It can keep the bounds of what it drew, so that a drawing on the screen sends only that.

#include <array>
#include <cstdint>
#include <vector>

#include "native/gdi/region.h"
#include "native/gdi/surface.h"
#include "native/user/rects.h"

namespace native {

// The colour a pixel gets: one colour, or an 8 x 8 two-colour pattern aligned to the surface origin.
struct Paint {
  Pixel solid = kBlackPixel;
  bool patterned = false;
  Pixel clearBit = kBlackPixel;  // the colour of a clear pattern bit
  Pixel setBit = kWhitePixel;    // the colour of a set pattern bit
  std::array<std::uint8_t, 8> rows{};

  static Paint of(Pixel pixel) {
    Paint paint;
    paint.solid = pixel;
    return paint;
  }
  Pixel at(int x, int y) const {
    if (!patterned) {
      return solid;
    }
    bool set = ((rows[static_cast<unsigned>(y) & 7] << (static_cast<unsigned>(x) & 7)) & 0x80) != 0;
    return set ? setBit : clearBit;
  }
};

// On and off runs of a styled line, in pixels; the phase carries over from one segment to the next.
struct LineStyle {
  std::vector<int> runs;  // empty: solid
  bool fillGaps = false;  // opaque background mode: the gaps take the gap colour
  Pixel gapColor = kWhitePixel;
  int phase = 0;
};

// The result of a line mix: R2_COPYPEN, R2_XORPEN, R2_NOT, R2_BLACK, R2_WHITE or R2_NOP.
Pixel mixPixel(int rop2, Pixel destination, Pixel pen);
// The result of a block raster operation (the ternary code in bits 16-23 of the ROP) for pattern, source
// and destination.
Pixel ropPixel(DWORD rop, Pixel pattern, Pixel source, Pixel destination);

// The smallest box holding every point, its right and bottom the largest coordinates themselves; the points
// must not be empty.
RECT pointBounds(const std::vector<POINT>& points);

class Rasterizer {
 public:
  // `drawn`, when given, gathers the bounds of every pixel drawn; null where nothing reads them, so that
  // drawing into a window costs nothing for it.
  Rasterizer(Surface& surface, const Region& clip, RECT* drawn);

  bool visible(int x, int y) const;
  void plot(int x, int y, Pixel color, int rop2);
  void fillRect(const RECT& rect, const Paint& paint, int rop2);
  // One-pixel lines from each point to the next, the last point itself not drawn unless `closed` joins it
  // back to the first.
  void polyline(const std::vector<POINT>& points, bool closed, Pixel color, int rop2, LineStyle* style);
  // Mixes the paint into every pixel whose coverage (one byte per pixel, `stride` bytes a row, the first one
  // at box.left, box.top) is at least half. With `blend`, partly covered pixels take a weighted colour
  // instead (antialiased text on a colour surface).
  void fillCoverage(const std::uint8_t* coverage, int stride, const RECT& box, const Paint& paint, int rop2,
                    bool blend);

  // Calls draw(part) for each piece of `box` the clip lets through, for a caller that writes them itself:
  // they count as drawn.
  template <typename Draw>
  void drawParts(const RECT& box, Draw draw) {
    for (const RECT& clip : clip_) {
      RECT part{};
      if (IntersectRect(&part, &box, &clip)) {
        draw(part);
        markDrawn(part);
      }
    }
  }

  Surface& surface() { return surface_; }
  RECT clipBounds() const { return bounds_; }

 private:
  // A one-pixel line from `from` towards `to`, `to` itself not drawn.
  void line(POINT from, POINT to, Pixel color, int rop2, LineStyle* style);
  void markDrawn(const RECT& area) {
    if (drawn_ != nullptr) {
      UnionRect(drawn_, drawn_, &area);
    }
  }

  Surface& surface_;
  std::vector<RECT> clip_;  // within the surface
  RECT bounds_{};
  RECT* drawn_;
};

}  // namespace native
