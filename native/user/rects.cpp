#include "native/user/rects.h"

#include <algorithm>

namespace native {

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) {
    return FALSE;
  }
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(RECT* rect) {
  return SetRect(rect, 0, 0, 0, 0);
}

BOOL OffsetRect(RECT* rect, int dx, int dy) {
  if (rect == nullptr) {
    return FALSE;
  }
  return SetRect(rect, rect->left + dx, rect->top + dy, rect->right + dx, rect->bottom + dy);
}

BOOL InflateRect(RECT* rect, int dx, int dy) {
  if (rect == nullptr) {
    return FALSE;
  }
  return SetRect(rect, rect->left - dx, rect->top - dy, rect->right + dx, rect->bottom + dy);
}

BOOL PtInRect(const RECT* rect, POINT point) {
  return rect != nullptr && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
         point.y < rect->bottom;
}

BOOL IsRectEmpty(const RECT* rect) {
  return rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL EqualRect(const RECT* first, const RECT* second) {
  return first != nullptr && second != nullptr && first->left == second->left && first->top == second->top &&
         first->right == second->right && first->bottom == second->bottom;
}

BOOL IntersectRect(RECT* result, const RECT* first, const RECT* second) {
  if (result == nullptr || first == nullptr || second == nullptr) {
    return FALSE;
  }
  RECT overlap{std::max(first->left, second->left), std::max(first->top, second->top),
               std::min(first->right, second->right), std::min(first->bottom, second->bottom)};
  if (IsRectEmpty(&overlap)) {
    SetRectEmpty(result);
    return FALSE;
  }
  *result = overlap;
  return TRUE;
}

BOOL UnionRect(RECT* result, const RECT* first, const RECT* second) {
  if (result == nullptr || first == nullptr || second == nullptr) {
    return FALSE;
  }
  if (IsRectEmpty(first)) {
    *result = *second;
  } else if (IsRectEmpty(second)) {
    *result = *first;
  } else {
    *result = RECT{std::min(first->left, second->left), std::min(first->top, second->top),
                   std::max(first->right, second->right), std::max(first->bottom, second->bottom)};
  }
  if (IsRectEmpty(result)) {
    SetRectEmpty(result);
    return FALSE;
  }
  return TRUE;
}

RECT placedRect(int x, int y, int width, int height) {
  constexpr int kLimit = 1 << 24;
  x = std::clamp(x, -kLimit, kLimit);
  y = std::clamp(y, -kLimit, kLimit);
  width = std::clamp(width, 0, kLimit);
  height = std::clamp(height, 0, kLimit);
  return RECT{x, y, x + width, y + height};
}

}  // namespace native
