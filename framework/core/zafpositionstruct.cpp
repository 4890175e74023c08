#include "framework/core/zafpositionstruct.h"

#include "framework/core/zafdisplay.h"

void ZafPositionStruct::ConvertCoordinates(int32_t type, const ZafDisplay* display) {
  if (type == coordinateType) {
    return;
  }
  column = ZafDisplay::ConvertCoordinate(display, column, coordinateType, type);
  line = ZafDisplay::ConvertYValue(display, line, coordinateType, type);
  coordinateType = type;
}

ZafPositionStruct ZafPositionStruct::Converted(int32_t type, const ZafDisplay* display) const {
  ZafPositionStruct copy = *this;
  copy.ConvertCoordinates(type, display);
  return copy;
}

bool ZafPositionStruct::operator==(const ZafPositionStruct& other) const {
  const ZafPositionStruct converted = other.Converted(coordinateType);
  return column == converted.column && line == converted.line;
}
