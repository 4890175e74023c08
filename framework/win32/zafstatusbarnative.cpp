// The status bar's native side: a framework-drawn child window below the window's client area, an etched
// edge along its top, its children drawn by the bar, and a height that stays when the window is resized.
#include <algorithm>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafstatusbar.h"
#include "framework/win32/zafbarwindow.h"
#include "native/native.h"

namespace {

// The width, in pixels, of the corner where the window's size grip is drawn over the bar.
constexpr int32_t kGripWidth = 13;

bool IsRedisplay(ZafEventType drawType) {
  return drawType == RedisplayEvent || drawType == RedisplayRegionEvent;
}

}  // namespace

void ZafStatusBar::CreateNative() {
  screenID = ZafCreateBarWindow(*this);
}

ZafRegionStruct ZafStatusBar::ClientRegion(const ZafWindowObject*) {
  // In the fields' coordinates, which the native side moves below the etched edge: a field laid out to
  // fill the client area ends at the bar's foot.
  const int32_t preSpace = display ? display->preSpace : 0;
  return {0, preSpace, region.right - region.left, region.bottom - region.top - EdgeRows(), ZAF_PIXEL};
}

void ZafStatusBar::ConvertRegion(ZafRegionStruct& target, int32_t type) {
  // The margin below the fields, in pixels.
  ZafConvertBarRegion(*this, target, type, (display ? -display->postSpace : 0) + EdgeRows());
}

ZafPositionStruct ZafStatusBar::PositionToNative(const ZafWindowObject* object,
                                                 const ZafPositionStruct* position) {
  ZafPositionStruct result = ZafWindowObject::PositionToNative(object, position);
  result.line += EdgeRows();
  return result;
}

ZafPositionStruct ZafStatusBar::PositionFromNative(const ZafWindowObject* object,
                                                   const ZafPositionStruct& position) {
  ZafPositionStruct result = ZafWindowObject::PositionFromNative(object, position);
  result.line -= EdgeRows();
  return result;
}

ZafEventType ZafStatusBar::DrawBorder(ZafRegionStruct& area, ZafEventType drawType) {
  DrawShadow(area, -1, drawType);
  return drawType;
}

void ZafStatusBar::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  if (type != ZAF_PM_BACKGROUND) {
    ZafWindow::SetDisplayColors(palette, type, state);
    return;
  }
  palette.osForeground = native::GetSysColor(native::COLOR_BTNFACE);
  palette.osBackground = palette.osForeground;
}

native::HWND ZafStatusBar::ScreenID(int32_t) const {
  return screenID;
}

void ZafStatusBar::UpdateNative() {
  ZafWindowObject::UpdateNative();
}

ZafEventType ZafStatusBar::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case E_OSEVENT:
      return NativeEvent(event);
    case SizedEvent: {
      const ZafEventType result = ZafWindow::Event(event);
      // The window's size grip lies over the bar's right end: the strip it covered before and covers now
      // is painted anew.
      const ZafRegionStruct before = event.Region();
      const ZafRegionStruct now = region.Converted(ZAF_PIXEL, display);
      const native::RECT strip{std::min(now.right, before.right) - kGripWidth, 0,
                               std::max(now.right, before.right) + 1, now.Height()};
      native::InvalidateRect(screenID, &strip, native::TRUE);
      return result;
    }
    case FitEvent: {
      const int32_t height = region.bottom - region.top;
      ZafWindowObject::Event(event);
      region.top = region.bottom - height;
      return event.type;
    }
    default:
      return ZafWindow::Event(event);
  }
}

ZafEventType ZafStatusBar::NativeEvent(const ZafEventRecord& event) {
  return ZafBarNativeEvent(*this, event);
}

ZafEventType ZafStatusBar::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  ZafRegionStruct area = BeginDraw();
  if (bordered && IsRedisplay(drawType)) {
    const uint16_t state = PaletteState();
    display->SetPalette(LogicalPalette(ZAF_PM_DARK_SHADOW, state));
    display->Line(area.left, area.top, area.right, area.top, -1);
    display->SetPalette(LogicalPalette(ZAF_PM_LIGHT_SHADOW, state));
    display->Line(area.left, area.top + 1, area.right, area.top + 1, -1);
  }
  area.top += EdgeRows();
  DrawBackground(area, drawType);
  const ZafRegionStruct asked = event.Region();
  for (ZafElement* element = First(); element; element = element->Next()) {
    auto* child = static_cast<ZafWindowObject*>(element);
    const ZafRegionStruct place = child->Region().Converted(ZAF_PIXEL, display);
    ZafRegionStruct overlap;
    if (!place.Intersect(asked, overlap)) {
      continue;
    }
    overlap.left -= place.left;
    overlap.right -= place.left;
    overlap.top -= place.top;
    overlap.bottom -= place.top;
    ZafEventRecord childEvent = event;
    childEvent.SetRegion(overlap);
    child->Draw(childEvent, drawType);
  }
  EndDraw();
  return drawType;
}
