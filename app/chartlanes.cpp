#include "app/chartlanes.h"

#include <algorithm>

#include "foundation/krint.h"

std::vector<int32_t> AssignChartLanes(const std::vector<KString>& laneTexts, int32_t laneCount) {
  constexpr int32_t kFree = 0;
  std::vector<int32_t> lanes(static_cast<size_t>(std::max(laneCount, 0)), kFree);
  std::vector<bool> taken(lanes.size() + 1, false);
  const size_t texts = std::min(laneTexts.size(), lanes.size());
  for (size_t row = 0; row < texts; ++row) {
    int32_t number = 0;
    if (KRInt::ParseNumber(laneTexts[row], number) && number >= 1 && number <= laneCount && !taken[number]) {
      lanes[row] = number;
      taken[number] = true;
    }
  }
  int32_t next = 1;
  for (int32_t& lane : lanes) {
    if (lane != kFree) {
      continue;
    }
    while (taken[next]) {
      ++next;
    }
    lane = next;
    taken[next] = true;
  }
  return lanes;
}
