// A brush of the chart's drawing context: colour and the display's fill pattern (low byte used).
#ifndef CHART_BF_BRUSH_H
#define CHART_BF_BRUSH_H

#include <cstdint>

#include "chart/bf_color.h"

struct bf_Brush {
  bf_Color color = bf_White;
  uint32_t style = 0;

  constexpr bf_Brush() = default;
  constexpr explicit bf_Brush(bf_Color brushColor) : color(brushColor) {}
  constexpr bf_Brush(bf_Color brushColor, uint32_t brushStyle) : color(brushColor), style(brushStyle) {}
  bool operator==(const bf_Brush&) const = default;
};

#endif
