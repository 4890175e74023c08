#pragma once
// Draws a window's frame from its non-client layout: the border, the caption with its title and boxes, the
// client edge and the built-in scroll bars. The whole look of the frame lives here: flat faces, one-pixel
// lines, and the system colours.

#include "native/user/nativetypes.h"

namespace native {

class NonClientPainter {
 public:
  // Paints the frame of the window into its top-level surface (what WM_NCPAINT does by default).
  static void paint(HWND window);
};

}  // namespace native
