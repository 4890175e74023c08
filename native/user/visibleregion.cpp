#include "native/user/visibleregion.h"

#include "native/user/rects.h"
#include "native/user/windowtree.h"

namespace native {

namespace {

// A rectangle of the window's parent's client coordinates, moved onto the top-level surface.
RECT onSurface(const WindowTree& windows, const WindowRecord& window, RECT rect) {
  const WindowRecord& topLevel = *windows.find(windows.topLevelOf(window.handle));
  POINT parentOrigin = windows.parentClientOrigin(window);
  RECT top = windows.screenRect(topLevel);
  OffsetRect(&rect, parentOrigin.x - top.left, parentOrigin.y - top.top);
  return rect;
}

// Takes away the visible siblings above `window`.
void clipSiblingsAbove(const WindowTree& windows, const WindowRecord& window, Region* region) {
  const WindowRecord* parent = windows.find(window.parent);
  if (parent == nullptr || windows.isTopLevel(window)) {
    return;  // top-level windows each have a surface of their own
  }
  for (HWND handle : parent->children) {
    if (handle == window.handle) {
      break;
    }
    const WindowRecord* sibling = windows.find(handle);
    if (sibling->hasVisibleFlag()) {
      region->subtract(onSurface(windows, *sibling, sibling->rect));
    }
  }
}

}  // namespace

POINT VisibleRegion::origin(const WindowTree& windows, const WindowRecord& window, bool wholeWindow) {
  RECT rect = onSurface(windows, window, wholeWindow ? window.rect : window.clientRect);
  return POINT{rect.left, rect.top};
}

Region VisibleRegion::of(const WindowTree& windows, const WindowRecord& window, bool wholeWindow,
                         bool clipChildren) {
  if (!windows.isVisible(window)) {
    return Region();
  }
  Region region(onSurface(windows, window, wholeWindow ? window.rect : window.clientRect));
  for (const WindowRecord* current = &window; !windows.isTopLevel(*current);
       current = windows.find(current->parent)) {
    const WindowRecord& parent = *windows.find(current->parent);
    region.intersect(onSurface(windows, parent, parent.clientRect));
    if ((current->style & WS_CLIPSIBLINGS) != 0) {
      clipSiblingsAbove(windows, *current, &region);
    }
  }
  if (clipChildren) {
    for (HWND handle : window.children) {
      const WindowRecord* child = windows.find(handle);
      if (child->hasVisibleFlag()) {
        region.subtract(onSurface(windows, *child, child->rect));
      }
    }
  }
  return region;
}

}  // namespace native
