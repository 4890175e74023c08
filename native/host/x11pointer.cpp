#include "native/host/x11pointer.h"

#include <vector>

#include <X11/Xlib.h>
#include <X11/cursorfont.h>

namespace native {

namespace {

// The cursor font's glyph of each standard shape; the arrow for any other.
struct FontShape {
  IntResource id;
  unsigned int glyph;
};

constexpr FontShape kFontShapes[] = {
    {IDC_IBEAM, XC_xterm},
    {IDC_WAIT, XC_watch},
    {IDC_CROSS, XC_crosshair},
    {IDC_UPARROW, XC_sb_up_arrow},
    {IDC_SIZENWSE, XC_bottom_right_corner},
    {IDC_SIZENESW, XC_bottom_left_corner},
    {IDC_SIZEWE, XC_sb_h_double_arrow},
    {IDC_SIZENS, XC_sb_v_double_arrow},
    {IDC_SIZEALL, XC_fleur},
    {IDC_NO, XC_X_cursor},
};

unsigned int fontGlyphOf(WORD standardId) {
  for (const FontShape& shape : kFontShapes) {
    if (shape.id.id == standardId) {
      return shape.glyph;
    }
  }
  return XC_left_ptr;
}

// A plane's rows (most significant bit first, rows padded to 16 bits) as an X bitmap's (least significant
// bit first, rows padded to 8 bits); `lit` decides each pixel from its AND and XOR bits.
template <typename Lit>
std::vector<char> bitmapOf(const X11Pointer::Shape& shape, Lit lit) {
  const int sourceRow = X11Pointer::Shape::bytesPerRow(shape.width);
  const int row = (shape.width + 7) / 8;
  std::vector<char> bits(static_cast<size_t>(row * shape.height), 0);
  for (int y = 0; y < shape.height; ++y) {
    for (int x = 0; x < shape.width; ++x) {
      const size_t at = static_cast<size_t>(y * sourceRow + x / 8);
      const int bit = 7 - x % 8;
      if (lit((shape.andPlane[at] >> bit) & 1, (shape.xorPlane[at] >> bit) & 1)) {
        bits[static_cast<size_t>(y * row + x / 8)] |= static_cast<char>(1 << (x % 8));
      }
    }
  }
  return bits;
}

bool sameDrawing(const X11Pointer::Shape& one, const X11Pointer::Shape& other) {
  return one.width == other.width && one.height == other.height && one.hotSpot.x == other.hotSpot.x &&
         one.hotSpot.y == other.hotSpot.y && one.andPlane == other.andPlane && one.xorPlane == other.xorPlane;
}

}  // namespace

X11Pointer::~X11Pointer() {
  for (const auto& [id, cursor] : standard_) {
    XFreeCursor(display_, cursor);
  }
  if (made_ != 0) {
    XFreeCursor(display_, made_);
  }
}

void X11Pointer::show(const Shape* shape) {
  if (shape == nullptr) {
    if (shownId_) {
      XUndefineCursor(display_, window_);
      XFlush(display_);
      shownId_.reset();
    }
  } else if (shape->standardId != 0) {
    showStandard(shape->standardId);
  } else {
    showMade(*shape);
  }
}

void X11Pointer::showStandard(WORD standardId) {
  if (shownId_ == standardId) {
    return;
  }
  auto known = standard_.find(standardId);
  if (known == standard_.end()) {
    known = standard_.emplace(standardId, XCreateFontCursor(display_, fontGlyphOf(standardId))).first;
  }
  define(known->second);
  shownId_ = standardId;
}

void X11Pointer::showMade(const Shape& shape) {
  if (shownId_ == 0 && sameDrawing(shape, shownMade_)) {
    return;
  }
  // AND 0 draws the XOR bit (0 black, 1 white); AND 1 leaves the screen (XOR 1 inverts it: drawn black).
  const std::vector<char> source =
      bitmapOf(shape, [](int andBit, int xorBit) { return andBit == 0 && xorBit; });
  const std::vector<char> mask =
      bitmapOf(shape, [](int andBit, int xorBit) { return andBit == 0 || xorBit; });
  const auto width = static_cast<unsigned>(shape.width);
  const auto height = static_cast<unsigned>(shape.height);
  Pixmap sourcePixmap = XCreateBitmapFromData(display_, window_, source.data(), width, height);
  Pixmap maskPixmap = XCreateBitmapFromData(display_, window_, mask.data(), width, height);
  XColor white{};
  white.red = white.green = white.blue = 0xFFFF;
  XColor black{};
  const Cursor cursor =
      XCreatePixmapCursor(display_, sourcePixmap, maskPixmap, &white, &black,
                          static_cast<unsigned>(shape.hotSpot.x), static_cast<unsigned>(shape.hotSpot.y));
  XFreePixmap(display_, sourcePixmap);
  XFreePixmap(display_, maskPixmap);
  define(cursor);
  if (made_ != 0) {
    XFreeCursor(display_, made_);
  }
  made_ = cursor;
  shownId_ = 0;
  shownMade_ = shape;
}

void X11Pointer::define(unsigned long cursor) {
  XDefineCursor(display_, window_, cursor);
  XFlush(display_);
}

}  // namespace native
