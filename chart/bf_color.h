// A chart colour: an index 0 to 15 into the display's colour table, passed to the display unchanged.
#ifndef CHART_BF_COLOR_H
#define CHART_BF_COLOR_H

#include <cstdint>

using bf_Color = uint8_t;

inline constexpr bf_Color bf_Black = 0;
inline constexpr bf_Color bf_White = 15;

#endif
