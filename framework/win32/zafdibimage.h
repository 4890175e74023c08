// Framework pixel images (one byte a pixel, rows from the top, 255 transparent) in the layout the drawing
// layer takes: an 8-bit device-independent bitmap, rows from the bottom padded to 4 bytes, with a colour
// count of the largest index used plus one (at least 2), and a 1-bit mask, rows from the top padded to
// 2 bytes, a set bit for each transparent pixel (which stores index 0 in the colour rows).
#ifndef FRAMEWORK_WIN32_ZAFDIBIMAGE_H
#define FRAMEWORK_WIN32_ZAFDIBIMAGE_H

#include <cstdint>
#include <vector>

#include "native/gdi/gditypes.h"

struct ZafDibImage {
  static constexpr uint8_t kTransparent = 0xFF;

  int32_t width = 0;
  int32_t height = 0;
  int32_t colorCount = 0;
  std::vector<uint8_t> colorRows;
  // Empty when no pixel is transparent.
  std::vector<uint8_t> maskRows;

  static std::size_t ColorRowBytes(int32_t width) {
    return (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
  }
  static std::size_t MaskRowBytes(int32_t width) { return (static_cast<std::size_t>(width) + 15) / 16 * 2; }

  // The layout of width x height framework pixels; an empty image for a size below 1 or no pixels.
  static ZafDibImage FromPixels(int32_t width, int32_t height, const uint8_t* pixels);
  // Framework pixels back from colour rows (and mask rows, when not empty) of this layout; empty when the
  // rows are shorter than the size needs.
  std::vector<uint8_t> ToPixels() const;

  // The 8-bit header for the colour rows.
  native::BITMAPINFOHEADER Header() const;
};

#endif
