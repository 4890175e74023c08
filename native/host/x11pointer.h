#pragma once
// The pointer shape over the desktop's X window: the shape the program last set (SetCursor) is the X
// window's cursor, a standard shape as the X server's cursor font draws it (made once and kept), a shape made
// from planes as those planes draw it (made when it is shown). Xlib stays in the source file: it takes the
// name CursorShape for a macro, so the source file calls the shape Shape.

#include <map>
#include <optional>

#include "native/user/cursortable.h"

struct _XDisplay;

namespace native {

class X11Pointer {
 public:
  using Shape = CursorShape;

  // `window` is the X window's id.
  X11Pointer(_XDisplay* display, unsigned long window) : display_(display), window_(window) {}
  ~X11Pointer();
  X11Pointer(const X11Pointer&) = delete;
  X11Pointer& operator=(const X11Pointer&) = delete;

  // Gives the window the shape, when it is not the one it shows; the X default for none.
  void show(const Shape* shape);

 private:
  void showStandard(WORD standardId);
  void showMade(const Shape& shape);
  void define(unsigned long cursor);

  _XDisplay* display_;
  unsigned long window_;
  // What the window shows: a standard shape's number, 0 for a made shape (a copy of it below), none for the
  // X default.
  std::optional<WORD> shownId_;
  Shape shownMade_;
  unsigned long made_ = 0;                  // the X cursor of the made shape shown, 0 for none
  std::map<WORD, unsigned long> standard_;  // the X cursors of the standard shapes by number
};

}  // namespace native
