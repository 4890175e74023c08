#pragma once
// What YImage::GetBitmap is asked for and what it gives: the bits of its options word and one rendered
// piece of a view rectangle. docs/image-rendering.md describes both.

#include <cstdint>
#include <vector>

#include "foundation/krect.h"

namespace YBitmapOptions {
// Output depth (one of them; none: 15 bits for colour images, 8 for gray ones).
constexpr uint32_t kDepth8 = 0x8;
constexpr uint32_t kDepth15 = 0x10;
constexpr uint32_t kDepth16 = 0x20;
constexpr uint32_t kDepth24 = 0x40;
constexpr uint32_t kDepth32 = 0x80;
// Row alignment in bytes (none: 1).
constexpr uint32_t kAlign1 = 0x100;
constexpr uint32_t kAlign2 = 0x200;
constexpr uint32_t kAlign4 = 0x400;
// The side of the rectangle pieces are taken from (none: the left, or the right for a mirrored image).
constexpr uint32_t kFromLeft = 0x800;
constexpr uint32_t kFromRight = 0x1000;
// Pieces are bands of whole rows across the full width, from the top, instead of whole columns.
constexpr uint32_t kRowBands = 0x2000;
}  // namespace YBitmapOptions

// One rendered piece: `covered` (view coordinates, inclusive) is the part of the asked rectangle it holds.
// Row r of the pixels is view row covered.top + r; column c is view column covered.left + c.
struct YBitmapPiece {
  KRect covered;
  int32_t bitsPerPixel = 0;
  int64_t stride = 0;
  std::vector<uint8_t> pixels;
};
