// The tool bar's native side: a framework-drawn child window along one side of its window, its children
// laid out in rows (or columns) that wrap when they do not fit, the bar's thickness taken from them, and a
// two-pixel edge on the side that faces the window's client area.
#include <algorithm>

#include "framework/core/zafdisplay.h"
#include "framework/core/zaftoolbar.h"
#include "framework/win32/zafbarwindow.h"
#include "native/native.h"

namespace {

// The space around and between the rows, and the edge of a bordered bar, in pixels.
constexpr int32_t kGap = 2;
constexpr int32_t kEdge = 2;

bool IsRedisplay(ZafEventType drawType) {
  return drawType == RedisplayEvent || drawType == RedisplayRegionEvent;
}

// The focus moves on past the bar.
constexpr ZafEventType kNextFieldEvent = 1054;
constexpr ZafEventType kPreviousFieldEvent = 1055;

// A child's extent along the rows and across them.
struct Extent {
  int32_t along;
  int32_t across;
};

}  // namespace

void ZafToolBar::CreateNative() {
  screenID = ZafCreateBarWindow(*this);
}

ZafEventType ZafToolBar::NativeEvent(const ZafEventRecord& event) {
  return ZafBarNativeEvent(*this, event);
}

ZafRegionStruct ZafToolBar::ClientRegion(const ZafWindowObject*) {
  return region;
}

void ZafToolBar::ConvertRegion(ZafRegionStruct& target, int32_t type) {
  ZafConvertBarRegion(*this, target, type, bordered ? kEdge : 0);
}

ZafRegionStruct ZafToolBar::RegionToNative(const ZafWindowObject* object, const ZafRegionStruct* area) {
  return ZafWindowObject::RegionToNative(object, area);
}

ZafRegionStruct ZafToolBar::RegionFromNative(const ZafWindowObject* object, const ZafRegionStruct& area) {
  return ZafWindowObject::RegionFromNative(object, area);
}

native::HWND ZafToolBar::ScreenID(int32_t) const {
  return screenID;
}

void ZafToolBar::UpdateNative() {
  ZafWindowObject::UpdateNative();
}

void ZafToolBar::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  if (type != ZAF_PM_BACKGROUND) {
    ZafWindow::SetDisplayColors(palette, type, state);
    return;
  }
  const native::COLORREF face = native::GetSysColor(native::COLOR_BTNFACE);
  if (palette.colorForeground == ZAF_COLOR_SYSTEM && palette.osForeground == ZAF_OS_COLOR_NOT_SET) {
    palette.osForeground = face;
  }
  if (palette.colorBackground == ZAF_COLOR_SYSTEM && palette.osBackground == ZAF_OS_COLOR_NOT_SET) {
    palette.osBackground = face;
  }
}

ZafEventType ZafToolBar::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case E_OSEVENT:
      return NativeEvent(event);
    case FitEvent: {
      const ZafRegionStruct noted = region.Converted(ZAF_PIXEL, display);
      const ZafEventType result = ZafWindowObject::Event(event);
      region.ConvertCoordinates(ZAF_PIXEL, display);
      const int32_t length = Horizontal() ? region.Width() : region.Height();
      const int32_t thickness = wrap ? LayOut(length) : (Horizontal() ? noted.Height() : noted.Width());
      switch (dockSide) {
        case ZAF_DOCK_TOP:
          region.bottom = region.top + thickness - 1;
          break;
        case ZAF_DOCK_BOTTOM:
          region.top = region.bottom - thickness + 1;
          break;
        case ZAF_DOCK_LEFT:
          region.right = region.left + thickness - 1;
          break;
        default:
          region.left = region.right - thickness + 1;
          break;
      }
      return result;
    }
    case SizedEvent:
      return Sized(event);
    case kNextFieldEvent:
    case kPreviousFieldEvent:
      return UnknownEventResult;
    default:
      return ZafWindow::Event(event);
  }
}

int32_t ZafToolBar::LayOut(int32_t length) {
  const bool horizontal = Horizontal();
  const int32_t edge = bordered ? kEdge : 0;
  if (!First()) {
    const int32_t cell = display ? (horizontal ? display->cellHeight : 3 * display->cellWidth) : 0;
    return cell;
  }
  auto extentOf = [horizontal](ZafWindowObject& child) {
    const ZafRegionStruct place = child.Region().Converted(ZAF_PIXEL, ZafWindowObject::display);
    return horizontal ? Extent{place.Width(), place.Height()} : Extent{place.Height(), place.Width()};
  };
  int32_t lineSize = 1;
  for (ZafElement* element = First(); element; element = element->Next()) {
    auto* child = static_cast<ZafWindowObject*>(element);
    child->Event(ZafEventRecord(FitEvent, 0));
    lineSize = std::max(lineSize, extentOf(*child).across);
  }
  // The edge lies on the side towards the client area: a bar at the bottom or on the right starts after it.
  int32_t line = (dockSide == ZAF_DOCK_BOTTOM || dockSide == ZAF_DOCK_RIGHT) ? kGap + edge : kGap;
  int32_t position = kGap;
  for (ZafElement* element = First(); element; element = element->Next()) {
    auto* child = static_cast<ZafWindowObject*>(element);
    const int32_t along = extentOf(*child).along;
    if (position + along > length - kGap) {
      position = kGap;
      line += lineSize + kGap;
    }
    if (horizontal) {
      child->SetRegion({position, line, position + along - 1, line + lineSize - 1, ZAF_PIXEL});
    } else {
      child->SetRegion({line, position, line + lineSize - 1, position + along - 1, ZAF_PIXEL});
    }
    position += along;
  }
  return line + lineSize + kGap + edge;
}

ZafEventType ZafToolBar::Sized(const ZafEventRecord& event) {
  const ZafRegionStruct carried = event.Region();
  const ZafRegionStruct now = region.Converted(ZAF_PIXEL, display);
  ZafEventType result = event.type;
  if (!wrap) {
    result = ZafWindow::Event(event);
  } else {
    const bool forward = Horizontal() ? carried.Width() < now.Width() : carried.Height() < now.Height();
    for (ZafElement* element = forward ? First() : Last(); element;
         element = forward ? element->Next() : element->Previous()) {
      static_cast<ZafWindowObject*>(element)->UpdateNative();
    }
  }
  if (!bordered) {
    return result;
  }
  const bool changed = Horizontal() ? carried.Height() != now.Height() : carried.Width() != now.Width();
  if (changed) {
    RepaintEdge(carried.Width(), carried.Height());
    RepaintEdge(now.Width(), now.Height());
  }
  return result;
}

void ZafToolBar::RepaintEdge(int32_t width, int32_t height) {
  const ZafRegionStruct now = region.Converted(ZAF_PIXEL, display);
  ZafRegionStruct edge{0, 0, width - 1, height - 1, ZAF_PIXEL};
  switch (dockSide) {
    case ZAF_DOCK_TOP:
      edge.top = height - kEdge;
      break;
    case ZAF_DOCK_BOTTOM:
      edge.top = now.Height() - height;
      edge.bottom = edge.top + 1;
      break;
    case ZAF_DOCK_LEFT:
      edge.left = width - kEdge;
      break;
    default:
      edge.left = now.Width() - width;
      edge.right = edge.left + 1;
      break;
  }
  ZafEventRecord redisplay(RedisplayRegionEvent, 0);
  redisplay.SetRegion(edge);
  Event(redisplay);
}

ZafEventType ZafToolBar::Draw(const ZafEventRecord&, ZafEventType drawType) {
  ZafRegionStruct area = BeginDraw();
  if (bordered) {
    DrawBorder(area, drawType);
  }
  DrawBackground(area, drawType);
  EndDraw();
  return drawType;
}

ZafEventType ZafToolBar::DrawBorder(ZafRegionStruct& area, ZafEventType drawType) {
  // Light then dark from the outside in on a bar at the top or left, dark then light at the bottom or
  // right: the edge looks raised towards the client area.
  const bool lightFirst = dockSide == ZAF_DOCK_TOP || dockSide == ZAF_DOCK_LEFT;
  const uint16_t lines[] = {lightFirst ? ZAF_PM_LIGHT_SHADOW : ZAF_PM_DARK_SHADOW,
                            lightFirst ? ZAF_PM_DARK_SHADOW : ZAF_PM_LIGHT_SHADOW};
  for (const uint16_t type : lines) {
    if (IsRedisplay(drawType)) {
      display->SetPalette(LogicalPalette(type, PaletteState()));
      switch (dockSide) {
        case ZAF_DOCK_TOP:
          display->Line(area.left, area.bottom, area.right, area.bottom, -1);
          break;
        case ZAF_DOCK_BOTTOM:
          display->Line(area.left, area.top, area.right, area.top, -1);
          break;
        case ZAF_DOCK_LEFT:
          display->Line(area.right, area.top, area.right, area.bottom, -1);
          break;
        default:
          display->Line(area.left, area.top, area.left, area.bottom, -1);
          break;
      }
    }
    switch (dockSide) {
      case ZAF_DOCK_TOP:
        --area.bottom;
        break;
      case ZAF_DOCK_BOTTOM:
        ++area.top;
        break;
      case ZAF_DOCK_LEFT:
        --area.right;
        break;
      default:
        ++area.left;
        break;
    }
  }
  return drawType;
}

ZafEventType ZafToolBar::DrawFocus(ZafRegionStruct&, ZafEventType drawType) {
  return drawType;
}
