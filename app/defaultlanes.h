#pragma once
// "\Event\Results\DefaultLanes", the lanes a new event starts with: 1 to the highest lane a race may have. A
// hand-edited value outside that is taken as 8 and logged, as the links' unworkable settings are.

#include <cstdint>

int32_t DefaultLaneCount();
