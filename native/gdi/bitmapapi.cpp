#include "native/gdi/bitmapapi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "native/gdi/areacopy.h"
#include "native/gdi/canvas.h"
#include "native/gdi/dibformat.h"
#include "native/gdi/drawapi.h"
#include "native/user/rects.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

Gdi& gdi() {
  return WindowSystem::get().gdi();
}

bool validSize(int width, int height) {
  return width > 0 && height > 0 && width <= Surface::kMaxSide && height <= Surface::kMaxSide &&
         static_cast<long long>(width) * height <= Surface::kMaxBitmapPixels;
}

HBITMAP addBitmap(std::unique_ptr<Surface> surface) {
  auto object = std::make_unique<GdiObject>();
  object->type = OBJ_BITMAP;
  object->bitmap = std::move(surface);
  return static_cast<HBITMAP>(gdi().add(std::move(object)));
}

bool usesSource(DWORD rop) {
  // The source bits of the ternary code differ between source 0 and 1 somewhere.
  unsigned code = (rop >> 16) & 0xFF;
  return ((code >> 2) & 0x33) != (code & 0x33);
}

// The raster operations that combine source and destination with one bitwise operation and no pattern.
std::optional<AreaMix> areaMixOf(DWORD rop) {
  switch (rop) {
    case SRCCOPY:
      return AreaMix::kCopy;
    case SRCINVERT:
      return AreaMix::kExclusiveOr;
    case SRCAND:
      return AreaMix::kAnd;
    default:
      return std::nullopt;
  }
}

const std::vector<PALETTEENTRY>& paletteOf(const DeviceContext* dc) {
  const GdiObject* palette = dc == nullptr ? nullptr : gdi().object(dc->state.palette, OBJ_PAL);
  if (palette == nullptr) {
    palette = gdi().object(gdi().stock(DEFAULT_PALETTE));
  }
  return palette->palette;
}

// Writes the source pixels into the destination box through the raster operation, converting between
// monochrome and colour as the two sides need. `sourceAt` answers a source pixel for a destination pixel,
// or false where the source has none.
template <typename SourceAt>
void transfer(Canvas& destination, const RECT& whole, DWORD rop, bool sourceMonochrome,
              COLORREF sourceBackground, SourceAt sourceAt) {
  // Only what the clip lets through is read, however large the destination box.
  RECT limit = destination.raster().clipBounds();
  RECT box{};
  if (!IntersectRect(&box, &whole, &limit)) {
    return;
  }
  const DcState& state = destination.dc().state;
  Surface& surface = destination.surface();
  Paint pattern = destination.brushPaint().value_or(Paint::of(kBlackPixel));
  Pixel textPixel = destination.pixel(state.textColor);
  Pixel backPixel = destination.pixel(state.backgroundColor);
  Pixel sourceBackPixel = pixelOf(sourceBackground);
  // Source and destination may be the same surface: read every source pixel before writing any.
  int width = box.right - box.left;
  std::vector<Pixel> sources(static_cast<std::size_t>(width) *
                             static_cast<std::size_t>(box.bottom - box.top));
  std::vector<bool> present(sources.size());
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      std::size_t at = static_cast<std::size_t>(y - box.top) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x - box.left);
      Pixel source = 0;
      if (!sourceAt(x, y, &source)) {
        continue;
      }
      if (sourceMonochrome && !surface.monochrome()) {
        source = source == kBlackPixel ? textPixel : backPixel;
      } else if (!sourceMonochrome && surface.monochrome()) {
        source = source == sourceBackPixel ? kWhitePixel : kBlackPixel;
      }
      sources[at] = source;
      present[at] = true;
    }
  }
  destination.raster().drawParts(box, [&](const RECT& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      Pixel* row = surface.row(y);
      for (int x = part.left; x < part.right; ++x) {
        std::size_t at = static_cast<std::size_t>(y - box.top) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x - box.left);
        if (present[at]) {
          row[x] = ropPixel(rop, pattern.at(x, y), sources[at], row[x]);
        }
      }
    }
  });
}

// The destination box (target coordinates) and, for each of its pixels, the source position it samples.
struct StretchMap {
  RECT box{};
  POINT sourceOrigin{};
  int destWidth = 1;
  int destHeight = 1;
  int sourceWidth = 1;
  int sourceHeight = 1;

  // Nearest sampling; a width of opposite sign on the two sides mirrors.
  POINT sourceFor(int x, int y) const {
    long long dx = x - box.left;
    long long dy = y - box.top;
    bool mirrorX = (destWidth < 0) != (sourceWidth < 0);
    bool mirrorY = (destHeight < 0) != (sourceHeight < 0);
    long long absDestW = std::abs(destWidth);
    long long absDestH = std::abs(destHeight);
    long long sx = (dx * std::abs(sourceWidth)) / absDestW;
    long long sy = (dy * std::abs(sourceHeight)) / absDestH;
    if (mirrorX) {
      sx = std::abs(sourceWidth) - 1 - sx;
    }
    if (mirrorY) {
      sy = std::abs(sourceHeight) - 1 - sy;
    }
    return POINT{static_cast<LONG>(sourceOrigin.x + sx), static_cast<LONG>(sourceOrigin.y + sy)};
  }
};

// The first pixel of a span of `length` pixels from `start`: a negative length runs leftwards (or upwards)
// and takes in the start pixel, as mirroring calls expect (x = width - 1, length = -width covers 0..width-1).
LONG spanStart(LONG start, LONG length) {
  return length >= 0 ? start : start + length + 1;
}

StretchMap stretchMap(const Canvas& destination, int x, int y, int width, int height, POINT sourceCorner,
                      int sourceWidth, int sourceHeight) {
  StretchMap map;
  POINT a = destination.toTarget(POINT{x, y});
  POINT b = destination.toTarget(POINT{x + width, y + height});
  map.box = RECT{spanStart(a.x, b.x - a.x), spanStart(a.y, b.y - a.y), 0, 0};
  map.box.right = map.box.left + std::abs(b.x - a.x);
  map.box.bottom = map.box.top + std::abs(b.y - a.y);
  map.destWidth = b.x - a.x;
  map.destHeight = b.y - a.y;
  map.sourceWidth = sourceWidth;
  map.sourceHeight = sourceHeight;
  map.sourceOrigin = POINT{spanStart(sourceCorner.x, sourceWidth), spanStart(sourceCorner.y, sourceHeight)};
  return map;
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (!validSize(width, height) || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) {
    return nullptr;
  }
  bool mono = bitsPerPixel == 1;
  auto surface = std::make_unique<Surface>(width, height, mono);
  surface->fill(kBlackPixel);
  if (bits != nullptr) {
    const auto* bytes = static_cast<const BYTE*>(bits);
    std::size_t stride =
        mono ? static_cast<std::size_t>((width + 15) / 16) * 2 : static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
      const BYTE* row = bytes + static_cast<std::size_t>(y) * stride;
      for (int x = 0; x < width; ++x) {
        if (mono) {
          surface->setPixel(x, y, ((row[x / 8] >> (7 - x % 8)) & 1) != 0 ? kWhitePixel : kBlackPixel);
        } else {
          const BYTE* at = row + static_cast<std::size_t>(x) * 4;
          surface->setPixel(x, y,
                            (static_cast<Pixel>(at[2]) << 16) | (static_cast<Pixel>(at[1]) << 8) | at[0]);
        }
      }
    }
  }
  return addBitmap(std::move(surface));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  const DeviceContext* context = gdi().dc(dc);
  if (context == nullptr || !validSize(width, height)) {
    return nullptr;
  }
  bool mono = false;
  if (context->kind == DeviceContext::Kind::Memory) {
    const GdiObject* selected = gdi().object(context->state.bitmap, OBJ_BITMAP);
    mono = selected != nullptr && selected->bitmap->monochrome();
  }
  auto surface = std::make_unique<Surface>(width, height, mono);
  surface->fill(kBlackPixel);
  return addBitmap(std::move(surface));
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  if (header == nullptr || header->biWidth <= 0 || header->biHeight == 0 || header->biHeight == INT32_MIN) {
    return nullptr;
  }
  int width = header->biWidth;
  int height = std::abs(header->biHeight);
  if (!validSize(width, height)) {
    return nullptr;
  }
  auto surface = std::make_unique<Surface>(width, height, false);
  surface->fill(kBlackPixel);
  if ((init & CBM_INIT) != 0 && bits != nullptr) {
    DibFormat format;
    if (!format.read(info, usage, paletteOf(gdi().dc(dc)))) {
      return nullptr;
    }
    const auto* bytes = static_cast<const BYTE*>(bits);
    for (int y = 0; y < std::min(height, format.height()); ++y) {
      for (int x = 0; x < std::min(width, format.width()); ++x) {
        surface->setPixel(x, y, format.pixel(bytes, x, y));
      }
    }
  }
  return addBitmap(std::move(surface));
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSource, int ySource,
                  int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
  Canvas canvas;
  DibFormat format;
  if (bits == nullptr || destWidth == 0 || destHeight == 0 || sourceWidth == 0 || sourceHeight == 0 ||
      !canvas.open(dc) || !format.read(info, usage, paletteOf(&canvas.dc()))) {
    return 0;
  }
  const auto* bytes = static_cast<const BYTE*>(bits);
  // Source coordinates count from the image's bottom-left for a bottom-up DIB and its top-left otherwise;
  // both end up as rows from the top here.
  int top = format.topDown() ? ySource : format.height() - ySource - std::abs(sourceHeight);
  StretchMap map =
      stretchMap(canvas, xDest, yDest, destWidth, destHeight, POINT{xSource, top}, sourceWidth, sourceHeight);
  transfer(canvas, map.box, rop, false, RGB(255, 255, 255), [&](int x, int y, Pixel* out) {
    POINT source = map.sourceFor(x, y);
    if (source.x < 0 || source.y < 0 || source.x >= format.width() || source.y >= format.height()) {
      return false;
    }
    *out = format.pixel(bytes, source.x, source.y);
    return true;
  });
  return std::abs(sourceHeight);
}

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSource, int ySource,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage) {
  Canvas canvas;
  DibFormat band;
  if (bits == nullptr || !canvas.open(dc) || !band.read(info, usage, paletteOf(&canvas.dc())) ||
      width > static_cast<DWORD>(Surface::kMaxSide) || height > static_cast<DWORD>(Surface::kMaxSide) ||
      startScan >= static_cast<UINT>(band.height())) {
    return 0;
  }
  int imageHeight = band.height();
  int lines = static_cast<int>(std::min<UINT>(scanLines, static_cast<UINT>(imageHeight) - startScan));
  // The bits hold only rows startScan to startScan + lines - 1, counted from the bottom of the image.
  band.setRows(lines);
  const auto* bytes = static_cast<const BYTE*>(bits);
  POINT corner = canvas.toTarget(POINT{xDest, yDest});
  RECT box{corner.x, corner.y, corner.x + static_cast<LONG>(width), corner.y + static_cast<LONG>(height)};
  int rows = static_cast<int>(height);
  transfer(canvas, box, SRCCOPY, false, RGB(255, 255, 255), [&](int x, int y, Pixel* out) {
    int sourceX = xSource + (x - box.left);
    int down = y - box.top;
    // A bottom-up image's source corner is its lower-left one; a top-down image's its upper-left one.
    int fromBottom = band.topDown() ? imageHeight - 1 - (ySource + down) : ySource + (rows - 1 - down);
    int inBand = fromBottom - static_cast<int>(startScan);
    if (sourceX < 0 || sourceX >= band.width() || inBand < 0 || inBand >= lines) {
      return false;
    }
    *out = band.pixel(bytes, sourceX, lines - 1 - inBand);
    return true;
  });
  return lines;
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info,
              UINT usage) {
  const DeviceContext* context = gdi().dc(dc);
  const GdiObject* object = gdi().object(bitmap, OBJ_BITMAP);
  if (context == nullptr || object == nullptr || info == nullptr) {
    return 0;
  }
  const Surface& surface = *object->bitmap;
  BITMAPINFOHEADER& header = info->bmiHeader;
  int bitCount = header.biBitCount;
  if ((bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) ||
      !DibFormat::headerSizeFits(header.biSize)) {
    return 0;
  }
  // The colour table: black and white for 1 bit, the context's palette for 4 and 8.
  std::vector<PALETTEENTRY> entries;
  if (bitCount == 1) {
    entries = {PALETTEENTRY{0, 0, 0, 0}, PALETTEENTRY{255, 255, 255, 0}};
  } else if (bitCount <= 8) {
    entries = paletteOf(context);
    entries.resize(std::min<std::size_t>(entries.size(), std::size_t{1} << bitCount));
  }
  header.biWidth = surface.width();
  header.biHeight = header.biHeight < 0 ? -surface.height() : surface.height();
  header.biPlanes = 1;
  header.biCompression = BI_RGB;
  header.biClrUsed = static_cast<DWORD>(entries.size());
  header.biSizeImage = static_cast<DWORD>(DibFormat::strideFor(surface.width(), bitCount) *
                                          static_cast<std::size_t>(surface.height()));
  BYTE* table = reinterpret_cast<BYTE*>(info) + header.biSize;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (usage == DIB_PAL_COLORS) {
      WORD index = static_cast<WORD>(i);
      std::memcpy(table + i * sizeof(WORD), &index, sizeof index);
    } else {
      RGBQUAD quad{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
      std::memcpy(table + i * sizeof(RGBQUAD), &quad, sizeof quad);
    }
  }
  if (bits == nullptr) {
    return surface.height();
  }
  DibFormat format;
  if (!format.read(info, usage, entries) || startScan >= static_cast<UINT>(surface.height())) {
    return 0;
  }
  int lines = static_cast<int>(std::min<UINT>(scanLines, static_cast<UINT>(surface.height()) - startScan));
  // The buffer holds `lines` rows from row `startScan` counted from the bottom, in the header's row order.
  format.setRows(lines);
  auto* bytes = static_cast<BYTE*>(bits);
  for (int line = 0; line < lines; ++line) {
    int imageRow = surface.height() - 1 - (static_cast<int>(startScan) + line);  // from the top
    for (int x = 0; x < surface.width(); ++x) {
      format.setPixel(bytes, x, lines - 1 - line, surface.pixel(x, imageRow));
    }
  }
  return lines;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int sourceWidth, int sourceHeight, DWORD rop) {
  Canvas canvas;
  if (width == 0 || height == 0 || !canvas.open(dest)) {
    return FALSE;
  }
  if (!usesSource(rop)) {
    return PatBlt(dest, x, y, width, height, rop);
  }
  DrawTarget from;
  if (sourceWidth == 0 || sourceHeight == 0 || !gdi().target(source, &from)) {
    return FALSE;
  }
  POINT a = from.toTarget(POINT{xSource, ySource});
  POINT b = from.toTarget(POINT{xSource + sourceWidth, ySource + sourceHeight});
  StretchMap map = stretchMap(canvas, x, y, width, height, a, b.x - a.x, b.y - a.y);
  const Surface& pixels = *from.surface;
  const Region& readable = from.clip;
  // A plain or bitwise-mixing copy between colour surfaces without scaling or mirroring moves whole runs
  // of pixels.
  bool sameSize = map.destWidth == map.sourceWidth && map.destHeight == map.sourceHeight;
  std::optional<AreaMix> mix = areaMixOf(rop);
  if (mix && sameSize && !pixels.monochrome() && !canvas.surface().monochrome()) {
    long long shiftX = static_cast<long long>(map.sourceOrigin.x) - map.box.left;
    long long shiftY = static_cast<long long>(map.sourceOrigin.y) - map.box.top;
    // No surface is so large that a pixel could take its colour from one that far away.
    if (std::abs(shiftX) < Surface::kMaxSide && std::abs(shiftY) < Surface::kMaxSide) {
      std::vector<RECT> parts;
      canvas.raster().drawParts(map.box, [&parts](const RECT& part) { parts.push_back(part); });
      copyArea(canvas.surface(), parts, map.box, pixels, readable,
               POINT{static_cast<LONG>(shiftX), static_cast<LONG>(shiftY)}, *mix);
    }
    return TRUE;
  }
  transfer(canvas, map.box, rop, pixels.monochrome(), from.dc->state.backgroundColor,
           [&](int dx, int dy, Pixel* out) {
             POINT point = map.sourceFor(dx, dy);
             if (!pixels.contains(point.x, point.y) || !readable.contains(point)) {
               return false;
             }
             *out = pixels.pixel(point.x, point.y);
             return true;
           });
  return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource, DWORD rop) {
  return StretchBlt(dest, x, y, width, height, source, xSource, ySource, width, height, rop);
}

}  // namespace native
