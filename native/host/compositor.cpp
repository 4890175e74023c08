#include "native/host/compositor.h"

#include <algorithm>

#include "native/user/metrics.h"
#include "native/user/rects.h"
#include "native/user/windowtree.h"

namespace native {

namespace {

// A damage list longer than this is folded into its bounding rectangle: composing a little more is cheaper
// than splitting rectangles without end.
constexpr std::size_t kMaxDamageRects = 32;

void addDamage(Region* region, const RECT& rect) {
  region->unite(rect);
  if (region->rects().size() > kMaxDamageRects) {
    *region = Region(region->bounds());
  }
}

}  // namespace

Compositor::Compositor(int width, int height) : desktop_(width, height, false) {
  pending_ = Region(RECT{0, 0, desktop_.width(), desktop_.height()});
}

void Compositor::resize(int width, int height) {
  desktop_.resize(width, height, pixelOf(GetSysColor(COLOR_BACKGROUND)));
  pending_ = Region(RECT{0, 0, desktop_.width(), desktop_.height()});
  composed_.clear();
}

void Compositor::damage(const RECT& screen) {
  RECT inside{};
  RECT whole{0, 0, desktop_.width(), desktop_.height()};
  if (IntersectRect(&inside, &screen, &whole)) {
    addDamage(&pending_, inside);
  }
}

void Compositor::drawnDirectly(const RECT& screen) {
  addDamage(&composed_, screen);
}

void Compositor::compose(const WindowTree& windows) {
  if (pending_.empty()) {
    return;
  }
  Pixel background = pixelOf(GetSysColor(COLOR_BACKGROUND));
  const std::vector<HWND>& order = windows.desktop().children;
  for (const RECT& area : pending_.rects()) {
    for (int y = area.top; y < area.bottom; ++y) {
      std::fill(desktop_.row(y) + area.left, desktop_.row(y) + area.right, background);
    }
    for (auto handle = order.rbegin(); handle != order.rend(); ++handle) {
      const WindowRecord* window = windows.find(*handle);
      if (window == nullptr || !window->hasVisibleFlag() || window->surface == nullptr) {
        continue;
      }
      RECT part{};
      if (!IntersectRect(&part, &area, &window->rect)) {
        continue;
      }
      Surface& source = *window->surface;
      for (int y = part.top; y < part.bottom; ++y) {
        int sourceY = y - window->rect.top;
        if (sourceY >= source.height()) {
          break;
        }
        int sourceLeft = part.left - window->rect.left;
        int count = std::min<int>(part.right - part.left, source.width() - sourceLeft);
        if (count > 0) {
          std::copy_n(source.row(sourceY) + sourceLeft, count, desktop_.row(y) + part.left);
        }
      }
    }
    addDamage(&composed_, area);
  }
  pending_.clear();
}

std::vector<RECT> Compositor::takeDamage() {
  std::vector<RECT> taken = composed_.rects();
  composed_.clear();
  return taken;
}

}  // namespace native
