// An area on a display in one coordinate type. Edges are inclusive: the width is right - left + 1, so an
// empty region has right = left - 1. Tests against another region or a position convert the other one
// to this region's type first.
#ifndef FRAMEWORK_CORE_ZAFREGIONSTRUCT_H
#define FRAMEWORK_CORE_ZAFREGIONSTRUCT_H

#include <cstdint>

#include "framework/core/zafpositionstruct.h"

// The largest coordinate a region may hold (in any coordinate type): stored regions beyond it are refused,
// and computed placements are kept within it.
inline constexpr int32_t ZAF_COORDINATE_LIMIT = 1 << 24;

struct ZafRegionStruct {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t coordinateType = 0;

  int32_t Width() const { return right - left + 1; }
  int32_t Height() const { return bottom - top + 1; }

  // Width and height are converted as lengths and left and top as values, so a region keeps its size
  // exactly when only its place is rounded.
  void ConvertCoordinates(int32_t type, const ZafDisplay* display = nullptr);
  ZafRegionStruct Converted(int32_t type, const ZafDisplay* display = nullptr) const;

  // True when this region lies inside the other (edges may coincide).
  bool Encompassed(const ZafRegionStruct& other) const;
  // Touching at an edge or a corner counts as overlapping.
  bool Overlaps(const ZafRegionStruct& other) const;
  bool Contains(const ZafPositionStruct& position) const;
  // Contains with (dx, dy) added to the converted position first.
  bool Contains(const ZafPositionStruct& position, int32_t dx, int32_t dy) const;
  bool OnBorder(const ZafPositionStruct& position) const;
  // The common part, in this region's type; true when it is not empty. The result is written either way.
  bool Intersect(const ZafRegionStruct& other, ZafRegionStruct& result) const;

  // Every edge moves out (Inflate) or in (Deflate) by one unit. The plain forms return the new region,
  // the Post forms the region as it was before the change.
  ZafRegionStruct Inflate();
  ZafRegionStruct Deflate();
  ZafRegionStruct InflatePost();
  ZafRegionStruct DeflatePost();

  bool operator==(const ZafRegionStruct& other) const;
  bool operator!=(const ZafRegionStruct& other) const { return Differs(other); }
  bool Differs(const ZafRegionStruct& other) const { return !(*this == other); }
};

#endif
