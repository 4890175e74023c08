// An integer rectangle in display pixels. Width is right - left and height bottom - top (either may be
// negative); a face rectangle of the kernel holds only a width and a height from (0, 0).
#ifndef CHART_CF_2DRECT_H
#define CHART_CF_2DRECT_H

#include <cstdint>

#include "chart/cf_2dpoint.h"

struct cf_2DRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  constexpr cf_2DRect() = default;
  constexpr cf_2DRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}
  constexpr cf_2DRect(const cf_2DPoint& leftTop, const cf_2DPoint& rightBottom)
      : left(leftTop.x), top(leftTop.y), right(rightBottom.x), bottom(rightBottom.y) {}

  constexpr int32_t Left() const { return left; }
  constexpr int32_t Top() const { return top; }
  constexpr int32_t Right() const { return right; }
  constexpr int32_t Bottom() const { return bottom; }
  constexpr int32_t& Left() { return left; }
  constexpr int32_t& Top() { return top; }
  constexpr int32_t& Right() { return right; }
  constexpr int32_t& Bottom() { return bottom; }
  constexpr int32_t Width() const { return right - left; }
  constexpr int32_t Height() const { return bottom - top; }
  bool operator==(const cf_2DRect&) const = default;

  // No pixel inside: neither wide nor high.
  constexpr bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
  // Some pixel inside both.
  constexpr bool Overlaps(const cf_2DRect& other) const {
    return !IsEmpty() && !other.IsEmpty() && left < other.right && other.left < right && top < other.bottom &&
           other.top < bottom;
  }
  // The smallest rectangle holding both; an empty one adds nothing.
  constexpr cf_2DRect JoinedWith(const cf_2DRect& other) const {
    if (other.IsEmpty()) {
      return *this;
    }
    if (IsEmpty()) {
      return other;
    }
    return {left < other.left ? left : other.left, top < other.top ? top : other.top,
            right > other.right ? right : other.right, bottom > other.bottom ? bottom : other.bottom};
  }
  constexpr cf_2DRect MovedBy(const cf_2DPoint& offset) const {
    return {left + offset.x, top + offset.y, right + offset.x, bottom + offset.y};
  }
};

#endif
