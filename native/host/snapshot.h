#pragma once
// PNG pictures of the desktop as it is composed now, or of one window as its top-level surface holds it
// (other windows in front of it do not show).

#include <string>

#include "native/user/nativetypes.h"

namespace native {

// Composes what is waiting, then writes the whole desktop. FALSE when the file cannot be written.
BOOL SaveDesktopSnapshot(const std::string& path);
// The window's rectangle, frame included. FALSE for an unknown window or a file that cannot be written.
BOOL SaveWindowSnapshot(HWND window, const std::string& path);
// The desktop's pixel at a point, composed first; CLR_INVALID off the desktop.
COLORREF GetDesktopPixel(int x, int y);

}  // namespace native
