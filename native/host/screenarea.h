#pragma once
// Where the desktop goes on an X screen when no size was asked for: the screen's work area (what the window
// manager leaves free of panels and docks), or without one the whole screen less room for the title bar a
// window manager puts above the window. Either way the whole desktop, its bottom edge and status bars
// included, is on screen.

#include <optional>

#include "native/user/nativetypes.h"

namespace native {

// The height left above the window for a window manager's title bar, in pixels.
inline constexpr int kTitleBarRoom = 32;

// The area the desktop's window takes on a screen of that size. A work area that does not overlap the
// screen is ignored; one that lies partly off it is cut to the screen.
RECT desktopAreaOnScreen(int screenWidth, int screenHeight, const std::optional<RECT>& workArea);

}  // namespace native
