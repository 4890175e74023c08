#pragma once
// Which lane band each row of an all-lanes chart draws in. In row order, a row whose lane text is a lane
// number in 1..laneCount that no earlier row took keeps it; every other row (a text that is no number, out
// of range or taken, and the rows past the results) takes the lowest number still free, in row order. So
// each band holds exactly one row.

#include <cstdint>
#include <vector>

#include "foundation/kstring.h"

// The lane of each of the laneCount rows; `laneTexts` are the results' lane texts in row order (at most
// laneCount of them), the rows after them are empty.
std::vector<int32_t> AssignChartLanes(const std::vector<KString>& laneTexts, int32_t laneCount);
