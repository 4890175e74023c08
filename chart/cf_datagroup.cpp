#include "chart/cf_datagroup.h"

#include <algorithm>
#include <cmath>

namespace {

// Room from the start for the few points of a label group or title, so that they never reallocate.
constexpr std::size_t kInitialRoom = 26;

}  // namespace

cf_DataGroup::cf_DataGroup(const ZafIChar* groupName) : name(groupName) {
  points.reserve(kInitialRoom);
}

cf_DataGroup& cf_DataGroup::operator=(const cf_DataGroup& other) {
  if (this != &other) {
    changed = other.changed;
    name = other.name;
    dispAttribs = other.dispAttribs;
    x = other.x;
    y = other.y;
    z = other.z;
    points = other.points;
  }
  return *this;
}

cf_XYZ& cf_DataGroup::AddPoint(double px, double py, double pz) {
  return Append(cf_XYZ(px, py, pz));
}

cf_XYZ& cf_DataGroup::AddPoint(const cf_XYZ& point) {
  return Append(cf_XYZ(point));
}

cf_XYZ& cf_DataGroup::Append(cf_XYZ&& point) {
  const bool first = points.empty();
  x.Take(point.X(), first);
  y.Take(point.Y(), first);
  z.Take(point.Z(), first);
  points.push_back(std::move(point));
  return points.back();
}

void cf_DataGroup::MakeRoom(std::size_t n) {
  const std::size_t wanted = points.size() + n;
  if (wanted > points.capacity()) {
    points.reserve(std::max(wanted, 2 * points.capacity()));
  }
}

const cf_XYZ& cf_DataGroup::GetPoint(int32_t i) const {
  static const cf_XYZ missing;
  if (points.empty()) {
    return missing;
  }
  const int32_t index = std::clamp(i, 1, Count());
  return points[static_cast<std::size_t>(index - 1)];
}

void cf_DataGroup::Clear() {
  points.clear();
  x = y = z = Extent();
  changed = 1;
  name.Clear();
}

void cf_DataGroup::SetName(const ZafIChar* text) {
  if (text) {
    name.Assign(text);
  }
}

double cf_DataGroup::SumAbsY() const {
  double sum = 0;
  for (const cf_XYZ& point : points) {
    sum += std::abs(point.Y());
  }
  return sum;
}

double cf_DataGroup::SmallestXGap() const {
  double smallest = x.max - x.min;
  for (std::size_t i = points.size(); i >= 2; --i) {
    smallest = std::min(smallest, points[i - 1].X() - points[i - 2].X());
  }
  return smallest;
}
