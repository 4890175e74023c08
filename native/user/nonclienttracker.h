#pragma once
// The mouse drags that the frame handles itself: moving a window by its caption, sizing it by its frame,
// pressing a caption box (the command goes when the button is let go over the same box) and working a
// built-in scroll bar (arrows, page areas, the thumb); and Move and Size chosen from a system menu, done
// with the arrow keys. While a drag is on, it takes the mouse input before any window sees it, and the keys
// too while the arrow keys move or size a window.

#include "native/user/messagequeue.h"
#include "native/user/nativetypes.h"

namespace native {

class NonClientTracker {
 public:
  bool active() const { return mode_ != Mode::None; }

  void startMove(HWND window, POINT screen);
  // `edge` is the hit-test code of the frame part (HTLEFT ... HTBOTTOMRIGHT).
  void startSize(HWND window, LRESULT edge, POINT screen);
  // HTCLOSE, HTMINBUTTON or HTMAXBUTTON.
  void startBox(HWND window, LRESULT hit, POINT screen);
  // A press on a built-in scroll bar (HTHSCROLL or HTVSCROLL): arrows and page areas scroll at once, the
  // thumb starts a drag.
  void startScroll(HWND window, LRESULT hit, POINT screen);
  // Move or Size from a system menu: each arrow key moves the window, or for Size one border, kKeyStep
  // pixels. The first arrow of a direction picks the border it points to (left or right, top or bottom), and
  // arrows of that direction move that border from then on. Enter or a click keeps the place, Escape puts the
  // window back.
  void startKeys(HWND window, bool size);
  // Ends any drag without its final step (the window went away, or capture was taken).
  void cancel();

  // True when the input belonged to the drag.
  bool handle(const HostInput& input);

  // The caption box of the window shown pushed: the one the left button went down on while the pointer is
  // on it (HTCLOSE, HTMINBUTTON or HTMAXBUTTON), else 0.
  LRESULT pushedBox(HWND window) const;
  // The pointer's shape over a frame part, and while Size by keys moves that part: the sizing arrows of a
  // border or corner, the arrow anywhere else.
  static HCURSOR partCursor(LRESULT part);

  // While an arrow or a page area is held, its scroll code repeats: first after kRepeatDelayMs, then every
  // kRepeatPeriodMs, as long as the pointer stays on that part.
  static constexpr UINT kRepeatDelayMs = 400;
  static constexpr UINT kRepeatPeriodMs = 50;
  static constexpr int kKeyStep = 8;

 private:
  enum class Mode { None, Move, Size, Box, Scroll, Thumb, KeyMove, KeySize };

  void follow(POINT screen);
  void followKey(UINT key);
  void showBoxPushed(bool pushed);
  // Move and Size by keys show the four-way arrows until Size has picked a border, then that border's.
  void showKeyCursor() const;
  void place(const RECT& rect);
  void finish(POINT screen);
  void repeatScroll();
  void stopRepeating();
  static void onRepeatTimer(HWND, UINT, UINT_PTR, DWORD);

  Mode mode_ = Mode::None;
  HWND window_ = nullptr;
  LRESULT part_ = 0;  // the frame edge, the box, or the scroll bar (HTHSCROLL, HTVSCROLL)
  POINT start_{};
  RECT startRect_{};    // in the parent's client coordinates
  int grabOffset_ = 0;  // thumb drags: from the thumb's leading edge to the pointer
  int scrollCode_ = 0;  // arrow and page presses: the code that repeats
  UINT_PTR repeatTimer_ = 0;
  LRESULT sideEdge_ = 0;  // Size by keys: the border the left and right arrows move, once picked
  LRESULT endEdge_ = 0;   // and the one the up and down arrows move
  // Box presses: the pointer is on the box the button went down on.
  bool boxPushed_ = false;
};

}  // namespace native
