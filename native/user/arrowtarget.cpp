#include "native/user/arrowtarget.h"

#include "native/user/virtualkeys.h"

namespace native {

namespace {

// A candidate and the edge it is judged by.
struct Best {
  std::optional<std::size_t> index;
  LONG edge = 0;

  // Keeps the candidate when its edge is strictly better, so an earlier one keeps a tie.
  void consider(std::size_t other, LONG otherEdge, bool greatestWins) {
    if (!index || (greatestWins ? otherEdge > edge : otherEdge < edge)) {
      index = other;
      edge = otherEdge;
    }
  }
};

}  // namespace

std::optional<std::size_t> arrowTarget(const RECT& from, const std::vector<RECT>& candidates,
                                       UINT virtualKey) {
  const bool across = virtualKey == VK_LEFT || virtualKey == VK_RIGHT;
  const bool greatestWins = virtualKey == VK_LEFT || virtualKey == VK_UP;
  // The edge each direction is judged by: Left the right edge, Right the left edge, Up the bottom, Down
  // the top.
  auto edgeOf = [virtualKey](const RECT& area) {
    switch (virtualKey) {
      case VK_LEFT:
        return area.right;
      case VK_RIGHT:
        return area.left;
      case VK_UP:
        return area.bottom;
      default:
        return area.top;
    }
  };
  const LONG fromEdge = edgeOf(from);
  Best ahead;
  Best wrapped;
  for (std::size_t index = 0; index < candidates.size(); ++index) {
    const RECT& area = candidates[index];
    const bool overlaps = across ? area.top < from.bottom && area.bottom > from.top
                                 : area.left < from.right && area.right > from.left;
    if (!overlaps) {
      continue;
    }
    const LONG edge = edgeOf(area);
    const bool inDirection = greatestWins ? edge < fromEdge : edge > fromEdge;
    (inDirection ? ahead : wrapped).consider(index, edge, greatestWins);
  }
  return ahead.index ? ahead.index : wrapped.index;
}

}  // namespace native
