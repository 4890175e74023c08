#include "framework/core/zafdisplay.h"

#include <cstdlib>

ZafDisplay* ZafDisplay::displayOfRecord = nullptr;

namespace {

// Pixels per unit of a coordinate type as a fraction; false for a type the display cannot convert.
struct PixelsPerUnit {
  int64_t numerator = 1;
  int64_t denominator = 1;
};

bool UnitScale(int32_t type, int32_t cell, int32_t miniNumerator, int32_t miniDenominator, int32_t perInch,
               PixelsPerUnit& scale) {
  switch (type) {
    case ZAF_CELL:
      scale = {cell, 1};
      break;
    case ZAF_MINICELL:
      scale = {int64_t{cell} * miniNumerator, miniDenominator};
      break;
    case ZAF_PIXEL:
      scale = {1, 1};
      break;
    case ZAF_POINTS:
      scale = {perInch, 72};
      break;
    case ZAF_TWIPS:
      scale = {perInch, 1440};
      break;
    case ZAF_MILS:
      scale = {perInch, 1000};
      break;
    case ZAF_TENTHS_OF_MILLIMETER:
      scale = {perInch, 254};
      break;
    default:
      return false;
  }
  return scale.numerator > 0 && scale.denominator > 0;
}

// value x numerator / denominator, rounded half away from zero.
int64_t DivideRounded(int64_t numerator, int64_t denominator) {
  const int64_t quotient = (std::llabs(numerator) * 2 + denominator) / (denominator * 2);
  return numerator < 0 ? -quotient : quotient;
}

int32_t Convert(const ZafDisplay* display, int32_t value, int32_t fromType, int32_t toType, bool vertical) {
  if (fromType == toType) {
    return value;
  }
  if (!display) {
    display = ZafDisplay::DisplayOfRecord();
  }
  if (!display) {
    return value;
  }
  const int32_t cell = vertical ? display->cellHeight : display->cellWidth;
  const int32_t miniNumerator = vertical ? display->miniNumeratorY : display->miniNumeratorX;
  const int32_t miniDenominator = vertical ? display->miniDenominatorY : display->miniDenominatorX;
  const int32_t perInch = vertical ? display->pixelsPerInchY : display->pixelsPerInchX;
  PixelsPerUnit from;
  PixelsPerUnit to;
  if (!UnitScale(fromType, cell, miniNumerator, miniDenominator, perInch, from) ||
      !UnitScale(toType, cell, miniNumerator, miniDenominator, perInch, to)) {
    return value;
  }
  // One rounding only: value x (from pixels per unit) / (to pixels per unit). The factors are display
  // metrics of at most a few thousand, so the products stay far inside 64 bits.
  const int64_t result =
      DivideRounded(int64_t{value} * from.numerator * to.denominator, from.denominator * to.numerator);
  if (result > INT32_MAX) {
    return INT32_MAX;
  }
  if (result < INT32_MIN) {
    return INT32_MIN;
  }
  return static_cast<int32_t>(result);
}

}  // namespace

ZafDisplay::ZafDisplay() = default;

ZafDisplay::~ZafDisplay() {
  if (displayOfRecord == this) {
    displayOfRecord = nullptr;
  }
}

int32_t ZafDisplay::ConvertCoordinate(const ZafDisplay* display, int32_t value, int32_t fromType,
                                      int32_t toType) {
  return Convert(display, value, fromType, toType, false);
}

int32_t ZafDisplay::ConvertYValue(const ZafDisplay* display, int32_t value, int32_t fromType,
                                  int32_t toType) {
  return Convert(display, value, fromType, toType, true);
}

int32_t ZafDisplay::SetCoordinateType(int32_t type) {
  const int32_t previous = coordinateType;
  coordinateType = type;
  return previous;
}

int32_t ZafDisplay::ScalePercent(const ZafDisplay* display) {
  if (!display) {
    display = displayOfRecord;
  }
  if (!display || display->scaleDenominator == 0) {
    return 100;
  }
  return static_cast<int32_t>(int64_t{100} * display->scaleNumerator / display->scaleDenominator);
}
