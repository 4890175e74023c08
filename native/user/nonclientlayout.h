#pragma once
// Where the parts of a window's frame lie, worked out from its styles alone: the outer frame, the caption
// with its boxes, the client edge, the built-in scroll bars and the client area that remains. The client
// rectangle, the default hit test and the frame drawing all read this one layout.

#include "native/user/nativetypes.h"

namespace native {

struct NonClientLayout {
  // `window` may be in any coordinates; every rectangle comes out in the same ones. A menu bar of the given
  // height lies below the caption.
  static NonClientLayout compute(DWORD style, DWORD exStyle, const RECT& window, int menuBarHeight = 0);

  // The thickness of the outer frame on each side: thick (sizing) frame, dialog frame, thin border or none.
  static int frameThickness(DWORD style, DWORD exStyle);

  LRESULT hitTest(POINT point) const;

  RECT window{};
  RECT client{};
  RECT caption{};  // empty without WS_CAPTION
  RECT systemBox{};
  RECT minimizeBox{};
  RECT maximizeBox{};
  RECT closeBox{};
  RECT menuBar{};           // empty without a menu bar
  RECT verticalScroll{};    // empty without WS_VSCROLL
  RECT horizontalScroll{};  // empty without WS_HSCROLL
  int frame = 0;
  bool sizing = false;  // a thick frame whose edges resize
};

}  // namespace native
