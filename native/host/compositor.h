#pragma once
// Puts the desktop's pixels together: the desktop colour, then every visible top-level window's backing
// surface from the bottom of the z-order up, with the caret's pixels inverted over its owner. Only damaged
// areas are composed again, and of those only the pixels that came out different form the damage list a
// host copies to a display: a window painted again as it was costs the display nothing.

#include <optional>
#include <string>
#include <vector>

#include "native/gdi/region.h"
#include "native/gdi/surface.h"
#include "native/user/caret.h"

namespace native {

class WindowTree;
struct WindowRecord;

class Compositor {
 public:
  Compositor(int width, int height);

  // The desktop's pixels as last composed; a screen device context draws here directly.
  Surface& desktopSurface() { return desktop_; }
  // The desktop changed size: everything is composed and copied again.
  void resize(int width, int height);
  // Screen coordinates that need composing again.
  void damage(const RECT& screen);
  // Screen coordinates a host has to copy again though nothing there needs composing: drawn straight onto
  // the desktop (a screen device context), or lost on the display.
  void resend(const RECT& screen);
  // Gives a top-level window a backing surface for the part of it on the desktop, keeping the pixels that
  // part already had: no window costs more than the desktop, however large it is made. Answers whether the
  // surface now holds part of the window it did not hold before, which then needs painting.
  bool fitSurface(WindowRecord& window) const;
  // Where the caret is drawn from now on (none: nowhere); the old and the new place are composed again.
  void markCaret(const WindowTree& windows, const std::optional<CaretMark>& mark);
  // Composes the damaged areas.
  void compose(const WindowTree& windows);
  // The areas whose pixels changed or were to be sent again since the last call (screen coordinates), for a
  // host to copy out.
  std::vector<RECT> takeDamage();

 private:
  // The caret's pixels on the screen, cut to what of its owner shows, and the owner's top-level window.
  struct CaretArea {
    HWND topLevel = nullptr;
    Region pixels;
  };
  CaretArea caretArea(const WindowTree& windows) const;
  void composeArea(const WindowTree& windows, const RECT& area, const CaretArea& caret);

  Surface desktop_;
  Region pending_;
  Region composed_;
  std::optional<CaretMark> caret_;
  std::vector<Pixel> row_;  // one row of an area as it is composed, before it is compared with the desktop
};

}  // namespace native
