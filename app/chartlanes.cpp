#include "app/chartlanes.h"

#include <algorithm>

#include "foundation/krint.h"
#include "model/racelanes.h"

std::vector<int32_t> AssignChartLanes(const std::vector<KString>& laneTexts, int32_t leastLanes) {
  constexpr int32_t kFree = 0;
  std::vector<int32_t> named(laneTexts.size(), kFree);
  int32_t laneCount = std::max(leastLanes, 0);
  for (size_t row = 0; row < laneTexts.size(); ++row) {
    int32_t number = 0;
    if (KRInt::ParseNumber(laneTexts[row], number) && number >= 1 && number <= kMostLanes) {
      named[row] = number;
      laneCount = std::max(laneCount, number);
    }
  }
  std::vector<int32_t> lanes(static_cast<size_t>(laneCount), kFree);
  std::vector<bool> taken(lanes.size() + 1, false);
  const size_t texts = std::min(named.size(), lanes.size());
  for (size_t row = 0; row < texts; ++row) {
    if (named[row] != kFree && !taken[named[row]]) {
      lanes[row] = named[row];
      taken[named[row]] = true;
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
