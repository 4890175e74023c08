// An integer point in display pixels.
#ifndef CHART_CF_2DPOINT_H
#define CHART_CF_2DPOINT_H

#include <algorithm>
#include <cstdint>

struct cf_2DPoint {
  int32_t x = 0;
  int32_t y = 0;

  constexpr cf_2DPoint() = default;
  constexpr cf_2DPoint(int32_t px, int32_t py) : x(px), y(py) {}

  constexpr int32_t X() const { return x; }
  constexpr int32_t Y() const { return y; }
  constexpr int32_t& X() { return x; }
  constexpr int32_t& Y() { return y; }
  constexpr void Add(const cf_2DPoint& other) {
    x += other.x;
    y += other.y;
  }
  // Component-wise.
  constexpr cf_2DPoint Min(const cf_2DPoint& other) const {
    return {std::min(x, other.x), std::min(y, other.y)};
  }
  constexpr cf_2DPoint Max(const cf_2DPoint& other) const {
    return {std::max(x, other.x), std::max(y, other.y)};
  }
  constexpr void Zero() { x = y = 0; }
  bool operator==(const cf_2DPoint&) const = default;
};

#endif
