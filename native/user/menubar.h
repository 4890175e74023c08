#pragma once
// A frame's menu bar: whether the frame has one and how tall it is, where its entries lie on the screen, and
// drawing it into the frame.

#include <vector>

#include "native/gdi/gditypes.h"
#include "native/user/nativetypes.h"

namespace native {

struct WindowRecord;

class MenuBar {
 public:
  // The bar's height in the window's frame with the window placed at `rect` (any coordinates): its rows for
  // that width, 0 for child windows and windows without a menu.
  static int heightOf(const WindowRecord& window, const RECT& rect);
  // The bar and its entries in screen coordinates; empty when the window has no bar.
  static RECT screenRect(HWND window);
  static std::vector<RECT> screenEntries(HWND window);
  // Draws the bar of the window into `bar` (window coordinates of `dc`), the open entry highlighted.
  static void paint(HDC dc, const WindowRecord& window, const RECT& bar);
};

}  // namespace native
