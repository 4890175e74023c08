#include "native/user/exposure.h"

#include "native/gdi/areacopy.h"
#include "native/user/paintapi.h"
#include "native/user/painting.h"
#include "native/user/rects.h"
#include "native/user/visibleregion.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

constexpr UINT kEverything = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;

WindowTree& tree() {
  return WindowSystem::get().windows();
}

bool sameSize(const RECT& a, const RECT& b) {
  return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

// Marks `area` (top-level surface coordinates) of the window's client area for painting, with the children
// and frames it reaches.
void redrawClientArea(WindowRecord& window, Region area) {
  if (area.empty()) {
    return;
  }
  POINT origin = VisibleRegion::origin(tree(), window, false);
  area.offset(-origin.x, -origin.y);
  applyRedraw(window, area, kEverything);
}

}  // namespace

Exposure::Exposure(HWND handle) : handle_(handle) {
  const WindowRecord& window = *tree().find(handle);
  parent_ = window.parent;
  topLevel_ = tree().isTopLevel(window);
  wasVisible_ = tree().isVisible(window);
  oldRect_ = window.rect;
  if (!topLevel_) {
    shown_ = VisibleRegion::of(tree(), window, true, false);
  }
}

void Exposure::keepPixels(UINT flags) {
  const WindowRecord& window = *tree().find(handle_);
  if (topLevel_) {
    return;  // a top-level window's pixels stay in its own surface
  }
  nowShown_ = VisibleRegion::of(tree(), window, true, false);
  if (!sameSize(window.rect, oldRect_) || (flags & (SWP_FRAMECHANGED | SWP_NOREDRAW)) != 0) {
    return;
  }
  const int dx = window.rect.left - oldRect_.left;
  const int dy = window.rect.top - oldRect_.top;
  const bool moved = dx != 0 || dy != 0;
  const WindowRecord& topLevel = *tree().find(tree().topLevelOf(handle_));
  if ((moved && (flags & SWP_NOCOPYBITS) != 0) || topLevel.surface == nullptr) {
    return;
  }
  // Only pixels the surface holds, from a place it holds.
  const RECT& held = topLevel.surfaceArea;
  Region source(held);
  source.offset(dx, dy);
  kept_ = shown_;
  kept_.offset(dx, dy);
  kept_.intersect(nowShown_);
  kept_.intersect(held);
  kept_.intersect(source);
  if (!moved || kept_.empty()) {
    return;
  }
  Region onSurface = kept_;
  onSurface.offset(-held.left, -held.top);
  Surface& pixels = *topLevel.surface;
  copyArea(pixels, onSurface.rects(), onSurface.bounds(), pixels,
           Region(RECT{0, 0, pixels.width(), pixels.height()}), POINT{-dx, -dy});
  RECT screen = kept_.bounds();
  RECT corner = tree().screenRect(topLevel);
  OffsetRect(&screen, corner.left, corner.top);
  WindowSystem::get().compositor().damage(screen);
}

void Exposure::placed(UINT flags) {
  WindowSystem& system = WindowSystem::get();
  WindowRecord* window = tree().find(handle_);
  if (window == nullptr) {
    return;
  }
  const bool nowVisible = tree().isVisible(*window);
  const bool sized = !sameSize(window->rect, oldRect_);
  const bool reframed = (flags & SWP_FRAMECHANGED) != 0;
  const bool repaint = (flags & SWP_NOREDRAW) == 0;
  const bool whole = nowVisible && repaint && (sized || reframed || !wasVisible_);
  if (topLevel_) {
    const bool moved = oldRect_.left != window->rect.left || oldRect_.top != window->rect.top;
    if (!moved && !sized && (flags & SWP_NOZORDER) != 0 && !reframed && wasVisible_ == nowVisible) {
      return;
    }
    // Moving or restacking a top-level window only composes, unless it brings a part of the window onto
    // the desktop that its surface did not hold.
    const bool grown = system.compositor().fitSurface(*window);
    system.compositor().damage(oldRect_);
    system.compositor().damage(window->rect);
    if (whole || (nowVisible && repaint && grown)) {
      RedrawWindow(handle_, nullptr, nullptr, kEverything);
    }
    return;
  }
  if (!repaint) {
    return;
  }
  Region uncovered = shown_;
  uncovered.subtract(nowShown_);
  if (WindowRecord* parent = tree().find(parent_)) {
    redrawClientArea(*parent, uncovered);
  }
  if (whole) {
    RedrawWindow(handle_, nullptr, nullptr, kEverything);
    return;
  }
  // What came into view: the whole-window region less the kept pixels, taken to client coordinates.
  Region exposed = nowShown_;
  exposed.subtract(kept_);
  redrawClientArea(*window, exposed);
}

void Exposure::gone() {
  if (!wasVisible_) {
    return;
  }
  if (topLevel_) {
    WindowSystem::get().compositor().damage(oldRect_);
  } else if (WindowRecord* parent = tree().find(parent_)) {
    redrawClientArea(*parent, shown_);
  }
}

}  // namespace native
