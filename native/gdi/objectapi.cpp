#include "native/gdi/objectapi.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "native/gdi/dcapi.h"
#include "native/gdi/gdi.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

Gdi& gdi() {
  return WindowSystem::get().gdi();
}

std::unique_ptr<GdiObject> newObject(DWORD type) {
  auto object = std::make_unique<GdiObject>();
  object->type = type;
  return object;
}

template <typename Handle>
Handle addObject(std::unique_ptr<GdiObject> object) {
  return static_cast<Handle>(gdi().add(std::move(object)));
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
  return gdi().stock(index);
}

BOOL DeleteObject(HGDIOBJ object) {
  return gdi().remove(object) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ object) {
  const GdiObject* found = gdi().object(object);
  if (found != nullptr) {
    return found->type;
  }
  const DeviceContext* dc = gdi().dc(static_cast<HDC>(object));
  if (dc == nullptr) {
    return 0;
  }
  return dc->kind == DeviceContext::Kind::Memory ? OBJ_MEMDC : OBJ_DC;
}

int GetObject(HGDIOBJ object, int size, void* buffer) {
  const GdiObject* found = gdi().object(object);
  if (found == nullptr) {
    return 0;
  }
  auto answer = [&](const void* record, int recordSize) {
    if (buffer == nullptr) {
      return recordSize;
    }
    if (size < recordSize) {
      return 0;
    }
    std::memcpy(buffer, record, static_cast<std::size_t>(recordSize));
    return recordSize;
  };
  switch (found->type) {
    case OBJ_BITMAP: {
      const Surface& surface = *found->bitmap;
      int bits = surface.monochrome() ? 1 : 32;
      // Rows of a device-dependent bitmap are padded to 16 bits.
      BITMAP record{0, surface.width(),         surface.height(), ((surface.width() * bits + 15) / 16) * 2,
                    1, static_cast<WORD>(bits), nullptr};
      return answer(&record, sizeof record);
    }
    case OBJ_FONT:
      return answer(&found->font, sizeof found->font);
    case OBJ_PAL: {
      WORD count = static_cast<WORD>(found->palette.size());
      return answer(&count, sizeof count);
    }
    default:
      return 0;
  }
}

HPEN CreatePen(int style, int width, COLORREF color) {
  auto object = newObject(OBJ_PEN);
  bool known = style >= PS_SOLID && style <= PS_NULL;
  object->pen = PenData{known ? style : PS_SOLID, std::clamp(width, 1, 1000), color};
  return addObject<HPEN>(std::move(object));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto object = newObject(OBJ_BRUSH);
  object->brush.style = BS_SOLID;
  object->brush.color = color;
  return addObject<HBRUSH>(std::move(object));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  const GdiObject* source = gdi().object(bitmap, OBJ_BITMAP);
  if (source == nullptr) {
    return nullptr;
  }
  auto object = newObject(OBJ_BRUSH);
  object->brush.style = BS_PATTERN;
  const Surface& surface = *source->bitmap;
  for (int y = 0; y < 8; ++y) {
    BYTE row = 0;
    for (int x = 0; x < 8; ++x) {
      Pixel pixel = surface.pixel(x % surface.width(), y % surface.height());
      bool set = surface.monochrome() ? pixel != kBlackPixel : surface.store(colorOf(pixel)) == kWhitePixel;
      row = static_cast<BYTE>(row | (set ? 0x80 >> x : 0));
    }
    object->brush.pattern[static_cast<std::size_t>(y)] = row;
  }
  return addObject<HBRUSH>(std::move(object));
}

HBRUSH GetSysColorBrush(int index) {
  return static_cast<HBRUSH>(gdi().sysColorBrush(index));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  auto object = newObject(OBJ_REGION);
  object->region = Region(
      RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)});
  return addObject<HRGN>(std::move(object));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  return rect == nullptr ? nullptr : CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CombineRgn(HRGN destination, HRGN first, HRGN second, int mode) {
  GdiObject* target = gdi().object(destination, OBJ_REGION);
  const GdiObject* a = gdi().object(first, OBJ_REGION);
  const GdiObject* b = gdi().object(second, OBJ_REGION);
  if (target == nullptr || a == nullptr || (mode != RGN_COPY && b == nullptr)) {
    return ERROR;
  }
  Region result = a->region;
  switch (mode) {
    case RGN_AND:
      result.intersect(b->region);
      break;
    case RGN_OR:
      result.unite(b->region);
      break;
    case RGN_DIFF:
      result.subtract(b->region);
      break;
    case RGN_XOR: {
      Region other = b->region;
      other.subtract(a->region);
      result.subtract(b->region);
      result.unite(other);
      break;
    }
    case RGN_COPY:
      break;
    default:
      return ERROR;
  }
  target->region = std::move(result);
  return target->region.complexity();
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  GdiObject* target = gdi().object(region, OBJ_REGION);
  if (target == nullptr) {
    return FALSE;
  }
  target->region = Region(
      RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)});
  return TRUE;
}

int GetRgnBox(HRGN region, RECT* rect) {
  const GdiObject* target = gdi().object(region, OBJ_REGION);
  if (target == nullptr || rect == nullptr) {
    return ERROR;
  }
  *rect = target->region.bounds();
  return target->region.complexity();
}

int OffsetRgn(HRGN region, int dx, int dy) {
  GdiObject* target = gdi().object(region, OBJ_REGION);
  if (target == nullptr) {
    return ERROR;
  }
  target->region.offset(dx, dy);
  return target->region.complexity();
}

BOOL PtInRegion(HRGN region, int x, int y) {
  const GdiObject* target = gdi().object(region, OBJ_REGION);
  return target != nullptr && target->region.contains(POINT{x, y}) ? TRUE : FALSE;
}

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (palette == nullptr || palette->palVersion != 0x300 || palette->palNumEntries == 0) {
    return nullptr;
  }
  auto object = newObject(OBJ_PAL);
  object->palette.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return addObject<HPALETTE>(std::move(object));
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL) {
  if (gdi().object(palette, OBJ_PAL) == nullptr) {
    return nullptr;
  }
  return static_cast<HPALETTE>(SelectObject(dc, palette));
}

UINT RealizePalette(HDC dc) {
  // Nothing to map on a true-colour surface.
  return gdi().dc(dc) == nullptr ? GDI_ERROR : 0;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
  const GdiObject* object = gdi().object(palette, OBJ_PAL);
  if (object == nullptr || object->palette.empty()) {
    return CLR_INVALID;
  }
  UINT best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < object->palette.size(); ++i) {
    const PALETTEENTRY& entry = object->palette[i];
    long dr = entry.peRed - GetRValue(color);
    long dg = entry.peGreen - GetGValue(color);
    long db = entry.peBlue - GetBValue(color);
    long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<UINT>(i);
    }
  }
  return best;
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  const GdiObject* object = gdi().object(palette, OBJ_PAL);
  if (object == nullptr) {
    return 0;
  }
  std::size_t size = object->palette.size();
  if (entries == nullptr) {
    return static_cast<UINT>(size);
  }
  if (start >= size) {
    return 0;
  }
  UINT copied = static_cast<UINT>(std::min<std::size_t>(count, size - start));
  std::copy_n(object->palette.begin() + start, copied, entries);
  return copied;
}

}  // namespace native
