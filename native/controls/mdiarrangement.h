#pragma once
// Where the MDI client puts its children when it cascades or tiles them: rectangles in the client area, the
// first one for the front child.

#include <vector>

#include "native/user/nativetypes.h"

namespace native {

class MdiArrangement {
 public:
  // Each window a step down and right of the one behind it, all of one size that keeps the front one inside
  // the area (never smaller than kMinimumSide on a side).
  static std::vector<RECT> cascade(const RECT& area, int count, int step);
  // Side by side: horizontal tiling stacks full-width strips from the top, vertical tiling puts full-height
  // columns from the left. The last strip takes what the division leaves.
  static std::vector<RECT> tile(const RECT& area, int count, bool horizontal);

  static constexpr int kMinimumSide = 48;
};

}  // namespace native
