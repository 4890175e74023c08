#include "framework/core/zafregionstruct.h"

#include <algorithm>

#include "framework/core/zafdisplay.h"

void ZafRegionStruct::ConvertCoordinates(int32_t type, const ZafDisplay* display) {
  if (type == coordinateType) {
    return;
  }
  const int32_t width = ZafDisplay::ConvertCoordinate(display, Width(), coordinateType, type);
  const int32_t height = ZafDisplay::ConvertYValue(display, Height(), coordinateType, type);
  left = ZafDisplay::ConvertCoordinate(display, left, coordinateType, type);
  top = ZafDisplay::ConvertYValue(display, top, coordinateType, type);
  right = left + width - 1;
  bottom = top + height - 1;
  coordinateType = type;
}

ZafRegionStruct ZafRegionStruct::Converted(int32_t type, const ZafDisplay* display) const {
  ZafRegionStruct copy = *this;
  copy.ConvertCoordinates(type, display);
  return copy;
}

bool ZafRegionStruct::Encompassed(const ZafRegionStruct& other) const {
  const ZafRegionStruct outer = other.Converted(coordinateType);
  return left >= outer.left && top >= outer.top && right <= outer.right && bottom <= outer.bottom;
}

bool ZafRegionStruct::Overlaps(const ZafRegionStruct& other) const {
  ZafRegionStruct common;
  return Intersect(other, common);
}

bool ZafRegionStruct::Contains(const ZafPositionStruct& position) const {
  return Contains(position, 0, 0);
}

bool ZafRegionStruct::Contains(const ZafPositionStruct& position, int32_t dx, int32_t dy) const {
  const ZafPositionStruct point = position.Converted(coordinateType);
  const int32_t column = point.column + dx;
  const int32_t line = point.line + dy;
  return left <= column && column <= right && top <= line && line <= bottom;
}

bool ZafRegionStruct::OnBorder(const ZafPositionStruct& position) const {
  const ZafPositionStruct point = position.Converted(coordinateType);
  const bool onSide =
      (point.column == left || point.column == right) && top <= point.line && point.line <= bottom;
  const bool onTopOrBottom =
      (point.line == top || point.line == bottom) && left <= point.column && point.column <= right;
  return onSide || onTopOrBottom;
}

bool ZafRegionStruct::Intersect(const ZafRegionStruct& other, ZafRegionStruct& result) const {
  const ZafRegionStruct converted = other.Converted(coordinateType);
  result.left = std::max(left, converted.left);
  result.top = std::max(top, converted.top);
  result.right = std::min(right, converted.right);
  result.bottom = std::min(bottom, converted.bottom);
  result.coordinateType = coordinateType;
  return result.left <= result.right && result.top <= result.bottom;
}

ZafRegionStruct ZafRegionStruct::Inflate() {
  --left;
  --top;
  ++right;
  ++bottom;
  return *this;
}

ZafRegionStruct ZafRegionStruct::Deflate() {
  ++left;
  ++top;
  --right;
  --bottom;
  return *this;
}

ZafRegionStruct ZafRegionStruct::InflatePost() {
  const ZafRegionStruct before = *this;
  Inflate();
  return before;
}

ZafRegionStruct ZafRegionStruct::DeflatePost() {
  const ZafRegionStruct before = *this;
  Deflate();
  return before;
}

bool ZafRegionStruct::operator==(const ZafRegionStruct& other) const {
  const ZafRegionStruct converted = other.Converted(coordinateType);
  return left == converted.left && top == converted.top && right == converted.right &&
         bottom == converted.bottom;
}
