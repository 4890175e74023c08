#pragma once
// The highest lane a race may have. The control unit reports 0 to 15 lanes; the default lanes, the lane
// switches, the options' lane lists and the download stop at the same lane.

#include <cstdint>

inline constexpr int32_t kMostLanes = 15;
