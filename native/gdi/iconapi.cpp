#include "native/gdi/iconapi.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "native/gdi/canvas.h"
#include "native/user/metrics.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

Gdi& gdi() {
  return WindowSystem::get().gdi();
}

std::unique_ptr<Surface> copyOf(const Surface& source, int top, int height) {
  auto copy = std::make_unique<Surface>(source.width(), height, source.monochrome());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < source.width(); ++x) {
      copy->setPixel(x, y, source.pixel(x, top + y));
    }
  }
  return copy;
}

HBITMAP bitmapOf(const Surface& surface) {
  auto object = std::make_unique<GdiObject>();
  object->type = OBJ_BITMAP;
  object->bitmap = copyOf(surface, 0, surface.height());
  return static_cast<HBITMAP>(gdi().add(std::move(object)));
}

// The program's icon: a blue tile with a white starting line and a runner's block, drawn once.
std::unique_ptr<IconData> builtInIcon() {
  int size = GetSystemMetrics(SM_CXICON);
  auto icon = std::make_unique<IconData>();
  icon->mask = std::make_unique<Surface>(size, size, true);
  icon->color = std::make_unique<Surface>(size, size, false);
  icon->mask->fill(kWhitePixel);
  icon->color->fill(kBlackPixel);
  icon->shared = true;
  for (int y = 2; y < size - 2; ++y) {
    for (int x = 2; x < size - 2; ++x) {
      bool corner = (x < 4 || x >= size - 4) && (y < 4 || y >= size - 4);
      if (corner) {
        continue;
      }
      Pixel value = 0x1F5FBF;
      if (y >= size - 10 && y < size - 8) {
        value = kWhitePixel;  // the line
      } else if (x >= size / 2 - 6 && x < size / 2 + 6 && y >= size / 2 - 2 && y < size - 10 &&
                 x - (size / 2 - 6) <= y - (size / 2 - 2) + 2) {
        value = 0xF0B020;  // the block
      }
      icon->mask->setPixel(x, y, kBlackPixel);
      icon->color->setPixel(x, y, value);
    }
  }
  return icon;
}

BOOL drawScaled(HDC dc, const RECT& logical, const IconData& icon) {
  Canvas canvas;
  if (!canvas.open(dc)) {
    return FALSE;
  }
  RECT box = canvas.toTarget(logical);
  int width = std::max<LONG>(1, box.right - box.left);
  int height = std::max<LONG>(1, box.bottom - box.top);
  Surface& surface = canvas.surface();
  canvas.raster().drawParts(box, [&](const RECT& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      int sourceY = static_cast<int>(static_cast<long long>(y - box.top) * icon.mask->height() / height);
      for (int x = part.left; x < part.right; ++x) {
        int sourceX = static_cast<int>(static_cast<long long>(x - box.left) * icon.mask->width() / width);
        Pixel kept = icon.mask->pixel(sourceX, sourceY) == kBlackPixel ? kBlackPixel : surface.pixel(x, y);
        Pixel inverted = kept ^ icon.color->pixel(sourceX, sourceY);
        surface.setPixel(x, y, surface.monochrome() ? surface.store(colorOf(inverted)) : inverted);
      }
    }
  });
  return TRUE;
}

// The program has one icon: the system's application icon and its own icon resource "Application" are both
// the built-in picture.
bool namesApplicationIcon(LPCWSTR name) {
  if (name == IDI_APPLICATION) {
    return true;
  }
  if (name == nullptr || IS_INTRESOURCE(name)) {
    return false;
  }
  std::u16string_view wanted = u"application";
  for (std::size_t i = 0; i <= wanted.size(); ++i) {
    char16_t character = name[i];
    if (i == wanted.size()) {
      return character == 0;
    }
    if (character >= u'A' && character <= u'Z') {
      character = static_cast<char16_t>(character - u'A' + u'a');
    }
    if (character != wanted[i]) {
      return false;
    }
  }
  return false;
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
  const GdiObject* mask = info == nullptr ? nullptr : gdi().object(info->hbmMask, OBJ_BITMAP);
  if (mask == nullptr) {
    return nullptr;
  }
  const GdiObject* color = gdi().object(info->hbmColor, OBJ_BITMAP);
  auto icon = std::make_unique<IconData>();
  icon->isIcon = info->fIcon != FALSE;
  icon->hotSpot = POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
  const Surface& maskPixels = *mask->bitmap;
  if (color != nullptr) {
    if (color->bitmap->width() != maskPixels.width() || color->bitmap->height() != maskPixels.height()) {
      return nullptr;
    }
    icon->mask = copyOf(maskPixels, 0, maskPixels.height());
    icon->color = copyOf(*color->bitmap, 0, maskPixels.height());
  } else {
    if (maskPixels.height() < 2) {
      return nullptr;
    }
    int half = maskPixels.height() / 2;
    icon->mask = copyOf(maskPixels, 0, half);
    icon->color = copyOf(maskPixels, half, half);
  }
  return gdi().addIcon(std::move(icon));
}

BOOL GetIconInfo(HICON handle, ICONINFO* info) {
  const IconData* icon = gdi().icon(handle);
  if (icon == nullptr || info == nullptr) {
    return FALSE;
  }
  info->fIcon = icon->isIcon ? TRUE : FALSE;
  info->xHotspot = static_cast<DWORD>(icon->isIcon ? icon->mask->width() / 2 : icon->hotSpot.x);
  info->yHotspot = static_cast<DWORD>(icon->isIcon ? icon->mask->height() / 2 : icon->hotSpot.y);
  info->hbmMask = bitmapOf(*icon->mask);
  info->hbmColor = bitmapOf(*icon->color);
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON handle) {
  const IconData* icon = gdi().icon(handle);
  if (icon == nullptr) {
    return FALSE;
  }
  return drawScaled(dc, RECT{x, y, x + icon->mask->width(), y + icon->mask->height()}, *icon);
}

BOOL DrawIconInRect(HDC dc, const RECT* rect, HICON handle) {
  const IconData* icon = gdi().icon(handle);
  if (icon == nullptr || rect == nullptr) {
    return FALSE;
  }
  return drawScaled(dc, *rect, *icon);
}

BOOL DestroyIcon(HICON icon) {
  return gdi().removeIcon(icon) ? TRUE : FALSE;
}

HICON LoadIcon(HINSTANCE, LPCWSTR name) {
  if (!namesApplicationIcon(name)) {
    return nullptr;
  }
  Gdi& state = gdi();
  if (state.icon(state.applicationIcon()) == nullptr) {
    state.setApplicationIcon(state.addIcon(builtInIcon()));
  }
  return state.applicationIcon();
}

}  // namespace native
