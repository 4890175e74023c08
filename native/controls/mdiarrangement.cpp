#include "native/controls/mdiarrangement.h"

#include <algorithm>

namespace native {

std::vector<RECT> MdiArrangement::cascade(const RECT& area, int count, int step) {
  std::vector<RECT> rects;
  if (count <= 0) {
    return rects;
  }
  int spread = step * (count - 1);
  int width = std::max<int>(area.right - area.left - spread, kMinimumSide);
  int height = std::max<int>(area.bottom - area.top - spread, kMinimumSide);
  // The front child is the last step down the cascade.
  for (int i = count - 1; i >= 0; --i) {
    int x = area.left + i * step;
    int y = area.top + i * step;
    rects.push_back(RECT{x, y, x + width, y + height});
  }
  return rects;
}

std::vector<RECT> MdiArrangement::tile(const RECT& area, int count, bool horizontal) {
  std::vector<RECT> rects;
  if (count <= 0) {
    return rects;
  }
  int length = horizontal ? area.bottom - area.top : area.right - area.left;
  int share = std::max(length / count, 1);
  for (int i = 0; i < count; ++i) {
    int start = i * share;
    int end = i == count - 1 ? length : start + share;
    rects.push_back(horizontal ? RECT{area.left, area.top + start, area.right, area.top + end}
                               : RECT{area.left + start, area.top, area.left + end, area.bottom});
  }
  return rects;
}

}  // namespace native
