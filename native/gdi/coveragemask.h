#pragma once
// A cairo drawing whose only result is coverage: shapes and glyphs are drawn into a one-byte-per-pixel mask
// over a box of the target, which the rasteriser then mixes in with the context's mix and clip. So shapes
// drawn by cairo obey the same line mixes (XOR included) as the pixel-exact primitives.

#include <cstdint>

#include "native/user/nativetypes.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace native {

class CoverageMask {
 public:
  // `box` in target coordinates; `antialias` softens edges (text), otherwise every pixel is in or out.
  CoverageMask(const RECT& box, bool antialias);
  ~CoverageMask();
  CoverageMask(const CoverageMask&) = delete;
  CoverageMask& operator=(const CoverageMask&) = delete;

  // Draws in target coordinates; the mask's colour is ignored, only coverage counts.
  cairo_t* cairo() { return cairo_; }
  // Finishes drawing; the bytes stay valid while the mask lives.
  const std::uint8_t* coverage();
  int stride() const;
  const RECT& box() const { return box_; }

 private:
  RECT box_;
  cairo_surface_t* surface_;
  cairo_t* cairo_;
};

}  // namespace native
