#pragma once
// An integer rectangle with inclusive edges. Invariant: none; a rectangle whose right is left of its left (or
// bottom above its top) is empty. Width is right - left + 1 and height bottom - top + 1, so a one-pixel
// rectangle has left == right. Sizes are computed in 64 bits, so no edge values can overflow them.

#include <cstdint>

#include "foundation/kpoint.h"

class KStream;

class KRect {
 public:
  // The range that LimitClip keeps coordinates in: far beyond any screen or page, yet small enough that
  // sums and differences of two coordinates stay comfortably inside 32 bits.
  static constexpr int32_t kLimit = 30000;

  constexpr KRect() = default;
  constexpr KRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
      : left(left), top(top), right(right), bottom(bottom) {}

  // right - left + 1 and bottom - top + 1; outside the int32_t range they saturate at its ends.
  int32_t Width() const;
  int32_t Height() const;
  // width x height, but 0 unless both are positive, so that two negative sizes never read as an area. An area
  // beyond INT64_MAX (only for rectangles spanning nearly the whole int32_t plane) saturates there.
  int64_t Area() const;
  bool IsEmpty() const { return Area() == 0; }

  // Add or subtract the point on both corners (coordinates wrap rather than overflow).
  void Offset(const KPoint& delta);
  void OffsetBack(const KPoint& delta);

  // Inclusive on all four edges.
  bool Contains(const KPoint& point) const;
  // The other rectangle's four edges lie within this one's (inclusive).
  bool ContainsRect(const KRect& other) const;
  // The rectangles share at least one pixel.
  bool Intersects(const KRect& other) const;
  // The common part (empty when they do not intersect).
  KRect Intersection(const KRect& other) const;

  // Clamps the point into this rectangle coordinate by coordinate; true when it changed.
  bool Intersect(KPoint& point) const;
  // Clamps each edge into the bounds. An edge beyond the far side of the bounds lands just outside it (a left
  // edge past bounds.right becomes bounds.right + 1), so a rectangle outside the bounds comes out empty.
  // True when the rectangle changed.
  bool Clip(const KRect& bounds);
  // Clamps both corners to -kLimit..kLimit; true when the rectangle changed.
  bool LimitClip();

  friend constexpr bool operator==(const KRect&, const KRect&) = default;

  // Stored as four 32-bit words, left, top, right, bottom, in the stream's byte order.
  void Write(KStream& stream) const;
  void Read(KStream& stream);

  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};
