#pragma once
// The pixels of a bitmap, a window's backing store or the desktop: 32-bit words 0x00RRGGBB, rows top-down
// without padding, so cairo can draw on them in place. A monochrome surface holds only black and white.

#include <cstdint>
#include <string>
#include <vector>

#include "native/user/nativetypes.h"

typedef struct _cairo_surface cairo_surface_t;

namespace native {

using Pixel = std::uint32_t;

constexpr Pixel pixelOf(COLORREF color) {
  return (static_cast<Pixel>(GetRValue(color)) << 16) | (static_cast<Pixel>(GetGValue(color)) << 8) |
         GetBValue(color);
}
constexpr COLORREF colorOf(Pixel pixel) {
  return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel));
}
inline constexpr Pixel kBlackPixel = 0x000000;
inline constexpr Pixel kWhitePixel = 0xFFFFFF;

class Surface {
 public:
  // Sizes are held to at least 1 x 1 and at most kMaxSide on each side.
  Surface(int width, int height, bool monochrome);

  static constexpr int kMaxSide = 16384;
  // Bitmaps made on request stay below this many pixels (256 MiB).
  static constexpr long long kMaxBitmapPixels = 1LL << 26;

  int width() const { return width_; }
  int height() const { return height_; }
  bool monochrome() const { return monochrome_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Pixel pixel(int x, int y) const { return pixels_[index(x, y)]; }
  void setPixel(int x, int y, Pixel value) { pixels_[index(x, y)] = value & 0xFFFFFF; }
  // The pixel a colour becomes here: itself, or black or white by brightness on a monochrome surface.
  Pixel store(COLORREF color) const;
  void fill(Pixel value);
  // Keeps the pixels that still fit, fills the rest with `fillValue`.
  void resize(int width, int height, Pixel fillValue);

  Pixel* row(int y) {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  const Pixel* row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }

  // A cairo surface over these pixels, to be destroyed by the caller before the pixels change size. Direct
  // writes are safe again after cairo_surface_flush.
  cairo_surface_t* cairoSurface();
  bool writePng(const std::string& path);

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int width_;
  int height_;
  bool monochrome_;
  std::vector<Pixel> pixels_;
};

}  // namespace native
