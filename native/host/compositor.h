#pragma once
// Puts the desktop's pixels together: the desktop colour, then every visible top-level window's backing
// surface from the bottom of the z-order up. Only damaged areas are composed again; the areas composed since
// a host last asked form the damage list it copies to a display.

#include <string>
#include <vector>

#include "native/gdi/region.h"
#include "native/gdi/surface.h"

namespace native {

class WindowTree;
struct WindowRecord;

class Compositor {
 public:
  Compositor(int width, int height);

  // The desktop's pixels as last composed; a screen device context draws here directly.
  Surface& desktopSurface() { return desktop_; }
  // The desktop changed size: everything is composed again.
  void resize(int width, int height);
  // Screen coordinates that need composing again.
  void damage(const RECT& screen);
  // Screen coordinates drawn straight onto the desktop (a screen device context): nothing to compose, but a
  // host has to copy them.
  void drawnDirectly(const RECT& screen);
  // Gives a top-level window a backing surface for the part of it on the desktop, keeping the pixels that
  // part already had: no window costs more than the desktop, however large it is made. Answers whether the
  // surface now holds part of the window it did not hold before, which then needs painting.
  bool fitSurface(WindowRecord& window) const;
  // Composes the damaged areas.
  void compose(const WindowTree& windows);
  // The areas composed since the last call (screen coordinates), for a host to copy out.
  std::vector<RECT> takeDamage();

 private:
  Surface desktop_;
  Region pending_;
  Region composed_;
};

}  // namespace native
