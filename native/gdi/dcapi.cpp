#include "native/gdi/dcapi.h"

#include <cmath>
#include <memory>

#include "native/gdi/gdi.h"
#include "native/user/rects.h"
#include "native/user/visibleregion.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

Gdi& gdi() {
  return WindowSystem::get().gdi();
}

DeviceContext* find(HDC handle) {
  return gdi().dc(handle);
}

HDC screenDc() {
  WindowSystem& system = WindowSystem::get();
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = DeviceContext::Kind::Screen;
  dc->visible = Region(RECT{0, 0, system.desktop().width(), system.desktop().height()});
  return system.gdi().addDc(std::move(dc));
}

// The clip a context would have without its own: what of its target it may touch, in device coordinates.
Region deviceArea(const DeviceContext& dc) {
  if (dc.kind == DeviceContext::Kind::Memory) {
    const GdiObject* bitmap = gdi().object(dc.state.bitmap, OBJ_BITMAP);
    return bitmap == nullptr ? Region()
                             : Region(RECT{0, 0, bitmap->bitmap->width(), bitmap->bitmap->height()});
  }
  Region area = dc.visible;
  area.offset(-dc.origin.x, -dc.origin.y);
  return area;
}

Region currentClip(const DeviceContext& dc) {
  return dc.state.clip.has_value() ? *dc.state.clip : deviceArea(dc);
}

RECT deviceRect(const DeviceContext& dc, int left, int top, int right, int bottom) {
  POINT a = dc.toDevice(POINT{left, top});
  POINT b = dc.toDevice(POINT{right, bottom});
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

HDC openWindowDc(HWND handle, bool wholeWindow, bool clipChildren, const Region* limit) {
  WindowSystem& system = WindowSystem::get();
  const WindowRecord* window = system.windows().find(handle);
  if (window == nullptr || handle == system.windows().desktopHandle()) {
    return nullptr;
  }
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = DeviceContext::Kind::Window;
  dc->window = handle;
  dc->origin = VisibleRegion::origin(system.windows(), *window, wholeWindow);
  dc->visible = VisibleRegion::of(system.windows(), *window, wholeWindow, clipChildren);
  dc->reach = dc->visible.bounds();
  if (wholeWindow && window->framePainting) {
    dc->visible.intersect(*window->framePainting);
  }
  if (limit != nullptr) {
    Region allowed = *limit;
    allowed.offset(dc->origin.x, dc->origin.y);
    dc->visible.intersect(allowed);
  }
  return system.gdi().addDc(std::move(dc));
}

HDC GetDC(HWND window) {
  if (window == nullptr || window == WindowSystem::get().windows().desktopHandle()) {
    return screenDc();
  }
  const WindowRecord* record = WindowSystem::get().windows().find(window);
  return record == nullptr ? nullptr
                           : openWindowDc(window, false, (record->style & WS_CLIPCHILDREN) != 0, nullptr);
}

HDC GetWindowDC(HWND window) {
  return GetDCEx(window, nullptr, DCX_WINDOW);
}

HDC GetDCEx(HWND window, HRGN, DWORD flags) {
  if (window == nullptr || window == WindowSystem::get().windows().desktopHandle()) {
    return screenDc();
  }
  WindowSystem& system = WindowSystem::get();
  const WindowRecord* record = system.windows().find(window);
  if (record == nullptr) {
    return nullptr;
  }
  bool whole = (flags & DCX_WINDOW) != 0;
  bool clipChildren = (flags & DCX_CLIPCHILDREN) != 0 || (record->style & WS_CLIPCHILDREN) != 0;
  if ((flags & DCX_PARENTCLIP) != 0 && record->isChild()) {
    // The window's own origin, but the parent's visible client area, children of the parent not cut out.
    HDC handle = openWindowDc(window, whole, false, nullptr);
    DeviceContext* dc = find(handle);
    dc->visible = VisibleRegion::of(system.windows(), *system.windows().find(record->parent), false, false);
    dc->reach = dc->visible.bounds();
    return handle;
  }
  return openWindowDc(window, whole, clipChildren && !whole, nullptr);
}

int ReleaseDC(HWND, HDC handle) {
  WindowSystem& system = WindowSystem::get();
  DeviceContext* dc = find(handle);
  if (dc == nullptr || dc->kind == DeviceContext::Kind::Memory) {
    return 0;
  }
  if (dc->kind == DeviceContext::Kind::Screen) {
    // Only what was drawn: measuring text on the screen's context costs a host nothing.
    if (!IsRectEmpty(&dc->drawn)) {
      system.compositor().resend(dc->drawn);
    }
  } else if (dc->kind == DeviceContext::Kind::Window) {
    if (const WindowRecord* window = system.windows().find(dc->window)) {
      RECT top =
          system.windows().screenRect(*system.windows().find(system.windows().topLevelOf(window->handle)));
      RECT touched = dc->visible.bounds();
      OffsetRect(&touched, top.left, top.top);
      system.compositor().damage(touched);
    }
  }
  system.gdi().removeDc(handle);
  return 1;
}

HDC CreateCompatibleDC(HDC) {
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = DeviceContext::Kind::Memory;
  dc->state.bitmap = gdi().defaultBitmap();
  return gdi().addDc(std::move(dc));
}

BOOL DeleteDC(HDC handle) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr) {
    return FALSE;
  }
  if (dc->kind != DeviceContext::Kind::Memory) {
    return ReleaseDC(dc->window, handle) != 0 ? TRUE : FALSE;
  }
  gdi().removeDc(handle);
  return TRUE;
}

HWND WindowFromDC(HDC handle) {
  DeviceContext* dc = find(handle);
  return dc == nullptr ? nullptr : dc->window;
}

int SaveDC(HDC handle) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr) {
    return 0;
  }
  // The saved copy holds its objects too, so none of them can be deleted while a restore may bring it back.
  gdi().hold(dc->state);
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC handle, int level) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr) {
    return FALSE;
  }
  int count = static_cast<int>(dc->saved.size());
  int target = level < 0 ? count + level + 1 : level;
  if (target < 1 || target > count) {
    return FALSE;
  }
  // The restored state keeps the hold its save took; the current state and the later saves let go.
  gdi().release(dc->state);
  dc->state = dc->saved[static_cast<std::size_t>(target - 1)];
  for (int i = target; i < count; ++i) {
    gdi().release(dc->saved[static_cast<std::size_t>(i)]);
  }
  dc->saved.resize(static_cast<std::size_t>(target - 1));
  return TRUE;
}

int GetDeviceCaps(HDC handle, int index) {
  const DeviceContext* dc = find(handle);
  if (dc == nullptr) {
    return 0;
  }
  if (dc->device != nullptr) {
    return dc->device->deviceCaps(index);
  }
  const Desktop& desktop = WindowSystem::get().desktop();
  switch (index) {
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case HORZRES:
      return desktop.width();
    case VERTRES:
      return desktop.height();
    case HORZSIZE:
      return static_cast<int>(std::lround(desktop.width() * 25.4 / desktop.dpi()));
    case VERTSIZE:
      return static_cast<int>(std::lround(desktop.height() * 25.4 / desktop.dpi()));
    case LOGPIXELSX:
    case LOGPIXELSY:
      return desktop.dpi();
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return -1;
    case RASTERCAPS:
      // True colour: no palette device.
      return RC_BITBLT | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    default:
      return 0;
  }
}

namespace {

template <typename Value>
Value swapState(HDC handle, Value DcState::*field, Value value, Value failure) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr) {
    return failure;
  }
  Value previous = dc->state.*field;
  dc->state.*field = value;
  return previous;
}

template <typename Value>
Value readState(HDC handle, Value DcState::*field, Value failure) {
  DeviceContext* dc = find(handle);
  return dc == nullptr ? failure : dc->state.*field;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
  return swapState(dc, &DcState::textColor, color, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) {
  return readState(dc, &DcState::textColor, CLR_INVALID);
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
  return swapState(dc, &DcState::backgroundColor, color, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) {
  return readState(dc, &DcState::backgroundColor, CLR_INVALID);
}
int SetBkMode(HDC dc, int mode) {
  return mode == TRANSPARENT || mode == OPAQUE ? swapState(dc, &DcState::backgroundMode, mode, 0) : 0;
}
int GetBkMode(HDC dc) {
  return readState(dc, &DcState::backgroundMode, 0);
}
int SetROP2(HDC dc, int mix) {
  return mix >= R2_BLACK && mix <= R2_WHITE ? swapState(dc, &DcState::rop2, mix, 0) : 0;
}
int GetROP2(HDC dc) {
  return readState(dc, &DcState::rop2, 0);
}
int SetMapMode(HDC dc, int mode) {
  return mode == MM_TEXT || mode == MM_ANISOTROPIC ? swapState(dc, &DcState::mapMode, mode, 0) : 0;
}
int GetMapMode(HDC dc) {
  return readState(dc, &DcState::mapMode, 0);
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
  DeviceContext* context = find(dc);
  if (context == nullptr) {
    return FALSE;
  }
  POINT old = swapState(dc, &DcState::viewportOrigin, POINT{x, y}, POINT{});
  if (previous != nullptr) {
    *previous = old;
  }
  return TRUE;
}

BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
  DeviceContext* context = find(dc);
  if (context == nullptr || origin == nullptr) {
    return FALSE;
  }
  *origin = context->state.viewportOrigin;
  return TRUE;
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
  if (find(dc) == nullptr) {
    return FALSE;
  }
  POINT old = swapState(dc, &DcState::windowOrigin, POINT{x, y}, POINT{});
  if (previous != nullptr) {
    *previous = old;
  }
  return TRUE;
}

namespace {

BOOL setExtent(HDC dc, SIZE DcState::*field, int x, int y, SIZE* previous) {
  DeviceContext* context = find(dc);
  if (context == nullptr || x == 0 || y == 0) {
    return FALSE;
  }
  if (previous != nullptr) {
    *previous = context->state.*field;
  }
  // Outside MM_ANISOTROPIC the extents are fixed at one to one.
  if (context->state.mapMode == MM_ANISOTROPIC) {
    context->state.*field = SIZE{x, y};
  }
  return TRUE;
}

}  // namespace

BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* previous) {
  return setExtent(dc, &DcState::windowExtent, x, y, previous);
}
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* previous) {
  return setExtent(dc, &DcState::viewportExtent, x, y, previous);
}

BOOL DPtoLP(HDC handle, POINT* points, int count) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr || points == nullptr || count < 0) {
    return FALSE;
  }
  for (int i = 0; i < count; ++i) {
    points[i] = dc->toLogical(points[i]);
  }
  return TRUE;
}

BOOL LPtoDP(HDC handle, POINT* points, int count) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr || points == nullptr || count < 0) {
    return FALSE;
  }
  for (int i = 0; i < count; ++i) {
    points[i] = dc->toDevice(points[i]);
  }
  return TRUE;
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
  DeviceContext* dc = find(handle);
  GdiObject* selected = gdi().object(object);
  if (dc == nullptr || selected == nullptr) {
    return nullptr;
  }
  switch (selected->type) {
    case OBJ_PEN:
      return gdi().select(dc->state, &DcState::pen, object);
    case OBJ_BRUSH:
      return gdi().select(dc->state, &DcState::brush, object);
    case OBJ_FONT:
      return gdi().select(dc->state, &DcState::font, object);
    case OBJ_PAL:
      return gdi().select(dc->state, &DcState::palette, object);
    case OBJ_BITMAP:
      // A bitmap belongs to one memory context at a time.
      if (dc->kind != DeviceContext::Kind::Memory || (selected->selections > 0 && !selected->stock)) {
        return nullptr;
      }
      return gdi().select(dc->state, &DcState::bitmap, object);
    case OBJ_REGION:
      return reinterpret_cast<HGDIOBJ>(
          static_cast<std::intptr_t>(SelectClipRgn(handle, static_cast<HRGN>(object))));
    default:
      return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr) {
    return nullptr;
  }
  switch (type) {
    case OBJ_PEN:
      return dc->state.pen;
    case OBJ_BRUSH:
      return dc->state.brush;
    case OBJ_FONT:
      return dc->state.font;
    case OBJ_BITMAP:
      return dc->state.bitmap;
    case OBJ_PAL:
      return dc->state.palette;
    default:
      return nullptr;
  }
}

int SelectClipRgn(HDC handle, HRGN region) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr) {
    return ERROR;
  }
  if (region == nullptr) {
    dc->state.clip.reset();
    return deviceArea(*dc).complexity();
  }
  const GdiObject* object = gdi().object(region, OBJ_REGION);
  if (object == nullptr) {
    return ERROR;
  }
  dc->state.clip = object->region;
  Region effective = *dc->state.clip;
  effective.intersect(deviceArea(*dc));
  return effective.complexity();
}

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr) {
    return ERROR;
  }
  Region clip = currentClip(*dc);
  clip.intersect(deviceRect(*dc, left, top, right, bottom));
  dc->state.clip = clip;
  return clip.complexity();
}

int ExcludeClipRect(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr) {
    return ERROR;
  }
  Region clip = currentClip(*dc);
  clip.subtract(deviceRect(*dc, left, top, right, bottom));
  dc->state.clip = clip;
  return clip.complexity();
}

int GetClipBox(HDC handle, RECT* rect) {
  DeviceContext* dc = find(handle);
  if (dc == nullptr || rect == nullptr) {
    return ERROR;
  }
  Region clip = currentClip(*dc);
  clip.intersect(deviceArea(*dc));
  RECT box = clip.bounds();
  POINT a = dc->toLogical(POINT{box.left, box.top});
  POINT b = dc->toLogical(POINT{box.right, box.bottom});
  *rect = RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  return clip.complexity();
}

}  // namespace native
