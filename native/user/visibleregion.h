#pragma once
// Which pixels of its top-level window's backing surface a window may draw on. Coordinates are those of the
// surface: (0, 0) is the top-level window's top-left corner.

#include "native/gdi/region.h"
#include "native/user/nativetypes.h"

namespace native {

class WindowTree;
struct WindowRecord;

struct VisibleRegion {
  // The window's client area (or whole window), less what lies outside its ancestors' client areas, less
  // the siblings above it where a window on the way has WS_CLIPSIBLINGS, less its visible children when
  // `clipChildren`. Empty for a window that is not visible.
  static Region of(const WindowTree& windows, const WindowRecord& window, bool wholeWindow,
                   bool clipChildren);
  // Where the window's client (or window) corner lies on the surface.
  static POINT origin(const WindowTree& windows, const WindowRecord& window, bool wholeWindow);
};

}  // namespace native
