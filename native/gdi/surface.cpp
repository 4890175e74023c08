#include "native/gdi/surface.h"

#include <algorithm>

#include <cairo.h>

namespace native {

namespace {

int clampedSide(int side) {
  return std::clamp(side, 1, Surface::kMaxSide);
}

}  // namespace

Surface::Surface(int width, int height, bool monochrome)
    : width_(clampedSide(width)),
      height_(clampedSide(height)),
      monochrome_(monochrome),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kWhitePixel) {}

Pixel Surface::store(COLORREF color) const {
  if (!monochrome_) {
    return pixelOf(color);
  }
  int brightness = GetRValue(color) * 30 + GetGValue(color) * 59 + GetBValue(color) * 11;
  return brightness >= 128 * 100 ? kWhitePixel : kBlackPixel;
}

void Surface::fill(Pixel value) {
  std::fill(pixels_.begin(), pixels_.end(), value);
}

void Surface::resize(int width, int height, Pixel fillValue) {
  width = clampedSide(width);
  height = clampedSide(height);
  if (width == width_ && height == height_) {
    return;
  }
  std::vector<Pixel> resized(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fillValue);
  for (int y = 0; y < std::min(height, height_); ++y) {
    std::copy_n(row(y), std::min(width, width_), resized.begin() + static_cast<std::ptrdiff_t>(y) * width);
  }
  pixels_ = std::move(resized);
  width_ = width;
  height_ = height;
}

cairo_surface_t* Surface::cairoSurface() {
  return cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels_.data()),
                                             CAIRO_FORMAT_RGB24, width_, height_, width_ * 4);
}

bool Surface::writePng(const std::string& path) {
  cairo_surface_t* surface = cairoSurface();
  bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

}  // namespace native
