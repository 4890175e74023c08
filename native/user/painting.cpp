#include "native/user/painting.h"

#include "native/user/messageapi.h"
#include "native/user/messagequeue.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/paintapi.h"
#include "native/user/rects.h"
#include "native/user/visibleregion.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

WindowTree& tree() {
  return WindowSystem::get().windows();
}

// An update region split into more rectangles than this is folded into its bounds: painting a little more
// costs less than keeping many pieces.
constexpr std::size_t kMaxUpdateRects = 16;

bool childrenTakePart(const WindowRecord& window, UINT flags) {
  if ((flags & RDW_ALLCHILDREN) != 0) {
    return true;
  }
  return (flags & RDW_NOCHILDREN) == 0 && (window.style & WS_CLIPCHILDREN) == 0;
}

// The part of the window's frame that `area` (client coordinates) takes in.
Region frameReached(const WindowRecord& window, const Region& area) {
  Region frame(wholeWindowArea(window));
  frame.subtract(clientArea(window));
  frame.intersect(area);
  return frame;
}

}  // namespace

void applyRedraw(WindowRecord& window, const Region& area, UINT flags) {
  Region inside = area;
  inside.intersect(clientArea(window));
  if ((flags & RDW_INVALIDATE) != 0) {
    paintMayBeDue();
    window.update.unite(inside);
    if (window.update.rects().size() > kMaxUpdateRects) {
      window.update = Region(window.update.bounds());
    }
    if ((flags & RDW_ERASE) != 0 && !inside.empty()) {
      window.eraseBackground = true;
    }
    if ((flags & RDW_FRAME) != 0) {
      window.frameUpdate.unite(frameReached(window, area));
      if (window.frameUpdate.rects().size() > kMaxUpdateRects) {
        window.frameUpdate = Region(window.frameUpdate.bounds());
      }
    }
  }
  if ((flags & RDW_VALIDATE) != 0) {
    window.update.subtract(area);
    if ((flags & RDW_NOERASE) != 0) {
      window.eraseBackground = false;
    }
    if ((flags & RDW_NOFRAME) != 0) {
      window.frameDirty = false;
      window.frameUpdate.clear();
    }
  }
  if (childrenTakePart(window, flags)) {
    applyRedrawToChildren(window, area, flags);
  }
}

void applyRedrawToChildren(WindowRecord& window, const Region& area, UINT flags) {
  for (HWND handle : window.children) {
    WindowRecord* child = tree().find(handle);
    if (!child->hasVisibleFlag() || !area.intersects(child->rect)) {
      continue;
    }
    Region childArea = area;
    childArea.intersect(child->rect);
    childArea.offset(-child->clientRect.left, -child->clientRect.top);
    // Children take the whole request down with them, frames included where the area reaches them.
    applyRedraw(*child, childArea, flags | RDW_ALLCHILDREN);
  }
}

namespace {

bool acceptsPaint(const MessageFilter& filter, HWND handle) {
  return filter.matches(MSG{handle, WM_PAINT, 0, 0, 0, POINT{}});
}

// Depth first, parents before children; front windows first. `waiting` is set when a shown window has
// something to paint, whether the filter accepts its paint or not.
HWND findPainting(const MessageFilter& filter, const std::vector<HWND>& windows, bool& waiting) {
  for (HWND handle : std::vector<HWND>(windows)) {
    WindowRecord* window = tree().find(handle);
    if (window == nullptr || !window->hasVisibleFlag() || !window->redraw) {
      continue;
    }
    if ((window->frameDirty || !window->frameUpdate.empty()) && window->update.empty()) {
      paintFrameIfDirty(handle);
      if ((window = tree().find(handle)) == nullptr) {
        continue;
      }
    }
    if (!window->update.empty()) {
      waiting = true;
      if (acceptsPaint(filter, handle)) {
        return handle;
      }
    }
    if (HWND found = findPainting(filter, window->children, waiting)) {
      return found;
    }
  }
  return nullptr;
}

}  // namespace

RECT clientArea(const WindowRecord& window) {
  return RECT{0, 0, window.clientRect.right - window.clientRect.left,
              window.clientRect.bottom - window.clientRect.top};
}

RECT wholeWindowArea(const WindowRecord& window) {
  RECT whole = window.rect;
  OffsetRect(&whole, -window.clientRect.left, -window.clientRect.top);
  return whole;
}

bool nextPaintMessage(const MessageFilter& filter, MSG* out) {
  WindowSystem& system = WindowSystem::get();
  if (!system.paintMayWait) {
    return false;
  }
  // A frame painted on the way may give windows update regions again, which sets the flag anew.
  system.paintMayWait = false;
  bool waiting = false;
  HWND handle = findPainting(filter, system.windows().desktop().children, waiting);
  system.paintMayWait = system.paintMayWait || waiting;
  if (handle == nullptr) {
    return false;
  }
  *out = MSG{
      handle, WM_PAINT, 0, 0, static_cast<DWORD>(system.clock().nowMs()), system.desktop().cursorPosition()};
  return true;
}

void frameChanged(HWND handle) {
  if (WindowRecord* window = tree().find(handle)) {
    window->frameDirty = true;
    paintMayBeDue();
  }
}

void paintMayBeDue() {
  WindowSystem::get().paintMayWait = true;
}

void paintFrameIfDirty(HWND handle) {
  WindowRecord* window = tree().find(handle);
  if (window == nullptr || (!window->frameDirty && window->frameUpdate.empty())) {
    return;
  }
  const bool whole = window->frameDirty;
  Region part = window->frameUpdate;
  window->frameDirty = false;
  window->frameUpdate.clear();
  if (!tree().isVisible(*window)) {
    return;
  }
  Region frame = VisibleRegion::of(tree(), *window, true, false);
  frame.subtract(VisibleRegion::of(tree(), *window, false, false));
  if (!whole) {
    const POINT origin = VisibleRegion::origin(tree(), *window, false);
    part.offset(origin.x, origin.y);
    frame.intersect(part);
    window->framePainting = frame;
  }
  WindowSystem::get().tallyPaint(frame);
  SendMessage(handle, WM_NCPAINT, 1, 0);
  if ((window = tree().find(handle)) != nullptr) {
    window->framePainting.reset();
  }
}

}  // namespace native
