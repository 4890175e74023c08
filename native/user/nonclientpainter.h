#pragma once
// Draws a window's frame from its non-client layout: the border, the caption with its title and boxes, the
// client edge and the built-in scroll bars. The whole look of the frame lives here: flat faces, one-pixel
// lines, and the system colours.

#include <string>

#include "native/gdi/gditypes.h"
#include "native/user/nativetypes.h"
#include "native/user/scrollbarstate.h"

namespace native {

class NonClientPainter {
 public:
  // Paints the frame of the window into its top-level surface (what WM_NCPAINT does by default).
  static void paint(HWND window);
  // Draws one scroll bar (arrows, track, thumb) in the rectangle; the SCROLLBAR control draws itself with
  // it too, so built-in bars and scroll bar controls look alike.
  static void paintScrollBar(HDC dc, const RECT& bar, bool vertical, const ScrollBarState& state);
  // One caption box with the glyph of its command: SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE or SC_RESTORE (the
  // menu bar shows a maximised document's boxes with it too); a pushed box is drawn sunk in.
  static void paintCaptionBox(HDC dc, const RECT& rect, WPARAM command, bool pushed);
  // The least client width of a window of these styles whose caption shows `title` whole; 0 without a
  // caption.
  static int clientWidthShowingTitle(DWORD style, DWORD exStyle, const std::u16string& title);
};

}  // namespace native
