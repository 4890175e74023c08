#include "native/gdi/region.h"

#include <algorithm>

#include "native/gdi/gditypes.h"
#include "native/user/rects.h"

namespace native {

namespace {

bool overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The parts of `from` outside `hole`: up to four bands, top, bottom, then left and right beside the hole.
void appendDifference(const RECT& from, const RECT& hole, std::vector<RECT>* out) {
  if (!overlap(from, hole)) {
    out->push_back(from);
    return;
  }
  if (from.top < hole.top) {
    out->push_back(RECT{from.left, from.top, from.right, hole.top});
  }
  if (hole.bottom < from.bottom) {
    out->push_back(RECT{from.left, hole.bottom, from.right, from.bottom});
  }
  LONG top = std::max(from.top, hole.top);
  LONG bottom = std::min(from.bottom, hole.bottom);
  if (from.left < hole.left) {
    out->push_back(RECT{from.left, top, hole.left, bottom});
  }
  if (hole.right < from.right) {
    out->push_back(RECT{hole.right, top, from.right, bottom});
  }
}

}  // namespace

int Region::complexity() const {
  if (rects_.empty()) {
    return NULLREGION;
  }
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::bounds() const {
  RECT box{};
  for (const RECT& rect : rects_) {
    UnionRect(&box, &box, &rect);
  }
  return box;
}

bool Region::contains(POINT point) const {
  return std::any_of(rects_.begin(), rects_.end(), [&](const RECT& rect) { return PtInRect(&rect, point); });
}

bool Region::intersects(const RECT& rect) const {
  return std::any_of(rects_.begin(), rects_.end(), [&](const RECT& own) { return overlap(own, rect); });
}

void Region::unite(const RECT& rect) {
  if (IsRectEmpty(&rect)) {
    return;
  }
  subtract(rect);
  rects_.push_back(rect);
}

void Region::unite(const Region& other) {
  for (const RECT& rect : other.rects_) {
    unite(rect);
  }
}

void Region::subtract(const RECT& rect) {
  if (IsRectEmpty(&rect) || !intersects(rect)) {
    return;
  }
  std::vector<RECT> result;
  for (const RECT& own : rects_) {
    appendDifference(own, rect, &result);
  }
  rects_ = std::move(result);
}

void Region::subtract(const Region& other) {
  for (const RECT& rect : other.rects_) {
    subtract(rect);
  }
}

void Region::intersect(const RECT& rect) {
  std::vector<RECT> result;
  for (const RECT& own : rects_) {
    RECT common{};
    if (IntersectRect(&common, &own, &rect)) {
      result.push_back(common);
    }
  }
  rects_ = std::move(result);
}

void Region::intersect(const Region& other) {
  // Both sets are disjoint, so the pairwise overlaps are too.
  std::vector<RECT> result;
  for (const RECT& own : rects_) {
    for (const RECT& rect : other.rects_) {
      RECT common{};
      if (IntersectRect(&common, &own, &rect)) {
        result.push_back(common);
      }
    }
  }
  rects_ = std::move(result);
}

void Region::offset(int dx, int dy) {
  for (RECT& rect : rects_) {
    OffsetRect(&rect, dx, dy);
  }
}

bool Region::operator==(const Region& other) const {
  // Equal as pixel sets: neither leaves anything outside the other.
  Region left = *this;
  left.subtract(other);
  Region right = other;
  right.subtract(*this);
  return left.empty() && right.empty();
}

}  // namespace native
