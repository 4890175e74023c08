#pragma once
// The "SCROLLBAR" control: a free-standing scroll bar (SBS_HORZ or SBS_VERT) that reports the user's
// requests to its parent as WM_HSCROLL or WM_VSCROLL with itself as lParam. It never moves its own thumb for
// line and page requests: the owner sets the new position. It keeps its range, page and position like a
// built-in bar (SetScrollInfo with SB_CTL reaches it through the SBM_* messages) and draws like one.

#include "native/controls/controlwindow.h"
#include "native/controls/pressrepeater.h"
#include "native/user/scrollbarapi.h"
#include "native/user/scrollbarlayout.h"
#include "native/user/scrollbarstate.h"

namespace native {

class ScrollBarControl : public ControlWindow {
 public:
  explicit ScrollBarControl(HWND window) : ControlWindow(window), repeater_(window) {}

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool vertical() const;
  ScrollBarLayout layout() const;
  LRESULT handleScrollMessage(UINT message, WPARAM wParam, LPARAM lParam);
  int setInfo(const SCROLLINFO& info, bool redraw);

  void press(POINT point);
  void follow(POINT point);
  void release();
  void cancel();
  void repeat();
  void keyDown(UINT key);
  void report(WORD code, int position = 0) const;
  void paint(HDC dc) override;

  ScrollBarState state_;
  PressRepeater repeater_;
  int heldPart_ = -1;   // the SB_* code of the part pressed, -1 when nothing is held
  int grabOffset_ = 0;  // thumb drags: from the thumb's leading edge to the pointer
};

}  // namespace native
