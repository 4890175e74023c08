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
};

#endif
