#pragma once
// A set of pixels held as disjoint rectangles (half-open, as RECT). Update regions, visible regions and clip
// regions are all of this kind; the counts stay small, so plain splitting is enough.

#include <vector>

#include "native/user/nativetypes.h"

namespace native {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& rect) { unite(rect); }

  const std::vector<RECT>& rects() const { return rects_; }
  bool empty() const { return rects_.empty(); }
  // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION, as the region calls answer.
  int complexity() const;
  // The smallest rectangle holding every pixel; all zeros when empty.
  RECT bounds() const;
  bool contains(POINT point) const;
  bool intersects(const RECT& rect) const;

  void clear() { rects_.clear(); }
  void unite(const RECT& rect);
  void unite(const Region& other);
  void subtract(const RECT& rect);
  void subtract(const Region& other);
  void intersect(const RECT& rect);
  void intersect(const Region& other);
  void offset(int dx, int dy);

  bool operator==(const Region& other) const;

 private:
  std::vector<RECT> rects_;
};

}  // namespace native
