#include "native/controls/listboxgeometry.h"

#include <algorithm>

namespace native {

int ListBoxGeometry::heightOf(int index) const {
  return variableHeights_ && items_.contains(index) ? items_.at(index)->height : itemHeight_;
}

RECT ListBoxGeometry::itemRect(int index) const {
  int y = 0;
  for (int i = top_; i < index; ++i) {
    y += heightOf(i);
  }
  for (int i = index; i < top_; ++i) {
    y -= heightOf(i);
  }
  return RECT{client_.left, y, client_.right, y + heightOf(index)};
}

int ListBoxGeometry::itemAt(POINT point) const {
  if (point.y < 0 || point.y >= client_.bottom) {
    return -1;
  }
  int y = 0;
  for (int i = top_; i < items_.count(); ++i) {
    y += heightOf(i);
    if (point.y < y) {
      return i;
    }
  }
  return -1;
}

int ListBoxGeometry::pageSize() const {
  int room = client_.bottom;
  int fitting = 0;
  for (int i = top_; i < items_.count() && room >= heightOf(i); ++i) {
    room -= heightOf(i);
    ++fitting;
  }
  if (items_.count() == 0 && itemHeight_ > 0) {
    fitting = room / itemHeight_;
  }
  return std::max(fitting, 1);
}

int ListBoxGeometry::lastTop() const {
  int room = client_.bottom;
  int top = items_.count();
  while (top > 0 && room >= heightOf(top - 1)) {
    room -= heightOf(top - 1);
    --top;
  }
  return std::min(top, std::max(items_.count() - 1, 0));
}

int ListBoxGeometry::topShowing(int index) const {
  if (!items_.contains(index) || index < top_) {
    return std::max(std::min(index, top_), 0);
  }
  // Down until the entry's bottom edge shows, but never past the entry itself.
  int top = top_;
  int y = 0;
  for (int i = top; i <= index; ++i) {
    y += heightOf(i);
  }
  while (y > client_.bottom && top < index) {
    y -= heightOf(top);
    ++top;
  }
  return top;
}

}  // namespace native
