// The window object's conversions between its own coordinates, native coordinates (pixels relative to the
// client area of the nearest native window) and the screen, over the native window system, and the
// placement of its native window (or of its area in the parent's) that follows from them, and the drawing
// bracket and default drawing over the display.
#include "framework/core/zafwindowobject.h"

#include <algorithm>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowmanager.h"
#include "native/gdi/dcapi.h"
#include "native/user/paintapi.h"
#include "native/user/windowpos.h"

namespace {

// The sum, in pixels, of the left and top of `from` and of each ancestor up to but not including the
// first that has its own native window: where the region coordinates of `from`'s children start inside
// that native window.
ZafPositionStruct OffsetToNative(const ZafWindowObject* from, const ZafDisplay* display) {
  ZafPositionStruct offset{0, 0, ZAF_PIXEL};
  for (const ZafWindowObject* object = from; object && !object->OwnNativeWindow();
       object = object->Parent()) {
    const ZafRegionStruct region = object->Region();
    const ZafPositionStruct corner =
        ZafPositionStruct{region.left, region.top, region.coordinateType}.Converted(ZAF_PIXEL, display);
    offset.column += corner.column;
    offset.line += corner.line;
  }
  return offset;
}

// The object whose native coordinates the object's region converts to: its parent, or the window manager
// (whose origin is the screen's) for a top-level object. Null when there is neither.
ZafWindowObject* CoordinateParentOf(const ZafWindowObject* object) {
  return object->Parent() ? object->Parent() : ZafWindowObject::windowManager;
}

// The region in the native coordinates of the window the object lives in, pixels either way; a top-level
// object without a window manager is placed on the screen as it stands.
ZafRegionStruct NativeRegionOf(ZafWindowObject* object, const ZafRegionStruct& region,
                               const ZafDisplay* display) {
  ZafWindowObject* coordinateParent = CoordinateParentOf(object);
  return coordinateParent ? coordinateParent->RegionToNative(object, &region)
                          : region.Converted(ZAF_PIXEL, display);
}

// Marks the native rectangle (left, top inclusive; right, bottom exclusive) of `window` for repainting,
// background included.
void InvalidateArea(native::HWND window, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const native::RECT area{left, top, right, bottom};
  native::RedrawWindow(window, &area, nullptr, native::RDW_INVALIDATE | native::RDW_ERASE);
}

// A native region (inclusive corners) for repainting.
void InvalidateRegion(native::HWND window, const ZafRegionStruct& region) {
  InvalidateArea(window, region.left, region.top, region.right + 1, region.bottom + 1);
}

}  // namespace

ZafPositionStruct ZafWindowObject::PositionToNative(const ZafWindowObject* object,
                                                    const ZafPositionStruct* position) {
  ZafPositionStruct result{0, 0, ZAF_PIXEL};
  if (position) {
    result = *position;
  } else if (object) {
    const ZafRegionStruct corner = object->Region();
    result = {corner.left, corner.top, corner.coordinateType};
  }
  result.ConvertCoordinates(ZAF_PIXEL, display);
  const ZafPositionStruct offset = OffsetToNative(this, display);
  result.column += offset.column;
  result.line += offset.line;
  return result;
}

ZafPositionStruct ZafWindowObject::PositionFromNative(const ZafWindowObject*,
                                                      const ZafPositionStruct& position) {
  ZafPositionStruct result = position.Converted(ZAF_PIXEL, display);
  const ZafPositionStruct offset = OffsetToNative(this, display);
  result.column -= offset.column;
  result.line -= offset.line;
  return result;
}

ZafRegionStruct ZafWindowObject::RegionToNative(const ZafWindowObject* object,
                                                const ZafRegionStruct* region) {
  ZafRegionStruct source{};
  if (region) {
    source = *region;
  } else if (object) {
    source = object->Region();
  } else {
    source.coordinateType = ZAF_PIXEL;
  }
  // Converted as a whole first, so the size stays exact whatever the corners round to.
  source.ConvertCoordinates(ZAF_PIXEL, display);
  const ZafPositionStruct topLeft{source.left, source.top, ZAF_PIXEL};
  const ZafPositionStruct bottomRight{source.right, source.bottom, ZAF_PIXEL};
  const ZafPositionStruct nativeTopLeft = PositionToNative(object, &topLeft);
  const ZafPositionStruct nativeBottomRight = PositionToNative(object, &bottomRight);
  return {nativeTopLeft.column, nativeTopLeft.line, nativeBottomRight.column, nativeBottomRight.line,
          ZAF_PIXEL};
}

ZafRegionStruct ZafWindowObject::RegionFromNative(const ZafWindowObject* object,
                                                  const ZafRegionStruct& region) {
  const ZafRegionStruct source = region.Converted(ZAF_PIXEL, display);
  const ZafPositionStruct topLeft = PositionFromNative(object, {source.left, source.top, ZAF_PIXEL});
  const ZafPositionStruct bottomRight = PositionFromNative(object, {source.right, source.bottom, ZAF_PIXEL});
  return {topLeft.column, topLeft.line, bottomRight.column, bottomRight.line, ZAF_PIXEL};
}

// The native coordinates that the parent's walk gives are relative to the parent's native window (an
// object drawn in its parent shares it), so that is the window mapped from; a top-level object's
// coordinates are the screen's already.
ZafPositionStruct ZafWindowObject::PositionToScreen(const ZafPositionStruct& position) {
  ZafWindowObject* coordinateParent = CoordinateParentOf(this);
  ZafPositionStruct result = coordinateParent ? coordinateParent->PositionToNative(this, &position)
                                              : position.Converted(ZAF_PIXEL, display);
  if (parent && parent->ScreenID()) {
    native::POINT point{result.column, result.line};
    native::MapWindowPoints(parent->ScreenID(), nullptr, &point, 1);
    result.column = point.x;
    result.line = point.y;
  }
  return result;
}

ZafPositionStruct ZafWindowObject::PositionFromScreen(int32_t x, int32_t y) {
  native::POINT point{x, y};
  if (parent && parent->ScreenID()) {
    native::MapWindowPoints(nullptr, parent->ScreenID(), &point, 1);
  }
  const ZafPositionStruct nativePosition{point.x, point.y, ZAF_PIXEL};
  ZafWindowObject* coordinateParent = CoordinateParentOf(this);
  return coordinateParent ? coordinateParent->PositionFromNative(this, nativePosition) : nativePosition;
}

void ZafWindowObject::UpdateNative() {
  if (!screenID || region == lastNativeRegion) {
    return;
  }
  const ZafRegionStruct newArea = NativeRegionOf(this, region, display);
  if (ownNativeWindow) {
    // The window's position-changed answer reports the move and the new size to the object while
    // MoveWindow runs, still seeing the region the window had.
    native::MoveWindow(ScreenID(2), newArea.left, newArea.top, newArea.Width(), newArea.Height(),
                       native::TRUE);
    native::UpdateWindow(ScreenID(2));
    lastNativeRegion = region;
    return;
  }
  // Drawn in the parent's window: nothing repaints the area for it, so the parts of the window that the
  // object left or now covers are marked here.
  const ZafRegionStruct oldArea = NativeRegionOf(this, lastNativeRegion, display);
  const bool repaint = IsVisibleUp() && IsAutomaticUpdateUp();
  ZafEventRecord previous(MovedEvent, 0);
  previous.SetRegion(lastNativeRegion);
  if (newArea.left != oldArea.left || newArea.top != oldArea.top) {
    if (repaint) {
      InvalidateRegion(screenID, oldArea);
      InvalidateRegion(screenID, newArea);
    }
    Event(previous);
  }
  if (newArea.Width() != oldArea.Width() || newArea.Height() != oldArea.Height()) {
    const int32_t minWidth = std::min(newArea.Width(), oldArea.Width());
    const int32_t maxWidth = std::max(newArea.Width(), oldArea.Width());
    const int32_t minHeight = std::min(newArea.Height(), oldArea.Height());
    const int32_t maxHeight = std::max(newArea.Height(), oldArea.Height());
    if (repaint) {
      // The strip below the narrower width, then the one right of it over the full height.
      InvalidateArea(screenID, newArea.left, newArea.top + minHeight, newArea.left + minWidth,
                     newArea.top + maxHeight);
      InvalidateArea(screenID, newArea.left + minWidth, newArea.top, newArea.left + maxWidth,
                     newArea.top + maxHeight);
    }
    previous.type = SizedEvent;
    Event(previous);
  }
  lastNativeRegion = region;
}

ZafRegionStruct ZafWindowObject::BeginDraw() {
  const ZafRegionStruct drawRegion = ConvertToDrawRegion();
  native::HDC context = nullptr;
  if (editMode) {
    // In edit mode the object is drawn over its parent's other children, so the context clips to the
    // parent's visible area rather than to the object's own window.
    context = native::GetDCEx(ScreenID(2), nullptr, native::DCX_PARENTCLIP);
  }
  drawContexts.push_back(context);
  display->BeginDraw(context, screenID, drawRegion, drawRegion);
  return drawRegion;
}

void ZafWindowObject::EndDraw() {
  display->EndDraw();
  if (drawContexts.empty()) {
    return;
  }
  const native::HDC context = drawContexts.back();
  drawContexts.pop_back();
  if (context) {
    native::ReleaseDC(ScreenID(2), context);
  }
}

ZafEventType ZafWindowObject::Draw(const ZafEventRecord&, ZafEventType drawType) {
  ZafRegionStruct drawRegion = BeginDraw();
  if (bordered) {
    DrawBorder(drawRegion, drawType);
  }
  DrawBackground(drawRegion, drawType);
  const ZafIChar* text = Text();
  if (text && (drawType == RedisplayEvent || drawType == RedisplayRegionEvent || drawType == DrawNowEvent)) {
    display->SetPalette(LogicalPalette(ZAF_PM_TEXT, PaletteState()));
    display->Text(drawRegion.left, drawRegion.top, drawRegion.right, drawRegion.bottom, text, -1, 0, 0, -1,
                  false);
  }
  DrawFocus(drawRegion, drawType);
  EndDraw();
  return drawType;
}
