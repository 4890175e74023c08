// A named list of data points with its drawing attributes and its running extents and sums: every chart
// series, label group, title and legend entry is one. Points are held by value in one array, numbered from
// 1. A reference to a point stays valid only until the next point is added.
#ifndef CHART_CF_DATAGROUP_H
#define CHART_CF_DATAGROUP_H

#include <algorithm>
#include <cstdint>
#include <vector>

#include "chart/cf_dispattribs.h"
#include "chart/cf_extent.h"
#include "chart/cf_string.h"
#include "chart/cf_textattribs.h"
#include "chart/cf_xyz.h"

class cf_DataGroup {
 public:
  explicit cf_DataGroup(const ZafIChar* name = nullptr);
  // Copies everything but the text attributes, which stay the target's.
  cf_DataGroup& operator=(const cf_DataGroup& other);
  cf_DataGroup(const cf_DataGroup& other) : cf_DataGroup() { *this = other; }

  // Appends and answers the new point; the extents and sums take it in.
  cf_XYZ& AddPoint(double x, double y, double z);
  // Appends a copy of the point, label included.
  cf_XYZ& AddPoint(const cf_XYZ& point);
  // What AddPoint does for n points at (x(i), y(i), z), i from 0, in one pass.
  template <typename XAt, typename YAt>
  void AddPoints(int32_t n, XAt xAt, YAt yAt, double z);
  // Point i with i held to 1..count. An empty group answers a point at (0, 0, 0) without a label and stays
  // empty, so reading a series never changes it.
  const cf_XYZ& GetPoint(int32_t i) const;
  // Removes every point, zeroes extents and sums, empties the name and marks the group changed.
  void Clear();
  int32_t Count() const { return static_cast<int32_t>(points.size()); }
  const std::vector<cf_XYZ>& Points() const { return points; }
  bool HasPoints() const { return !points.empty(); }

  const cf_String& Name() const { return name; }
  // Null changes nothing.
  void SetName(const ZafIChar* text);
  cf_DispAttribs& DispAttribs() { return dispAttribs; }
  const cf_DispAttribs& DispAttribs() const { return dispAttribs; }
  cf_TextAttribs& TextAttribs() { return textAttribs; }
  const cf_TextAttribs& TextAttribs() const { return textAttribs; }

  double MaxX() const { return x.max; }
  double MinX() const { return x.min; }
  double SumX() const { return x.sum; }
  double MaxY() const { return y.max; }
  double MinY() const { return y.min; }
  double SumY() const { return y.sum; }
  double MaxZ() const { return z.max; }
  double MinZ() const { return z.min; }
  double SumZ() const { return z.sum; }
  double SumAbsY() const;
  // The smallest difference x(i) - x(i - 1) between neighbours in insertion order (negative when x falls);
  // max x - min x when it is smaller or there are fewer than two points.
  double SmallestXGap() const;

  bool IsChanged() const { return changed != 0; }
  void SetChanged() { changed = 1; }
  void ClearChanged() { changed = 0; }
  void SetChangedFlag(uint8_t value) { changed = value; }

 private:
  struct Extent : cf_Extent {
    double sum = 0;
    void Take(double value, bool first) {
      cf_Extent::Take(value, first);
      sum += value;
    }
  };

  cf_XYZ& Append(cf_XYZ&& point);
  // Room for n more points; repeated calls still grow the array geometrically.
  void MakeRoom(std::size_t n);

  uint8_t changed = 0;
  cf_String name;
  cf_DispAttribs dispAttribs;
  cf_TextAttribs textAttribs;
  Extent x;
  Extent y;
  Extent z;
  std::vector<cf_XYZ> points;
};

template <typename XAt, typename YAt>
void cf_DataGroup::AddPoints(int32_t n, XAt xAt, YAt yAt, double pz) {
  if (n <= 0) {
    return;
  }
  const bool fresh = points.empty();
  MakeRoom(static_cast<std::size_t>(n));
  // Taken into copies, which the compiler can keep in registers across the loop.
  Extent xs = x;
  Extent ys = y;
  Extent zs = z;
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
    const double px = xAt(i);
    const double py = yAt(i);
    const bool first = fresh && i == 0;
    xs.Take(px, first);
    ys.Take(py, first);
    zs.Take(pz, first);
    points.emplace_back(px, py, pz);
  }
  x = xs;
  y = ys;
  z = zs;
}

#endif
