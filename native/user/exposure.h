#pragma once
// What a change of a window's place, size, order or visibility, or its destruction, uncovers and brings into
// view. Taken before the change, an Exposure knows which pixels the window showed; after it, the pixels that
// stay in view move with the window, what it uncovered is drawn again by its parent and siblings (frames
// included), and what came into view is drawn again by the window. Nothing else is painted.

#include "native/gdi/region.h"
#include "native/user/nativetypes.h"

namespace native {

class Exposure {
 public:
  explicit Exposure(HWND window);

  // After SetWindowPos set the window's new rectangle, order and visibility, before any message: the pixels
  // that stay in view are moved along with the window (unless SWP_NOCOPYBITS or SWP_NOREDRAW).
  void keepPixels(UINT flags);
  // Once the window's client area is known again: marks what was uncovered and what came into view for
  // painting. A top-level window is composed again instead, and painted when its surface grew, it was shown,
  // changed size or its frame changed.
  void placed(UINT flags);
  // After the window was destroyed: what it showed is drawn again by what it covered.
  void gone();

 private:
  HWND handle_;
  HWND parent_;
  bool topLevel_ = false;
  bool wasVisible_ = false;
  RECT oldRect_{};   // parent coordinates
  Region shown_;     // the whole window as it showed before, on its top-level surface
  Region nowShown_;  // the same after the change
  Region kept_;      // the part of nowShown_ that holds its pixels from before
};

}  // namespace native
