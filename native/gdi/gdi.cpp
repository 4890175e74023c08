#include "native/gdi/gdi.h"

#include <algorithm>
#include <iterator>

#include "native/host/compositor.h"
#include "native/user/metrics.h"
#include "native/user/rects.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

std::unique_ptr<GdiObject> stockObject(DWORD type) {
  auto object = std::make_unique<GdiObject>();
  object->type = type;
  object->stock = true;
  return object;
}

std::unique_ptr<GdiObject> stockBrush(UINT style, COLORREF color) {
  auto object = stockObject(OBJ_BRUSH);
  object->brush.style = style;
  object->brush.color = color;
  return object;
}

std::unique_ptr<GdiObject> stockPen(int style, COLORREF color) {
  auto object = stockObject(OBJ_PEN);
  object->pen = PenData{style, 1, color};
  return object;
}

std::unique_ptr<GdiObject> stockFont(LONG height, LONG weight, const char16_t* face) {
  auto object = stockObject(OBJ_FONT);
  object->font.lfHeight = height;
  object->font.lfWeight = weight;
  std::u16string_view name(face);
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1), object->font.lfFaceName);
  return object;
}

// The 16 colours of the standard VGA set, three of the reserved system colours and a very light grey, so
// that every colour the screen display asks for has an exact match.
constexpr PALETTEENTRY kDefaultPalette[] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {224, 224, 224, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

}  // namespace

POINT DrawTarget::toTarget(POINT logical) const {
  POINT device = dc->toDevice(logical);
  return POINT{device.x + origin.x, device.y + origin.y};
}

RECT DrawTarget::toTarget(const RECT& logical) const {
  POINT a = toTarget(POINT{logical.left, logical.top});
  POINT b = toTarget(POINT{logical.right, logical.bottom});
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Gdi::Gdi() {
  stock_[WHITE_BRUSH] = add(stockBrush(BS_SOLID, RGB(255, 255, 255)));
  stock_[LTGRAY_BRUSH] = add(stockBrush(BS_SOLID, RGB(192, 192, 192)));
  stock_[GRAY_BRUSH] = add(stockBrush(BS_SOLID, RGB(128, 128, 128)));
  stock_[DKGRAY_BRUSH] = add(stockBrush(BS_SOLID, RGB(64, 64, 64)));
  stock_[BLACK_BRUSH] = add(stockBrush(BS_SOLID, RGB(0, 0, 0)));
  stock_[NULL_BRUSH] = add(stockBrush(BS_NULL, 0));
  stock_[WHITE_PEN] = add(stockPen(PS_SOLID, RGB(255, 255, 255)));
  stock_[BLACK_PEN] = add(stockPen(PS_SOLID, RGB(0, 0, 0)));
  stock_[NULL_PEN] = add(stockPen(PS_NULL, 0));
  stock_[OEM_FIXED_FONT] = add(stockFont(12, 400, u"Terminal"));
  stock_[ANSI_FIXED_FONT] = add(stockFont(-13, 400, u"Courier"));
  stock_[ANSI_VAR_FONT] = add(stockFont(-11, 400, u"MS Sans Serif"));
  stock_[SYSTEM_FONT] = add(stockFont(16, 700, u"System"));
  stock_[DEVICE_DEFAULT_FONT] = add(stockFont(16, 700, u"System"));
  stock_[SYSTEM_FIXED_FONT] = add(stockFont(16, 400, u"Fixedsys"));
  stock_[DEFAULT_GUI_FONT] = add(stockFont(-11, 400, u"MS Shell Dlg"));
  auto palette = stockObject(OBJ_PAL);
  palette->palette.assign(std::begin(kDefaultPalette), std::end(kDefaultPalette));
  stock_[DEFAULT_PALETTE] = add(std::move(palette));
  auto bitmap = stockObject(OBJ_BITMAP);
  bitmap->bitmap = std::make_unique<Surface>(1, 1, true);
  defaultBitmap_ = add(std::move(bitmap));
  for (int index = 0; index <= COLOR_INFOBK; ++index) {
    sysColorBrushes_.push_back(add(stockBrush(BS_SOLID, GetSysColor(index))));
  }
}

HGDIOBJ Gdi::sysColorBrush(int index) const {
  if (index < 0 || index >= static_cast<int>(sysColorBrushes_.size())) {
    return nullptr;
  }
  return sysColorBrushes_[static_cast<std::size_t>(index)];
}

COLORREF Gdi::resolveColor(const DeviceContext& dc, COLORREF color) const {
  if ((color >> 24) == 0x01) {
    const GdiObject* palette = object(dc.state.palette, OBJ_PAL);
    std::size_t index = color & 0xFFFF;
    if (palette == nullptr || index >= palette->palette.size()) {
      return RGB(0, 0, 0);
    }
    const PALETTEENTRY& entry = palette->palette[index];
    return RGB(entry.peRed, entry.peGreen, entry.peBlue);
  }
  return color & 0xFFFFFF;  // a palette-relative colour is its RGB on a true-colour surface
}

Gdi::~Gdi() = default;

GdiObject* Gdi::object(HGDIOBJ handle, DWORD type) const {
  GdiObject* found = objects_.find(handle);
  return found != nullptr && found->type == type ? found : nullptr;
}

bool Gdi::remove(HGDIOBJ handle) {
  const GdiObject* found = objects_.find(handle);
  if (found == nullptr || found->stock || found->selections > 0) {
    return false;
  }
  objects_.remove(handle);
  return true;
}

HGDIOBJ Gdi::stock(int index) const {
  if (index < 0 || index >= static_cast<int>(std::size(stock_))) {
    return nullptr;
  }
  return stock_[index];
}

bool Gdi::removeIcon(HICON handle) {
  const IconData* found = icons_.find(handle);
  if (found == nullptr) {
    return false;
  }
  if (!found->shared) {
    icons_.remove(handle);
  }
  return true;
}

HDC Gdi::addDc(std::unique_ptr<DeviceContext> dc) {
  // A new context has the default objects (and a memory context its bitmap) selected.
  DcState& state = dc->state;
  state.pen = stock(BLACK_PEN);
  state.brush = stock(WHITE_BRUSH);
  state.font = stock(SYSTEM_FONT);
  state.palette = stock(DEFAULT_PALETTE);
  hold(state);
  return contexts_.add(std::move(dc));
}

void Gdi::removeDc(HDC handle) {
  DeviceContext* dc = contexts_.find(handle);
  if (dc == nullptr) {
    return;
  }
  release(dc->state);
  for (const DcState& saved : dc->saved) {
    release(saved);
  }
  contexts_.remove(handle);
}

void Gdi::adjustSelections(const DcState& state, int change) {
  for (HGDIOBJ DcState::*slot :
       {&DcState::pen, &DcState::brush, &DcState::font, &DcState::bitmap, &DcState::palette}) {
    if (GdiObject* held = objects_.find(state.*slot)) {
      held->selections += change;
    }
  }
}

HGDIOBJ Gdi::select(DcState& state, HGDIOBJ DcState::*slot, HGDIOBJ handle) {
  HGDIOBJ previous = state.*slot;
  if (GdiObject* old = objects_.find(previous)) {
    --old->selections;
  }
  if (GdiObject* fresh = objects_.find(handle)) {
    ++fresh->selections;
  }
  state.*slot = handle;
  return previous;
}

bool Gdi::target(HDC handle, DrawTarget* out) const {
  DeviceContext* dc = contexts_.find(handle);
  if (dc == nullptr) {
    return false;
  }
  out->dc = dc;
  out->origin = dc->origin;
  WindowSystem& system = WindowSystem::get();
  switch (dc->kind) {
    case DeviceContext::Kind::Memory: {
      GdiObject* bitmap = object(dc->state.bitmap, OBJ_BITMAP);
      if (bitmap == nullptr) {
        return false;
      }
      out->surface = bitmap->bitmap.get();
      out->clip = Region(RECT{0, 0, out->surface->width(), out->surface->height()});
      out->reach = out->clip.bounds();
      break;
    }
    case DeviceContext::Kind::Window: {
      const WindowRecord* window = system.windows().find(dc->window);
      const WindowRecord* topLevel =
          window == nullptr ? nullptr : system.windows().find(system.windows().topLevelOf(dc->window));
      if (topLevel == nullptr || topLevel->surface == nullptr) {
        return false;
      }
      // The top-level window's surface holds only the part of it that lies on the desktop.
      out->surface = topLevel->surface.get();
      out->clip = dc->visible;
      out->clip.offset(-topLevel->surfaceArea.left, -topLevel->surfaceArea.top);
      out->reach = dc->reach;
      OffsetRect(&out->reach, -topLevel->surfaceArea.left, -topLevel->surfaceArea.top);
      out->origin.x -= topLevel->surfaceArea.left;
      out->origin.y -= topLevel->surfaceArea.top;
      break;
    }
    case DeviceContext::Kind::Screen:
      // The screen shows the windows as they are now: what waits to be composed is composed first.
      system.compositor().compose(system.windows());
      out->surface = &system.compositor().desktopSurface();
      out->clip = dc->visible;
      out->reach = dc->visible.bounds();
      break;
  }
  if (dc->state.clip.has_value()) {
    Region clip = *dc->state.clip;
    clip.offset(out->origin.x, out->origin.y);
    out->clip.intersect(clip);
  }
  return true;
}

const PenData& Gdi::pen(const DeviceContext& dc) const {
  const GdiObject* found = object(dc.state.pen, OBJ_PEN);
  return (found != nullptr ? found : object(stock(BLACK_PEN)))->pen;
}

const BrushData& Gdi::brush(const DeviceContext& dc) const {
  const GdiObject* found = object(dc.state.brush, OBJ_BRUSH);
  return (found != nullptr ? found : object(stock(WHITE_BRUSH)))->brush;
}

const LOGFONT& Gdi::font(const DeviceContext& dc) const {
  const GdiObject* found = object(dc.state.font, OBJ_FONT);
  return (found != nullptr ? found : object(stock(SYSTEM_FONT)))->font;
}

}  // namespace native
