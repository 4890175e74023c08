#include "resources/tests/contactsheet.h"

#include <cairo.h>

#include <algorithm>

#include "framework/data/zafimagedata.h"

namespace {

constexpr int kColumns = 6;
constexpr int kEnlargement = 3;
constexpr int kMargin = 8;
constexpr int kLabelHeight = 16;
constexpr double kLabelSize = 11;

struct Layout {
  int largestSide = 0;
  int cellWidth = 0;
  int cellHeight = 0;
};

Layout LayoutFor(const std::vector<SheetPicture>& pictures) {
  Layout layout;
  for (const SheetPicture& picture : pictures) {
    layout.largestSide = std::max({layout.largestSide, picture.width, picture.height});
  }
  layout.cellWidth = kMargin * 3 + layout.largestSide * (1 + kEnlargement);
  layout.cellHeight = kLabelHeight + layout.largestSide * kEnlargement + kMargin * 2;
  return layout;
}

// Draws the picture's opaque pixels as squares of `scale` at (left, top).
bool DrawPicture(cairo_t* cr, const SheetPicture& picture, const PaletteColour& colourOf, double left,
                 double top, int scale) {
  for (int32_t y = 0; y < picture.height; ++y) {
    for (int32_t x = 0; x < picture.width; ++x) {
      const uint8_t index = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
      if (index == ZAF_TRANSPARENT_PIXEL) {
        continue;
      }
      uint8_t red = 0, green = 0, blue = 0;
      if (!colourOf(index, red, green, blue)) {
        return false;
      }
      cairo_set_source_rgb(cr, red / 255.0, green / 255.0, blue / 255.0);
      cairo_rectangle(cr, left + x * scale, top + y * scale, scale, scale);
      cairo_fill(cr);
    }
  }
  return true;
}

}  // namespace

bool WriteContactSheet(const std::vector<SheetPicture>& pictures, const PaletteColour& colourOf,
                       uint8_t faceIndex, const std::string& path) {
  uint8_t faceRed = 0, faceGreen = 0, faceBlue = 0;
  if (pictures.empty() || !colourOf(faceIndex, faceRed, faceGreen, faceBlue)) {
    return false;
  }
  const Layout layout = LayoutFor(pictures);
  const int rows = (static_cast<int>(pictures.size()) + kColumns - 1) / kColumns;
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, kColumns * layout.cellWidth, rows * layout.cellHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_source_rgb(cr, faceRed / 255.0, faceGreen / 255.0, faceBlue / 255.0);
  cairo_paint(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, kLabelSize);
  bool drawn = true;
  for (std::size_t index = 0; index < pictures.size() && drawn; ++index) {
    const SheetPicture& picture = pictures[index];
    const double left = static_cast<double>(index % kColumns) * layout.cellWidth + kMargin;
    const double top = static_cast<double>(index / kColumns) * layout.cellHeight + kMargin;
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_move_to(cr, left, top + kLabelSize);
    cairo_show_text(cr, picture.name.c_str());
    const double pictureTop = top + kLabelHeight;
    drawn = DrawPicture(cr, picture, colourOf, left, pictureTop, 1) &&
            DrawPicture(cr, picture, colourOf, left + layout.largestSide + kMargin, pictureTop, kEnlargement);
  }
  cairo_destroy(cr);
  const bool written = drawn && cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}
