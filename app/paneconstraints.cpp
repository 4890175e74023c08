#include "app/paneconstraints.h"

namespace {

constexpr int32_t kFullExtent = 100;
constexpr int32_t kLastPixel = -1;
constexpr int32_t kBeforeNeighbour = -2;

int32_t OffsetFor(int32_t edge) {
  return edge == kFullExtent ? kLastPixel : kBeforeNeighbour;
}

}  // namespace

PaneConstraintValues ConstraintValuesFor(const PaneRect& rect) {
  return PaneConstraintValues{
      rect.left, rect.top, rect.right, rect.bottom, OffsetFor(rect.right), OffsetFor(rect.bottom)};
}
