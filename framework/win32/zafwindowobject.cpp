// The window object's conversions between its own coordinates, native coordinates (pixels relative to the
// client area of the nearest native window) and the screen, over the native window system.
#include "framework/core/zafwindowobject.h"

#include "framework/core/zafwindowmanager.h"
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
