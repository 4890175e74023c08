#include "native/host/compositor.h"

#include <algorithm>
#include <memory>

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

bool Compositor::fitSurface(WindowRecord& window) const {
  RECT whole{0, 0, desktop_.width(), desktop_.height()};
  RECT area{};
  if (IntersectRect(&area, &window.rect, &whole)) {
    OffsetRect(&area, -window.rect.left, -window.rect.top);
  }
  const RECT& held = window.surfaceArea;
  if (window.surface != nullptr && EqualRect(&area, &held)) {
    return false;
  }
  auto fitted = std::make_unique<Surface>(area.right - area.left, area.bottom - area.top, false);
  fitted->fill(pixelOf(GetSysColor(COLOR_WINDOW)));
  RECT kept{};
  if (window.surface != nullptr && IntersectRect(&kept, &area, &held)) {
    for (int y = kept.top; y < kept.bottom; ++y) {
      std::copy(window.surface->row(y - held.top) + (kept.left - held.left),
                window.surface->row(y - held.top) + (kept.right - held.left),
                fitted->row(y - area.top) + (kept.left - area.left));
    }
  }
  bool grown = !IsRectEmpty(&area) && !EqualRect(&kept, &area);
  window.surface = std::move(fitted);
  window.surfaceArea = area;
  return grown;
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
      // The part of the window its surface holds, on the screen.
      RECT held = window->surfaceArea;
      OffsetRect(&held, window->rect.left, window->rect.top);
      RECT part{};
      if (!IntersectRect(&part, &area, &held)) {
        continue;
      }
      Surface& source = *window->surface;
      for (int y = part.top; y < part.bottom; ++y) {
        std::copy_n(source.row(y - held.top) + (part.left - held.left), part.right - part.left,
                    desktop_.row(y) + part.left);
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
