#pragma once
// Which lane band each row of an all-lanes chart draws in. There is a band for every lane up to the highest
// lane number a row names (at most the most lanes a control unit serves), and at least `leastLanes` bands,
// so that each band is its own lane: a race with a lane left out keeps an empty band for it. In row order, a
// row whose lane text is a lane number that no earlier row took keeps it; every other row (a text that is
// no number, out of range or taken, and the rows past the results) takes the lowest number still free, in
// row order. So each band holds exactly one row.

#include <cstdint>
#include <vector>

#include "foundation/kstring.h"

// The lane of each row, one row for each band; `laneTexts` are the results' lane texts in row order (at
// most `leastLanes` of them), the rows after them are empty.
std::vector<int32_t> AssignChartLanes(const std::vector<KString>& laneTexts, int32_t leastLanes);
