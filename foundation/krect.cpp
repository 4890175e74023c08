#include "foundation/krect.h"

#include <algorithm>
#include <limits>

#include "foundation/kstream.h"

namespace {

// far - near + 1 without overflow, saturated into int32_t.
int32_t Extent(int32_t nearEdge, int32_t farEdge) {
  int64_t extent = static_cast<int64_t>(farEdge) - nearEdge + 1;
  return static_cast<int32_t>(
      std::clamp<int64_t>(extent, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Coordinates wrap like the 32-bit words they are stored in; conversion to int32_t is modular in C++20.
int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t WrappingSubtract(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Clamps a leading edge (left or top) into [low, high]; past high it becomes high + 1.
bool ClampLeadingEdge(int32_t& edge, int32_t low, int32_t high) {
  int32_t clamped = edge < low ? low : edge > high ? high + 1 : edge;
  bool changed = clamped != edge;
  edge = clamped;
  return changed;
}

// Clamps a trailing edge (right or bottom) into [low, high]; before low it becomes low - 1.
bool ClampTrailingEdge(int32_t& edge, int32_t low, int32_t high) {
  int32_t clamped = edge > high ? high : edge < low ? low - 1 : edge;
  bool changed = clamped != edge;
  edge = clamped;
  return changed;
}

bool ClampCoordinate(int32_t& value, int32_t low, int32_t high) {
  int32_t clamped = std::min(high, std::max(low, value));
  bool changed = clamped != value;
  value = clamped;
  return changed;
}

}  // namespace

int32_t KRect::Width() const {
  return Extent(left, right);
}
int32_t KRect::Height() const {
  return Extent(top, bottom);
}

int64_t KRect::Area() const {
  int64_t width = static_cast<int64_t>(right) - left + 1;
  int64_t height = static_cast<int64_t>(bottom) - top + 1;
  if (width <= 0 || height <= 0) {
    return 0;
  }
  // Each factor is at most 2^32; only their product for the very largest rectangles passes INT64_MAX.
  if (width > std::numeric_limits<int64_t>::max() / height) {
    return std::numeric_limits<int64_t>::max();
  }
  return width * height;
}

void KRect::Offset(const KPoint& delta) {
  left = WrappingAdd(left, delta.x);
  right = WrappingAdd(right, delta.x);
  top = WrappingAdd(top, delta.y);
  bottom = WrappingAdd(bottom, delta.y);
}

void KRect::OffsetBack(const KPoint& delta) {
  left = WrappingSubtract(left, delta.x);
  right = WrappingSubtract(right, delta.x);
  top = WrappingSubtract(top, delta.y);
  bottom = WrappingSubtract(bottom, delta.y);
}

bool KRect::Contains(const KPoint& point) const {
  return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
}

bool KRect::ContainsRect(const KRect& other) const {
  return other.left >= left && other.right <= right && other.top >= top && other.bottom <= bottom;
}

KRect KRect::Intersection(const KRect& other) const {
  return KRect(std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
               std::min(bottom, other.bottom));
}

bool KRect::Intersects(const KRect& other) const {
  return !Intersection(other).IsEmpty();
}

bool KRect::Intersect(KPoint& point) const {
  // Both coordinates are clamped even when the first one changed.
  bool changedX = ClampCoordinate(point.x, left, right);
  bool changedY = ClampCoordinate(point.y, top, bottom);
  return changedX || changedY;
}

bool KRect::Clip(const KRect& bounds) {
  // No edge arithmetic can overflow: high + 1 is only taken when the edge is above high, and low - 1 only
  // when the edge is below low.
  bool changed = ClampLeadingEdge(left, bounds.left, bounds.right);
  changed |= ClampLeadingEdge(top, bounds.top, bounds.bottom);
  changed |= ClampTrailingEdge(right, bounds.left, bounds.right);
  changed |= ClampTrailingEdge(bottom, bounds.top, bounds.bottom);
  return changed;
}

bool KRect::LimitClip() {
  bool changed = ClampCoordinate(left, -kLimit, kLimit);
  changed |= ClampCoordinate(top, -kLimit, kLimit);
  changed |= ClampCoordinate(right, -kLimit, kLimit);
  changed |= ClampCoordinate(bottom, -kLimit, kLimit);
  return changed;
}

void KRect::Write(KStream& stream) const {
  stream.WriteInt32(left);
  stream.WriteInt32(top);
  stream.WriteInt32(right);
  stream.WriteInt32(bottom);
}

void KRect::Read(KStream& stream) {
  // Read all four before storing, so a stream that ends early leaves the rectangle as it was.
  KRect read;
  read.left = stream.ReadInt32();
  read.top = stream.ReadInt32();
  read.right = stream.ReadInt32();
  read.bottom = stream.ReadInt32();
  *this = read;
}
