#include "framework/win32/zafgdidisplay.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "framework/data/zafmousedata.h"
#include "framework/win32/zafcache.h"
#include "framework/win32/zafdibimage.h"
#include "framework/win32/zafmnemonictext.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/native.h"

ZafCache* ZafGdiDisplay::cache = nullptr;
int ZafGdiDisplay::displays = 0;

namespace {

constexpr int32_t kCopyMode = 0;
// Degrees to radians as the drawing of arcs has always used it.
constexpr double kRadiansPerDegree = 0.01745329278;
// Radial points of arcs lie this far out from the centre, well outside any bounding box.
constexpr double kRadialLength = 10000.0;
// The character set that leaves the choice to the face (the drawing layer names no character sets).
constexpr native::DWORD kDefaultCharSet = 1;

uint32_t PenKey(int style, int32_t width) {
  return ZafGdiDisplay::kPenKind | (static_cast<uint32_t>(style & 0xFF) << 8) |
         (static_cast<uint32_t>(static_cast<uint16_t>(width)) << 16);
}

// The characters to draw: the whole text for a negative length, else at most `length`, never past the
// terminator.
int32_t Length(const ZafIChar* text, int32_t length) {
  if (!text) {
    return 0;
  }
  int32_t count = 0;
  while ((length < 0 || count < length) && text[count]) {
    ++count;
  }
  return count;
}

}  // namespace

ZafGdiDisplay::ZafGdiDisplay() {
  colors.fill(kUndefinedColor);
  fontTable.fill(nullptr);
  // Cursors that mouse images get from this display go back to the window system with them.
  ZafMouseData::SetCursorDestroyer(
      [](ZafNativeHandle cursor) { native::DestroyCursor(static_cast<native::HCURSOR>(cursor)); });
  if (displays++ == 0) {
    cache = new ZafCache(kCacheCapacity, &CreateGdiObject,
                         [](uint32_t, uintptr_t, native::HGDIOBJ handle) { native::DeleteObject(handle); });
  }
}

ZafGdiDisplay::~ZafGdiDisplay() {
  while (drawNesting > 0) {
    EndDraw();
  }
  if (logicalPalette) {
    native::DeleteObject(logicalPalette);
  }
  if (--displays == 0) {
    delete cache;
    cache = nullptr;
  }
}

// ---- Pens and brushes ----

native::HGDIOBJ ZafGdiDisplay::CreateGdiObject(uint32_t key1, uintptr_t key2) {
  switch (key1 & 0xFF) {
    case kPenKind: {
      int32_t width = static_cast<int16_t>(key1 >> 16);
      // -1 asks for the thinnest pen (width 0); 0 asks for no pen at all.
      if (width == -1) {
        width = 0;
      } else if (width == 0) {
        width = -1;
      }
      const int style = width < 0 ? native::PS_NULL : static_cast<int>((key1 >> 8) & 0xFF);
      return native::CreatePen(style, width < 0 ? 0 : width, static_cast<native::COLORREF>(key2));
    }
    case kBrushKind:
      if ((key1 >> 16) & 0xFF) {
        return native::CreatePatternBrush(reinterpret_cast<native::HBITMAP>(key2));
      }
      return native::CreateSolidBrush(static_cast<native::COLORREF>(key2));
    default:
      return nullptr;
  }
}

int32_t ZafGdiDisplay::ReleaseCachedObject(native::HGDIOBJ handle) {
  return cache ? cache->Release(handle) : -1;
}

native::COLORREF ZafGdiDisplay::ColorWord(uint8_t index, uint32_t osColor) const {
  if (index == ZAF_OS_COLOR_INDEX) {
    return osColor;
  }
  // Palette bytes come from stored files too: an index outside the table draws in colour 0.
  return colors[index < kColors ? index : 0];
}

native::HPEN ZafGdiDisplay::GetPen(const ZafPaletteStruct& forPalette, int32_t width) {
  const int style = penStyles[forPalette.lineStyle < kPenStyles ? forPalette.lineStyle : 0];
  return static_cast<native::HPEN>(
      cache->Get(PenKey(style, width), ColorWord(forPalette.colorForeground, forPalette.osForeground)));
}

native::HBRUSH ZafGdiDisplay::GetBrush(const ZafPaletteStruct& forPalette) {
  const uint8_t pattern = forPalette.fillPattern < kFillPatterns ? forPalette.fillPattern : 0;
  // A pattern the table does not hold is drawn solid rather than not at all.
  if (pattern != 0 && fillPatterns[pattern]) {
    return static_cast<native::HBRUSH>(cache->Get(kBrushKind | (static_cast<uint32_t>(pattern) << 16),
                                                  reinterpret_cast<uintptr_t>(fillPatterns[pattern])));
  }
  return static_cast<native::HBRUSH>(
      cache->Get(kBrushKind, ColorWord(forPalette.colorBackground, forPalette.osBackground)));
}

void ZafGdiDisplay::ReplaceCurrentPen() {
  native::HPEN pen = GetPen(palette, -1);
  if (deviceContext && pen) {
    native::SelectObject(deviceContext, pen);
  }
  if (currentPen) {
    ReleaseCachedObject(currentPen);
  }
  currentPen = pen;
}

void ZafGdiDisplay::ReplaceCurrentBrush() {
  native::HBRUSH brush = GetBrush(palette);
  if (deviceContext && brush) {
    native::SelectObject(deviceContext, brush);
  }
  if (currentBrush) {
    ReleaseCachedObject(currentBrush);
  }
  currentBrush = brush;
}

template <typename Draw>
void ZafGdiDisplay::WithPen(int32_t pixelWidth, Draw draw) {
  native::HPEN pen = GetPen(palette, pixelWidth == 1 ? -1 : pixelWidth);
  if (pen) {
    native::SelectObject(deviceContext, pen);
  }
  draw();
  if (currentPen) {
    native::SelectObject(deviceContext, currentPen);
  }
  if (pen) {
    ReleaseCachedObject(pen);
  }
}

// ---- Coordinates ----

int32_t ZafGdiDisplay::Placed(int32_t pixels, int32_t origin) const {
  return pixels * scaleNumerator / (scaleDenominator ? scaleDenominator : 1) + origin;
}

int32_t ZafGdiDisplay::PixelX(int32_t x) const {
  return Placed(ConvertCoordinate(this, x, coordinateType, ZAF_PIXEL), originX);
}

int32_t ZafGdiDisplay::PixelY(int32_t y) const {
  return Placed(ConvertYValue(this, y, coordinateType, ZAF_PIXEL), originY);
}

ZafRegionStruct ZafGdiDisplay::DrawnRegion(const ZafRegionStruct& region) const {
  const ZafRegionStruct pixels = region.Converted(ZAF_PIXEL, this);
  return {Placed(pixels.left, originX), Placed(pixels.top, originY), Placed(pixels.right, originX),
          Placed(pixels.bottom, originY), ZAF_PIXEL};
}

int32_t ZafGdiDisplay::PixelWidth(int32_t width) const {
  if (width < 1) {
    return width;
  }
  const int32_t pixels = ConvertCoordinate(this, width, coordinateType, ZAF_PIXEL) * scaleNumerator /
                         (scaleDenominator ? scaleDenominator : 1);
  return pixels < 2 ? 1 : pixels;
}

// ---- Device context ----

void ZafGdiDisplay::AttachDeviceContext(native::HDC dc) {
  deviceContext = dc;
  native::SaveDC(dc);
  if (logicalPalette) {
    native::SelectPalette(dc, logicalPalette, native::FALSE);
  }
}

void ZafGdiDisplay::DetachDeviceContext() {
  if (deviceContext) {
    native::RestoreDC(deviceContext, -1);
    deviceContext = nullptr;
  }
  if (currentPen) {
    ReleaseCachedObject(currentPen);
    currentPen = nullptr;
  }
  if (currentBrush) {
    ReleaseCachedObject(currentBrush);
    currentBrush = nullptr;
  }
}

void ZafGdiDisplay::BeginDraw(native::HDC dc, native::HWND window, const ZafRegionStruct&,
                              const ZafRegionStruct& clip) {
  clipsAtBeginDraw.push_back(clipRegion);
  if (drawNesting++ == 0) {
    if (dc) {
      AttachDeviceContext(dc);
    } else if (window == ZAF_WHOLE_SCREEN) {
      deviceWindow = window;
      AttachDeviceContext(native::GetDC(nullptr));
    } else if (window) {
      deviceWindow = window;
      AttachDeviceContext(native::GetDC(window));
    }
    if (deviceContext) {
      native::SetBkMode(deviceContext, native::TRANSPARENT);
    }
    if (!currentPen) {
      ReplaceCurrentPen();
    }
    if (!currentBrush) {
      ReplaceCurrentBrush();
    }
    SetPalette(palette);
  }
  SetClipRegion(clip);
}

void ZafGdiDisplay::EndDraw() {
  if (drawNesting == 0) {
    return;
  }
  const ZafRegionStruct clipAtBegin = clipsAtBeginDraw.back();
  clipsAtBeginDraw.pop_back();
  if (--drawNesting > 0) {
    // An inner pair leaves the outer drawing as it found it.
    if (clipRegion != clipAtBegin) {
      SetClipRegion(clipAtBegin);
    }
    return;
  }
  const native::HDC dc = deviceContext;
  DetachDeviceContext();
  if (deviceWindow) {
    native::ReleaseDC(deviceWindow == ZAF_WHOLE_SCREEN ? nullptr : deviceWindow, dc);
  }
  deviceWindow = nullptr;
  savedStates.clear();
  palette = DefaultPalette();
  rasterMode = 0;
  coordinateType = ZAF_PIXEL;
  originX = 0;
  originY = 0;
  scaleNumerator = 1;
  scaleDenominator = 1;
  clipRegion = clipAtBegin;
}

ZafPaletteStruct ZafGdiDisplay::DefaultPalette() {
  return ZafPaletteStruct{0, 0, 0, 15, 0, 2, 1, 0, 0};
}

void ZafGdiDisplay::SaveState() {
  savedStates.push_back({palette, rasterMode, clipRegion});
  if (deviceContext) {
    native::SaveDC(deviceContext);
  }
}

void ZafGdiDisplay::RestoreState() {
  if (savedStates.empty()) {
    return;
  }
  const SavedState saved = savedStates.back();
  savedStates.pop_back();
  if (deviceContext) {
    native::RestoreDC(deviceContext, -1);
  }
  // The restored context holds the objects of the saved moment; select the display's own again.
  SetPalette(saved.palette);
  SetMode(saved.rasterMode);
  SetClipRegion(saved.clip);
}

// ---- State setters ----

void ZafGdiDisplay::SetPalette(const ZafPaletteStruct& newPalette) {
  palette.osForeground = newPalette.osForeground;
  palette.osBackground = newPalette.osBackground;
  SetLineStyle(newPalette.lineStyle);
  SetFillPattern(newPalette.fillPattern);
  SetForeground(newPalette.colorForeground);
  SetBackground(newPalette.colorBackground);
  SetFont(newPalette.font);
}

void ZafGdiDisplay::SetFont(int32_t fontIndex) {
  if (fontIndex == -2) {
    fontIndex = 1;
  }
  palette.font = static_cast<uint8_t>(fontIndex);
  if (deviceContext && fontIndex >= 0 && fontIndex < kFonts && fontTable[fontIndex]) {
    native::SelectObject(deviceContext, fontTable[fontIndex]);
  }
}

void ZafGdiDisplay::SetForeground(int32_t colorIndex) {
  palette.colorForeground = static_cast<uint8_t>(colorIndex);
  if (deviceContext) {
    native::COLORREF color = ColorWord(palette.colorForeground, palette.osForeground);
    if (palette.colorForeground == ZAF_OS_COLOR_INDEX && palette.osForeground == ZAF_OS_COLOR_NOT_SET) {
      color = colors[0];
    }
    native::SetTextColor(deviceContext, color);
  }
  ReplaceCurrentPen();
}

void ZafGdiDisplay::SetBackground(int32_t colorIndex) {
  palette.colorBackground = static_cast<uint8_t>(colorIndex);
  if (deviceContext) {
    native::COLORREF color = ColorWord(palette.colorBackground, palette.osBackground);
    if (palette.colorBackground == ZAF_OS_COLOR_INDEX && palette.osBackground == ZAF_OS_COLOR_NOT_SET) {
      color = colors[0];
    }
    native::SetBkColor(deviceContext, color);
  }
  ReplaceCurrentBrush();
}

void ZafGdiDisplay::SetLineStyle(uint8_t lineStyle) {
  if (lineStyle == palette.lineStyle) {
    return;
  }
  palette.lineStyle = lineStyle == 0xFE ? 0 : lineStyle;
  ReplaceCurrentPen();
}

void ZafGdiDisplay::SetFillPattern(uint8_t fillPattern) {
  if (fillPattern == palette.fillPattern) {
    return;
  }
  palette.fillPattern = fillPattern == 254 ? 0 : fillPattern;
  ReplaceCurrentBrush();
}

uint8_t ZafGdiDisplay::SetMode(uint8_t mode) {
  const uint8_t previous = rasterMode;
  rasterMode = mode;
  if (deviceContext) {
    native::SetROP2(deviceContext, rasterModes[mode < kRasterModes ? mode : 0].first);
  }
  return previous;
}

void ZafGdiDisplay::SetClipRegion(const ZafRegionStruct& clip) {
  clipRegion = clip;
  SelectClip(DrawnRegion(clip));
}

void ZafGdiDisplay::SelectClip(const ZafRegionStruct& pixels) {
  if (!deviceContext) {
    return;
  }
  native::HRGN region = native::CreateRectRgn(pixels.left, pixels.top, pixels.right + 1, pixels.bottom + 1);
  native::SelectClipRgn(deviceContext, region);
  native::DeleteObject(region);
}

ZafRegionStruct ZafGdiDisplay::ClipRegion() {
  native::RECT box{};
  if (deviceContext) {
    native::GetClipBox(deviceContext, &box);
  }
  return {box.left, box.top, box.right, box.bottom, ZAF_PIXEL};
}

// ---- Drawing ----

void ZafGdiDisplay::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width) {
  if (!deviceContext) {
    return;
  }
  int32_t pixelWidth = width == -1 ? 1 : PixelWidth(width);
  const int32_t fromX = PixelX(x1);
  const int32_t fromY = PixelY(y1);
  int32_t toX = PixelX(x2);
  int32_t toY = PixelY(y2);
  if (pixelWidth == 1) {
    // The drawing layer leaves out a line's end point; a framework line includes it, so the end moves one
    // pixel further along the line.
    int32_t dx = toX - fromX;
    int32_t dy = toY - fromY;
    if (dx == 0) {
      toY += dy < 0 ? -1 : 1;
    } else if (dy == 0) {
      toX += dx < 0 ? -1 : 1;
    } else {
      const int32_t slope = dy * 1000 / dx;
      if (slope >= 1000 || slope < -999) {
        dy += dy < 0 ? -1 : 1;
        toY = fromY + dy;
        toX = fromX + dy * 1000 / slope;
      } else {
        dx += dx < 0 ? -1 : 1;
        toX = fromX + dx;
        toY = fromY + slope * dx / 1000;
      }
    }
  }
  WithPen(pixelWidth, [&] {
    native::MoveToEx(deviceContext, fromX, fromY, nullptr);
    native::LineTo(deviceContext, toX, toY);
  });
}

void ZafGdiDisplay::Pixel(int32_t x, int32_t y, int32_t color, int32_t) {
  if (!deviceContext) {
    return;
  }
  uint8_t index = static_cast<uint8_t>(color);
  uint32_t osColor = palette.osForeground;
  if (index == ZAF_OS_COLOR_INDEX) {
    index = palette.colorForeground;
  }
  native::SetPixel(deviceContext, PixelX(x), PixelY(y), ColorWord(index, osColor));
}

void ZafGdiDisplay::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width,
                              bool fill) {
  if (!deviceContext) {
    return;
  }
  const native::RECT rect{PixelX(left), PixelY(top), PixelX(right) + 1, PixelY(bottom) + 1};
  const int32_t pixelWidth = width == -1 ? 1 : PixelWidth(width);
  if (pixelWidth == 0) {
    if (currentBrush) {
      native::FillRect(deviceContext, &rect, currentBrush);
    }
    return;
  }
  native::HGDIOBJ previousBrush =
      fill ? nullptr : native::SelectObject(deviceContext, native::GetStockObject(native::NULL_BRUSH));
  const auto draw = [&] { native::Rectangle(deviceContext, rect.left, rect.top, rect.right, rect.bottom); };
  if (pixelWidth > 1) {
    WithPen(pixelWidth, draw);
  } else {
    draw();
  }
  if (previousBrush) {
    native::SelectObject(deviceContext, previousBrush);
  }
}

void ZafGdiDisplay::Polygon(int32_t count, const int32_t* points, int32_t width, bool fill, bool close) {
  if (!deviceContext || !points || count < 1) {
    return;
  }
  std::vector<native::POINT> converted;
  converted.reserve(static_cast<std::size_t>(count) + 1);
  for (int32_t i = 0; i < count; ++i) {
    converted.push_back({PixelX(points[2 * i]), PixelY(points[2 * i + 1])});
  }
  if (close && (converted.back().x != converted.front().x || converted.back().y != converted.front().y)) {
    converted.push_back(converted.front());
  }
  const int size = static_cast<int>(converted.size());
  WithPen(width == -1 ? 1 : PixelWidth(width), [&] {
    if (fill) {
      native::Polygon(deviceContext, converted.data(), size);
    } else {
      native::Polyline(deviceContext, converted.data(), size);
    }
  });
}

void ZafGdiDisplay::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom, float startAngle,
                            float endAngle, int32_t width, bool fill) {
  if (!deviceContext) {
    return;
  }
  // Angles come into 0 to 360; a whole turn between them makes them equal, which draws the whole ellipse.
  // A non-finite angle is taken as 0.
  const auto normalise = [](float angle) {
    if (!std::isfinite(angle)) {
      return 0.0f;
    }
    angle = std::fmod(angle, 360.0f);
    return angle < 0 ? angle + 360.0f : angle;
  };
  const float start = normalise(startAngle);
  const float end = normalise(endAngle);
  const int32_t l = PixelX(left);
  const int32_t t = PixelY(top);
  const int32_t r = PixelX(right);
  const int32_t b = PixelY(bottom);
  const double centreX = (l + r) * 0.5;
  const double centreY = (t + b) * 0.5;
  const auto radial = [&](float angle, int32_t& x, int32_t& y) {
    const double radians = angle * kRadiansPerDegree;
    x = static_cast<int32_t>(centreX + std::cos(radians) * kRadialLength);
    y = static_cast<int32_t>(centreY - std::sin(radians) * kRadialLength);
  };
  int32_t startX = 0, startY = 0, endX = 0, endY = 0;
  radial(start, startX, startY);
  radial(end, endX, endY);
  WithPen(width == -1 ? 1 : PixelWidth(width), [&] {
    if (!fill) {
      native::Arc(deviceContext, l, t, r, b, startX, startY, endX, endY);
    } else if (start == end) {
      native::Ellipse(deviceContext, l, t, r, b);
    } else {
      native::Pie(deviceContext, l, t, r, b, startX - 1, startY - 1, endX - 1, endY - 1);
    }
  });
}

void ZafGdiDisplay::FocusRectangle(const ZafRegionStruct* first, const ZafRegionStruct* second) {
  if (!deviceContext) {
    return;
  }
  for (const ZafRegionStruct* region : {second, first}) {
    if (region) {
      const native::RECT rect{region->left, region->top, region->right + 1, region->bottom + 1};
      native::DrawFocusRect(deviceContext, &rect);
    }
  }
}

void ZafGdiDisplay::CopyArea(const ZafRegionStruct& area, int32_t x, int32_t y) {
  native::HDC dc = deviceContext ? deviceContext : native::GetDC(nullptr);
  native::BitBlt(dc, x, y, area.Width(), area.Height(), dc, area.left, area.top, native::SRCCOPY);
  if (!deviceContext) {
    native::ReleaseDC(nullptr, dc);
  }
}

void ZafGdiDisplay::DeviceIndependentBits(const ZafRegionStruct& region, int32_t width, int32_t height,
                                          const uint8_t* bits, int32_t bitsPerPixel) {
  if (!deviceContext || !bits || width <= 0 || height <= 0 || (bitsPerPixel != 15 && bitsPerPixel != 24)) {
    return;
  }
  // The drawing layer takes 24-bit rows; 15-bit rows (5 bits each of red, green and blue in a
  // little-endian word, blue lowest) are widened first.
  std::vector<uint8_t> widened;
  if (bitsPerPixel == 15) {
    const std::size_t sourceStride = (static_cast<std::size_t>(width) * 2 + 3) & ~std::size_t{3};
    const std::size_t targetStride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    widened.assign(targetStride * static_cast<std::size_t>(height), 0);
    const auto widen = [](unsigned five) { return static_cast<uint8_t>((five << 3) | (five >> 2)); };
    for (int32_t row = 0; row < height; ++row) {
      const uint8_t* source = bits + sourceStride * static_cast<std::size_t>(row);
      uint8_t* target = widened.data() + targetStride * static_cast<std::size_t>(row);
      for (int32_t column = 0; column < width; ++column) {
        const unsigned word = source[2 * column] | (source[2 * column + 1] << 8);
        target[3 * column] = widen(word & 0x1F);
        target[3 * column + 1] = widen((word >> 5) & 0x1F);
        target[3 * column + 2] = widen((word >> 10) & 0x1F);
      }
    }
    bits = widened.data();
  }
  native::BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(native::BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = native::BI_RGB;
  const int32_t left = PixelX(region.left);
  const int32_t top = PixelY(region.top);
  native::StretchDIBits(deviceContext, left, top, PixelX(region.right) + 1 - left,
                        PixelY(region.bottom) + 1 - top, 0, 0, width, height, bits, &info,
                        native::DIB_RGB_COLORS,
                        rasterModes[rasterMode < kRasterModes ? rasterMode : 0].second);
}

void ZafGdiDisplay::DrawTextInto(native::HDC dc, const ZafIChar* text, int32_t length, native::RECT& rect,
                                 native::UINT format, int32_t hotKeyIndex) {
  if (hotKeyIndex >= 0 && hotKeyIndex < length) {
    // The drawing layer underlines the character after a single "&".
    const std::u16string marked(text, static_cast<std::size_t>(length));
    const auto mnemonic = ZafMnemonicText(marked.c_str(), hotKeyIndex);
    native::DrawText(dc, mnemonic.get(), -1, &rect, format);
  } else {
    native::DrawText(dc, text, length, &rect, format | native::DT_NOPREFIX);
  }
}

void ZafGdiDisplay::Text(int32_t left, int32_t top, int32_t right, int32_t bottom, const ZafIChar* text,
                         int32_t length, int32_t horizontalJustify, int32_t verticalJustify,
                         int32_t hotKeyIndex, bool fill) {
  length = Length(text, length);
  if (!deviceContext || length == 0) {
    return;
  }
  native::UINT format = native::DT_SINGLELINE | native::DT_NOCLIP;
  if (horizontalJustify == 2) {
    format |= native::DT_CENTER;
  } else if (horizontalJustify == 1) {
    format |= native::DT_RIGHT;
  }
  if (verticalJustify == 1) {
    format |= native::DT_BOTTOM;
  } else if (verticalJustify != 0) {
    format |= native::DT_VCENTER;
  }
  if (fill) {
    native::SetBkMode(deviceContext, native::OPAQUE);
  }
  native::RECT rect{PixelX(left), PixelY(top), PixelX(right) + 1, PixelY(bottom) + 1};
  if (rasterMode == kCopyMode && ScalePercent(this) == 100) {
    DrawTextInto(deviceContext, text, length, rect, format, hotKeyIndex);
  } else {
    // Other modes combine the finished text with what is there; other scales stretch text drawn at its
    // own size. Both go through a bitmap of the unscaled size.
    const int32_t width = ConvertCoordinate(this, right, coordinateType, ZAF_PIXEL) -
                          ConvertCoordinate(this, left, coordinateType, ZAF_PIXEL) + 1;
    const int32_t height = ConvertYValue(this, bottom, coordinateType, ZAF_PIXEL) -
                           ConvertYValue(this, top, coordinateType, ZAF_PIXEL) + 1;
    if (width > 0 && height > 0) {
      native::HDC memory = native::CreateCompatibleDC(deviceContext);
      native::HBITMAP bitmap = native::CreateCompatibleBitmap(deviceContext, width, height);
      native::HGDIOBJ previousBitmap = native::SelectObject(memory, bitmap);
      native::SetTextColor(memory, native::GetTextColor(deviceContext));
      native::SetBkColor(memory, native::GetBkColor(deviceContext));
      native::SetBkMode(memory, fill ? native::OPAQUE : native::TRANSPARENT);
      native::SelectObject(memory, native::GetCurrentObject(deviceContext, native::OBJ_FONT));
      const int32_t deviceWidth = rect.right - rect.left;
      const int32_t deviceHeight = rect.bottom - rect.top;
      if (rasterMode != kCopyMode) {
        native::PatBlt(memory, 0, 0, width, height, native::BLACKNESS);
      } else if (!fill) {
        native::StretchBlt(memory, 0, 0, width, height, deviceContext, rect.left, rect.top, deviceWidth,
                           deviceHeight, native::SRCCOPY);
      }
      native::RECT local{0, 0, width, height};
      DrawTextInto(memory, text, length, local, format, hotKeyIndex);
      const native::DWORD operation = rasterModes[rasterMode < kRasterModes ? rasterMode : 0].second;
      if (ScalePercent(this) == 100) {
        native::BitBlt(deviceContext, rect.left, rect.top, width, height, memory, 0, 0, operation);
      } else {
        native::StretchBlt(deviceContext, rect.left, rect.top, deviceWidth, deviceHeight, memory, 0, 0, width,
                           height, operation);
      }
      native::SelectObject(memory, previousBitmap);
      native::DeleteObject(bitmap);
      native::DeleteDC(memory);
    }
  }
  if (fill) {
    native::SetBkMode(deviceContext, native::TRANSPARENT);
  }
}

void ZafGdiDisplay::Text(int32_t x, int32_t y, const ZafIChar* text, int32_t length, int32_t hotKeyIndex,
                         bool fill) {
  const ZafRegionStruct size = TextSize(text, length);
  Text(x, y, x + size.right - 1, y + size.bottom - 1, text, length, 0, 0, hotKeyIndex, fill);
}

ZafRegionStruct ZafGdiDisplay::TextSize(const ZafIChar* text, int32_t length) {
  length = Length(text, length);
  if (length == 0) {
    return {1, 1, 0, 0, ZAF_PIXEL};
  }
  // Without a drawing under way the text is measured on the screen in the current font.
  native::HDC dc = deviceContext;
  native::HGDIOBJ previousFont = nullptr;
  if (!dc) {
    dc = native::GetDC(nullptr);
    if (palette.font < kFonts && fontTable[palette.font]) {
      previousFont = native::SelectObject(dc, fontTable[palette.font]);
    }
  }
  native::SIZE size{};
  native::GetTextExtentPoint32(dc, text, length, &size);
  if (dc != deviceContext) {
    if (previousFont) {
      native::SelectObject(dc, previousFont);
    }
    native::ReleaseDC(nullptr, dc);
  }
  return {1, 1, ConvertCoordinate(this, size.cx, ZAF_PIXEL, coordinateType),
          ConvertYValue(this, size.cy, ZAF_PIXEL, coordinateType), coordinateType};
}

native::HCURSOR ZafGdiDisplay::ConvertToOSMouse(ZafMouseData* mouse) {
  if (!mouse) {
    return nullptr;
  }
  constexpr int kSize = 32;
  constexpr int kRowBytes = kSize / 8;
  // Transparent everywhere (AND bits set, XOR bits clear) until the image is laid in the middle.
  std::array<uint8_t, kSize * kRowBytes> andPlane;
  std::array<uint8_t, kSize * kRowBytes> xorPlane{};
  andPlane.fill(0xFF);
  const int32_t width = mouse->Width();
  const int32_t height = mouse->Height();
  const int32_t offsetX = (kSize - width) / 2;
  const int32_t offsetY = (kSize - height) / 2;
  const uint8_t* pixels = mouse->Pixels();
  for (int32_t row = 0; pixels && row < height; ++row) {
    for (int32_t column = 0; column < width; ++column) {
      const int32_t x = column + offsetX;
      const int32_t y = row + offsetY;
      if (x < 0 || x >= kSize || y < 0 || y >= kSize) {
        continue;
      }
      const uint8_t pixel = pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                                   static_cast<std::size_t>(column)];
      const std::size_t byte = static_cast<std::size_t>(y * kRowBytes + x / 8);
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      if (pixel != 0xFF) {
        andPlane[byte] &= static_cast<uint8_t>(~bit);
        if (pixel != 0) {
          xorPlane[byte] |= bit;
        }
      }
    }
  }
  return native::CreateCursor(ZafMSWindowsApp::instance, mouse->HotSpotX() + offsetX,
                              mouse->HotSpotY() + offsetY, kSize, kSize, andPlane.data(), xorPlane.data());
}

// ---- Tables ----

int32_t ZafGdiDisplay::DefineColor(int32_t index, uint8_t red, uint8_t green, uint8_t blue) {
  if (index == -2) {
    index = kFirstFreeColor;
    while (index < kColors && colors[index] != kUndefinedColor) {
      ++index;
    }
  }
  if (index < 0 || index >= kColors) {
    return ZAF_COLOR_TABLE_FULL;
  }
  colors[index] = native::RGB(red, green, blue);
  RebuildPalette();
  return index;
}

int32_t ZafGdiDisplay::ReleaseColor(int32_t index) {
  if (index < 0 || index >= kColors) {
    return ZAF_ERROR_INVALID_INDEX;
  }
  colors[index] = kUndefinedColor;
  return 0;
}

int32_t ZafGdiDisplay::ColorMap(int32_t index, uint8_t& red, uint8_t& green, uint8_t& blue) const {
  if (index < 0 || index >= kColors || colors[index] == kUndefinedColor) {
    return ZAF_ERROR_INVALID_INDEX;
  }
  native::COLORREF color = colors[index];
  if (paletteDevice && (color & 0xFF000000) == 0x01000000 && logicalPalette) {
    native::PALETTEENTRY entry{};
    native::GetPaletteEntries(logicalPalette, color & 0xFFFF, 1, &entry);
    color = native::RGB(entry.peRed, entry.peGreen, entry.peBlue);
  }
  red = native::GetRValue(color);
  green = native::GetGValue(color);
  blue = native::GetBValue(color);
  return 0;
}

void ZafGdiDisplay::RebuildPalette() {
  std::vector<native::PALETTEENTRY> entries;
  std::vector<int> defined;
  for (int index = 0; index < kColors; ++index) {
    native::COLORREF color = colors[index];
    if (color == kUndefinedColor) {
      continue;
    }
    if ((color & 0xFF000000) == 0x01000000) {
      native::PALETTEENTRY old{};
      if (logicalPalette) {
        native::GetPaletteEntries(logicalPalette, color & 0xFFFF, 1, &old);
      }
      color = native::RGB(old.peRed, old.peGreen, old.peBlue);
    }
    entries.push_back({native::GetRValue(color), native::GetGValue(color), native::GetBValue(color), 0});
    defined.push_back(index);
  }
  // The record is a header followed by its entries.
  std::vector<uint8_t> record(sizeof(native::LOGPALETTE) + entries.size() * sizeof(native::PALETTEENTRY));
  auto* logical = reinterpret_cast<native::LOGPALETTE*>(record.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<native::WORD>(entries.size());
  std::memcpy(logical->palPalEntry, entries.data(), entries.size() * sizeof(native::PALETTEENTRY));
  for (std::size_t slot = 0; slot < defined.size(); ++slot) {
    const native::PALETTEENTRY& entry = entries[slot];
    colors[defined[slot]] = paletteDevice ? 0x01000000 + static_cast<native::COLORREF>(slot)
                                          : native::RGB(entry.peRed, entry.peGreen, entry.peBlue);
  }
  if (logicalPalette) {
    native::DeleteObject(logicalPalette);
  }
  logicalPalette = native::CreatePalette(logical);
}

int32_t ZafGdiDisplay::ConvertToOSFont(int32_t index, const ZafIChar* face, int32_t pointSize, bool bold,
                                       bool italic) {
  if (index == -1) {
    index = 0;
    while (index < kFonts && fontTable[index]) {
      ++index;
    }
  }
  if (index < 0 || index >= kFonts) {
    return -1;
  }
  if (fontTable[index]) {
    native::DeleteObject(fontTable[index]);
    fontTable[index] = nullptr;
  }
  native::HFONT font = native::CreateFont(-(pointSize * pixelsPerInchY) / 72, 0, 0, 0, bold ? 700 : 0,
                                          italic ? 1 : 0, 0, 0, kDefaultCharSet, 0, 0, 0, 0, face);
  if (!font) {
    return -1;
  }
  fontTable[index] = font;
  return index;
}

int32_t ZafGdiDisplay::DestroyOSFont(int32_t index) {
  if (index < 0 || index >= kFonts) {
    return ZAF_ERROR_INVALID_INDEX;
  }
  if (fontTable[index]) {
    native::DeleteObject(fontTable[index]);
    fontTable[index] = nullptr;
  }
  return 0;
}

// ---- Bitmaps and icons ----

namespace {

// Pixels handed out by the display are arrays it allocated; static pixels belong to the program.
void FreePixels(const uint8_t*& pixels, bool& staticPixels) {
  if (!staticPixels) {
    delete[] pixels;
  }
  pixels = nullptr;
  staticPixels = false;
}

const uint8_t* CopyPixels(const std::vector<uint8_t>& pixels) {
  auto* copy = new uint8_t[pixels.size()];
  std::copy(pixels.begin(), pixels.end(), copy);
  return copy;
}

}  // namespace

native::HDC ZafGdiDisplay::ImageContext() {
  native::HDC dc = deviceContext ? deviceContext : native::GetDC(nullptr);
  if (logicalPalette && dc != deviceContext) {
    native::SelectPalette(dc, logicalPalette, native::FALSE);
  }
  native::RealizePalette(dc);
  return dc;
}

void ZafGdiDisplay::ReleaseImageContext(native::HDC dc) {
  if (dc != deviceContext) {
    native::ReleaseDC(nullptr, dc);
  }
}

std::pair<native::HBITMAP, native::HBITMAP> ZafGdiDisplay::MakeBitmaps(int32_t width, int32_t height,
                                                                       const uint8_t* pixels) {
  const ZafDibImage image = ZafDibImage::FromPixels(width, height, pixels);
  if (image.colorRows.empty()) {
    return {nullptr, nullptr};
  }
  // The header followed by its colour table: palette indexes on a palette device, else the colours.
  std::vector<uint8_t> record(sizeof(native::BITMAPINFOHEADER) +
                              static_cast<std::size_t>(image.colorCount) * sizeof(native::RGBQUAD));
  auto* info = reinterpret_cast<native::BITMAPINFO*>(record.data());
  info->bmiHeader = image.Header();
  for (int32_t index = 0; index < image.colorCount; ++index) {
    if (paletteDevice) {
      reinterpret_cast<native::WORD*>(info->bmiColors)[index] =
          static_cast<native::WORD>(ColorWord(static_cast<uint8_t>(index), 0) & 0xFFFF);
    } else {
      const native::COLORREF color = ColorWord(static_cast<uint8_t>(index), 0);
      info->bmiColors[index] = {native::GetBValue(color), native::GetGValue(color), native::GetRValue(color),
                                0};
    }
  }
  native::HDC dc = ImageContext();
  native::HBITMAP color =
      native::CreateDIBitmap(dc, &info->bmiHeader, native::CBM_INIT, image.colorRows.data(), info,
                             paletteDevice ? native::DIB_PAL_COLORS : native::DIB_RGB_COLORS);
  ReleaseImageContext(dc);
  native::HBITMAP mask =
      image.maskRows.empty() ? nullptr : native::CreateBitmap(width, height, 1, 1, image.maskRows.data());
  return {color, mask};
}

std::vector<uint8_t> ZafGdiDisplay::ReadBitmaps(native::HBITMAP color, native::HBITMAP mask, int32_t& width,
                                                int32_t& height) {
  native::BITMAP size{};
  if (!color || native::GetObject(color, sizeof(size), &size) == 0 || size.bmWidth < 1 || size.bmHeight < 1) {
    return {};
  }
  ZafDibImage image;
  image.width = width = size.bmWidth;
  image.height = height = size.bmHeight;
  image.colorRows.resize(ZafDibImage::ColorRowBytes(width) * static_cast<std::size_t>(height));
  std::vector<uint8_t> record(sizeof(native::BITMAPINFOHEADER) + 256 * sizeof(native::RGBQUAD));
  auto* info = reinterpret_cast<native::BITMAPINFO*>(record.data());
  native::HDC dc = ImageContext();
  info->bmiHeader = image.Header();
  const bool read = native::GetDIBits(dc, color, 0, static_cast<native::UINT>(height), image.colorRows.data(),
                                      info, native::DIB_PAL_COLORS) == height;
  if (read && mask) {
    // Mask rows come as a device-independent bitmap (rows padded to 4 bytes, from the top) and are
    // repacked to the 2-byte rows of the framework's layout.
    const std::size_t readStride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    std::vector<uint8_t> rows(readStride * static_cast<std::size_t>(height));
    info->bmiHeader.biBitCount = 1;
    info->bmiHeader.biHeight = -height;
    info->bmiHeader.biClrUsed = 2;
    native::GetDIBits(dc, mask, 0, static_cast<native::UINT>(height), rows.data(), info,
                      native::DIB_RGB_COLORS);
    const std::size_t maskStride = ZafDibImage::MaskRowBytes(width);
    image.maskRows.resize(maskStride * static_cast<std::size_t>(height));
    for (int32_t row = 0; row < height; ++row) {
      std::copy_n(
          rows.begin() + static_cast<std::ptrdiff_t>(readStride * static_cast<std::size_t>(row)), maskStride,
          image.maskRows.begin() + static_cast<std::ptrdiff_t>(maskStride * static_cast<std::size_t>(row)));
    }
  }
  ReleaseImageContext(dc);
  return read ? image.ToPixels() : std::vector<uint8_t>{};
}

void ZafGdiDisplay::ConvertToOSBitmap(ZafBitmapStruct& bitmap) {
  const auto [color, mask] = MakeBitmaps(bitmap.width, bitmap.height, bitmap.pixels);
  bitmap.bitmap = color;
  bitmap.mask = mask;
  bitmap.staticHandles = false;
}

int32_t ZafGdiDisplay::ConvertToZafBitmap(ZafBitmapStruct& bitmap) {
  if (!bitmap.bitmap) {
    return ZAF_ERROR_NO_NATIVE_IMAGE;
  }
  int32_t width = 0;
  int32_t height = 0;
  const std::vector<uint8_t> pixels = ReadBitmaps(static_cast<native::HBITMAP>(bitmap.bitmap),
                                                  static_cast<native::HBITMAP>(bitmap.mask), width, height);
  if (pixels.empty()) {
    return ZAF_ERROR_NO_NATIVE_IMAGE;
  }
  FreePixels(bitmap.pixels, bitmap.staticPixels);
  bitmap.pixels = CopyPixels(pixels);
  bitmap.width = width;
  bitmap.height = height;
  return 0;
}

void ZafGdiDisplay::DestroyOSBitmap(ZafBitmapStruct& bitmap) {
  if (!bitmap.staticHandles) {
    if (bitmap.bitmap) {
      native::DeleteObject(bitmap.bitmap);
    }
    if (bitmap.mask) {
      native::DeleteObject(bitmap.mask);
    }
  }
  bitmap.bitmap = nullptr;
  bitmap.mask = nullptr;
}

void ZafGdiDisplay::FreeBitmapPixels(ZafBitmapStruct& bitmap) {
  FreePixels(bitmap.pixels, bitmap.staticPixels);
}

void ZafGdiDisplay::Bitmap(int32_t x, int32_t y, ZafBitmapStruct& bitmap) {
  if (!deviceContext) {
    return;
  }
  if (bitmap.pixels && !bitmap.bitmap) {
    ConvertToOSBitmap(bitmap);
  }
  if (!bitmap.bitmap) {
    return;
  }
  const int32_t left = PixelX(x);
  const int32_t top = PixelY(y);
  const int32_t width = bitmap.width;
  const int32_t height = bitmap.height;
  const int32_t denominator = scaleDenominator ? scaleDenominator : 1;
  const int32_t scaledWidth = width * scaleNumerator / denominator;
  const int32_t scaledHeight = height * scaleNumerator / denominator;
  const bool unscaled = ScalePercent(this) == 100;
  const native::DWORD operation = rasterModes[rasterMode < kRasterModes ? rasterMode : 0].second;
  native::HDC source = native::CreateCompatibleDC(deviceContext);
  native::HGDIOBJ previousSource = native::SelectObject(source, bitmap.bitmap);
  if (rasterMode == kCopyMode && bitmap.mask) {
    // Transparent pixels: the destination is ANDed with the mask (white where transparent), then the
    // colours (black where transparent) are XORed in, and the result put back in one piece.
    native::HDC work = native::CreateCompatibleDC(deviceContext);
    native::HBITMAP workBitmap = native::CreateCompatibleBitmap(deviceContext, width, height);
    native::HGDIOBJ previousWork = native::SelectObject(work, workBitmap);
    native::StretchBlt(work, 0, 0, width, height, deviceContext, left, top, unscaled ? width : scaledWidth,
                       unscaled ? height : scaledHeight, native::SRCCOPY);
    native::HDC maskContext = native::CreateCompatibleDC(deviceContext);
    native::HGDIOBJ previousMask = native::SelectObject(maskContext, bitmap.mask);
    native::SetTextColor(work, native::RGB(0, 0, 0));
    native::SetBkColor(work, native::RGB(255, 255, 255));
    native::BitBlt(work, 0, 0, width, height, maskContext, 0, 0, native::SRCAND);
    native::BitBlt(work, 0, 0, width, height, source, 0, 0, native::SRCINVERT);
    if (unscaled) {
      native::BitBlt(deviceContext, left, top, width, height, work, 0, 0, native::SRCCOPY);
    } else {
      native::StretchBlt(deviceContext, left, top, scaledWidth, scaledHeight, work, 0, 0, width, height,
                         operation);
    }
    native::SelectObject(maskContext, previousMask);
    native::DeleteDC(maskContext);
    native::SelectObject(work, previousWork);
    native::DeleteObject(workBitmap);
    native::DeleteDC(work);
  } else if (unscaled) {
    native::BitBlt(deviceContext, left, top, width, height, source, 0, 0, operation);
  } else {
    native::StretchBlt(deviceContext, left, top, scaledWidth, scaledHeight, source, 0, 0, width, height,
                       operation);
  }
  native::SelectObject(source, previousSource);
  native::DeleteDC(source);
}

void ZafGdiDisplay::ConvertToOSIcon(ZafIconStruct& icon) {
  auto [color, mask] = MakeBitmaps(icon.width, icon.height, icon.pixels);
  if (!color) {
    return;
  }
  if (!mask) {
    // An icon always has a mask: all clear when nothing is transparent.
    const std::vector<uint8_t> clear(
        ZafDibImage::MaskRowBytes(icon.width) * static_cast<std::size_t>(icon.height), 0);
    mask = native::CreateBitmap(icon.width, icon.height, 1, 1, clear.data());
  }
  native::ICONINFO info{native::TRUE, 0, 0, mask, color};
  icon.icon = native::CreateIconIndirect(&info);
  icon.staticHandle = false;
  native::DeleteObject(color);
  native::DeleteObject(mask);
}

int32_t ZafGdiDisplay::ConvertToZafIcon(ZafIconStruct& icon) {
  native::ICONINFO info{};
  if (!icon.icon || !native::GetIconInfo(static_cast<native::HICON>(icon.icon), &info)) {
    return ZAF_ERROR_NO_NATIVE_IMAGE;
  }
  int32_t width = 0;
  int32_t height = 0;
  const std::vector<uint8_t> pixels = ReadBitmaps(info.hbmColor, info.hbmMask, width, height);
  if (info.hbmColor) {
    native::DeleteObject(info.hbmColor);
  }
  if (info.hbmMask) {
    native::DeleteObject(info.hbmMask);
  }
  if (pixels.empty()) {
    return ZAF_ERROR_NO_NATIVE_IMAGE;
  }
  FreePixels(icon.pixels, icon.staticPixels);
  icon.pixels = CopyPixels(pixels);
  icon.width = width;
  icon.height = height;
  return 0;
}

void ZafGdiDisplay::DestroyOSIcon(ZafIconStruct& icon) {
  if (icon.icon && !icon.staticHandle) {
    native::DestroyIcon(static_cast<native::HICON>(icon.icon));
  }
  icon.icon = nullptr;
}

void ZafGdiDisplay::FreeIconPixels(ZafIconStruct& icon) {
  FreePixels(icon.pixels, icon.staticPixels);
}

void ZafGdiDisplay::Icon(int32_t x, int32_t y, ZafIconStruct& icon) {
  if (!deviceContext) {
    return;
  }
  if (icon.pixels && !icon.icon) {
    ConvertToOSIcon(icon);
  }
  if (!icon.icon) {
    return;
  }
  const auto handle = static_cast<native::HICON>(icon.icon);
  if (rasterMode == kCopyMode) {
    native::DrawIcon(deviceContext, PixelX(x), PixelY(y), handle);
    return;
  }
  native::HDC work = native::CreateCompatibleDC(deviceContext);
  native::HBITMAP workBitmap = native::CreateCompatibleBitmap(deviceContext, icon.width, icon.height);
  native::HGDIOBJ previous = native::SelectObject(work, workBitmap);
  native::PatBlt(work, 0, 0, icon.width, icon.height, native::BLACKNESS);
  native::DrawIcon(work, 0, 0, handle);
  native::BitBlt(deviceContext, PixelX(x), PixelY(y), icon.width, icon.height, work, 0, 0, native::SRCINVERT);
  native::SelectObject(work, previous);
  native::DeleteObject(workBitmap);
  native::DeleteDC(work);
}

int32_t ZafGdiDisplay::FontInfo(int32_t index, ZafIChar* face, int32_t capacity, int32_t& pointSize,
                                bool& bold, bool& italic) {
  if (index < 0 || index >= kFonts || !fontTable[index]) {
    return ZAF_ERROR_INVALID_INDEX;
  }
  native::HDC screen = native::GetDC(nullptr);
  native::HGDIOBJ previous = native::SelectObject(screen, fontTable[index]);
  native::TEXTMETRIC metrics{};
  native::GetTextMetrics(screen, &metrics);
  if (face && capacity > 0) {
    native::GetTextFace(screen, capacity, face);
  }
  native::SelectObject(screen, previous);
  native::ReleaseDC(nullptr, screen);
  pointSize = pixelsPerInchY ? (metrics.tmHeight - metrics.tmInternalLeading) * 72 / pixelsPerInchY : 0;
  bold = metrics.tmWeight == 700;
  italic = metrics.tmItalic != 0;
  return 0;
}
