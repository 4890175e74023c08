#include "native/host/screenarea.h"

#include <algorithm>

namespace native {

RECT desktopAreaOnScreen(int screenWidth, int screenHeight, const std::optional<RECT>& workArea) {
  if (workArea) {
    RECT inside{std::max<LONG>(workArea->left, 0), std::max<LONG>(workArea->top, 0),
                std::min<LONG>(workArea->right, screenWidth), std::min<LONG>(workArea->bottom, screenHeight)};
    if (inside.right > inside.left && inside.bottom > inside.top) {
      return inside;
    }
  }
  return RECT{0, 0, screenWidth, std::max(screenHeight - kTitleBarRoom, 1)};
}

}  // namespace native
