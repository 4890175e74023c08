// A place on a display: column and line in one coordinate type (cells, mini-cells, pixels, points, twips,
// thousandths of an inch or tenths of a millimetre). Values are converted, never compared across types.
#ifndef FRAMEWORK_CORE_ZAFPOSITIONSTRUCT_H
#define FRAMEWORK_CORE_ZAFPOSITIONSTRUCT_H

#include <cstdint>

class ZafDisplay;

// Coordinate types of positions and regions.
inline constexpr int32_t ZAF_CELL = 0;
inline constexpr int32_t ZAF_MINICELL = 1;
inline constexpr int32_t ZAF_PIXEL = 2;
inline constexpr int32_t ZAF_POINTS = 3;
inline constexpr int32_t ZAF_TWIPS = 4;
inline constexpr int32_t ZAF_MILS = 5;
inline constexpr int32_t ZAF_TENTHS_OF_MILLIMETER = 6;

struct ZafPositionStruct {
  int32_t column = 0;
  int32_t line = 0;
  int32_t coordinateType = 0;

  // Converts column (as a horizontal value) and line (as a vertical value) to the type, with the display
  // given or the display of record; nothing when the type is already the position's.
  void ConvertCoordinates(int32_t type, const ZafDisplay* display = nullptr);
  // A converted copy; this position stays as it is.
  ZafPositionStruct Converted(int32_t type, const ZafDisplay* display = nullptr) const;

  // The other position is converted to this one's type first.
  bool operator==(const ZafPositionStruct& other) const;
  bool operator!=(const ZafPositionStruct& other) const { return !(*this == other); }
};

#endif
