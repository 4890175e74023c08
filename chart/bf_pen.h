// A pen of the chart's drawing context: colour, the display's line style (low byte used) and width in pixels.
#ifndef CHART_BF_PEN_H
#define CHART_BF_PEN_H

#include <cstdint>

#include "chart/bf_color.h"

struct bf_Pen {
  bf_Color color = bf_Black;
  uint32_t style = 0;
  uint32_t width = 1;

  constexpr bf_Pen() = default;
  constexpr explicit bf_Pen(bf_Color penColor) : color(penColor) {}
  constexpr bf_Pen(bf_Color penColor, uint32_t penStyle, uint32_t penWidth)
      : color(penColor), style(penStyle), width(penWidth) {}
  bool operator==(const bf_Pen&) const = default;
};

#endif
