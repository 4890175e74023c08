#include "native/host/compositor.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>

#include "native/user/metrics.h"
#include "native/user/rects.h"
#include "native/user/visibleregion.h"
#include "native/user/windowtree.h"

namespace native {

namespace {

// A damage list longer than this is folded into its bounding rectangle: composing a little more is cheaper
// than splitting rectangles without end.
constexpr std::size_t kMaxDamageRects = 32;

// Changed rows this close together are copied as one rectangle: a few more pixels cost the display less than
// another request. A row joins the rectangle above it only while what the join copies for nothing (the rows
// between them, and either widened to the other's span) comes to no more than that many rows of the row's
// own width, or to kRequestPixels for a narrow row: a wide change with a narrow one under it (a caption and
// a menu bar's entry) goes as two rectangles, not as one as wide as the first and as high as both.
constexpr int kJoinedRowGap = 8;
constexpr long long kRequestPixels = 256;

void addDamage(Region* region, const RECT& rect) {
  region->unite(rect);
  if (region->rects().size() > kMaxDamageRects) {
    *region = Region(region->bounds());
  }
}

// Gathers the changed spans of an area's rows, top to bottom, into rectangles of damage.
class ChangedRows {
 public:
  explicit ChangedRows(Region* damage) : damage_(damage) {}

  void add(int y, int left, int right) {
    if (open_ && !joins(y, left, right)) {
      finish();
    }
    if (!open_) {
      open_ = RECT{left, y, right, y + 1};
      return;
    }
    open_->left = std::min<LONG>(open_->left, left);
    open_->right = std::max<LONG>(open_->right, right);
    open_->bottom = y + 1;
  }

  void finish() {
    if (open_) {
      addDamage(damage_, *open_);
      open_.reset();
    }
  }

 private:
  bool joins(int y, int left, int right) const {
    const long long width = right - left;
    const long long joinedWidth = std::max<LONG>(open_->right, right) - std::min<LONG>(open_->left, left);
    const long long apart =
        static_cast<long long>(open_->right - open_->left) * (open_->bottom - open_->top) + width;
    const long long wasted = joinedWidth * (y + 1 - open_->top) - apart;
    return wasted <= std::max(kJoinedRowGap * width, kRequestPixels);
  }

  Region* damage_;
  std::optional<RECT> open_;
};

// A top-level window's share of an area being composed: the part it covers (screen coordinates), where its
// surface's corner lies on the screen, and the caret's pixels it carries.
struct Layer {
  const Surface* surface;
  RECT part;
  POINT corner;
  Region inverted;
};

void invertSpan(Pixel* pixels, int count) {
  for (int x = 0; x < count; ++x) {
    pixels[x] ^= kWhitePixel;
  }
}

}  // namespace

Compositor::Compositor(int width, int height) : desktop_(width, height, false) {
  pending_ = Region(RECT{0, 0, desktop_.width(), desktop_.height()});
}

void Compositor::resize(int width, int height) {
  desktop_.resize(width, height, pixelOf(GetSysColor(COLOR_BACKGROUND)));
  pending_ = Region(RECT{0, 0, desktop_.width(), desktop_.height()});
  composed_ = pending_;
}

void Compositor::damage(const RECT& screen) {
  RECT inside{};
  RECT whole{0, 0, desktop_.width(), desktop_.height()};
  if (IntersectRect(&inside, &screen, &whole)) {
    addDamage(&pending_, inside);
  }
}

void Compositor::resend(const RECT& screen) {
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

void Compositor::markCaret(const WindowTree& windows, const std::optional<CaretMark>& mark) {
  if (mark == caret_) {
    return;
  }
  auto damageCaret = [&] {
    const CaretArea area = caretArea(windows);
    for (const RECT& rect : area.pixels.rects()) {
      damage(rect);
    }
  };
  damageCaret();
  caret_ = mark;
  damageCaret();
}

Compositor::CaretArea Compositor::caretArea(const WindowTree& windows) const {
  const WindowRecord* owner = caret_ ? windows.find(caret_->owner) : nullptr;
  if (owner == nullptr) {
    return CaretArea{};
  }
  HWND topLevel = windows.topLevelOf(owner->handle);
  const RECT& top = windows.find(topLevel)->rect;
  // Both the owner's visible region and its client corner are given on its top-level window's surface.
  POINT origin = VisibleRegion::origin(windows, *owner, false);
  RECT mark = caret_->rect;
  OffsetRect(&mark, origin.x + top.left, origin.y + top.top);
  Region pixels = VisibleRegion::of(windows, *owner, false, true);
  pixels.offset(top.left, top.top);
  pixels.intersect(mark);
  return CaretArea{topLevel, std::move(pixels)};
}

void Compositor::compose(const WindowTree& windows) {
  if (pending_.empty()) {
    return;
  }
  CaretArea caret = caret_ ? caretArea(windows) : CaretArea{};
  for (const RECT& area : pending_.rects()) {
    composeArea(windows, area, caret);
  }
  pending_.clear();
}

void Compositor::composeArea(const WindowTree& windows, const RECT& area, const CaretArea& caret) {
  // The windows over the area, bottom first.
  std::vector<Layer> layers;
  const std::vector<HWND>& order = windows.desktop().children;
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
    Layer layer{window->surface.get(), part, POINT{held.left, held.top}, Region()};
    if (*handle == caret.topLevel) {
      layer.inverted = caret.pixels;
      layer.inverted.intersect(part);
    }
    layers.push_back(std::move(layer));
  }
  // Each row is composed aside and compared with what the desktop has: only the span that differs is
  // written and becomes damage.
  const Pixel background = pixelOf(GetSysColor(COLOR_BACKGROUND));
  const int width = area.right - area.left;
  row_.resize(static_cast<std::size_t>(width));
  ChangedRows changed(&composed_);
  for (int y = area.top; y < area.bottom; ++y) {
    std::fill(row_.begin(), row_.end(), background);
    for (const Layer& layer : layers) {
      if (y < layer.part.top || y >= layer.part.bottom) {
        continue;
      }
      std::copy_n(layer.surface->row(y - layer.corner.y) + (layer.part.left - layer.corner.x),
                  layer.part.right - layer.part.left, row_.data() + (layer.part.left - area.left));
      for (const RECT& mark : layer.inverted.rects()) {
        if (y >= mark.top && y < mark.bottom) {
          invertSpan(row_.data() + (mark.left - area.left), mark.right - mark.left);
        }
      }
    }
    Pixel* target = desktop_.row(y) + area.left;
    auto first = std::mismatch(row_.begin(), row_.end(), target).first;
    if (first == row_.end()) {
      continue;
    }
    auto last =
        std::mismatch(row_.rbegin(), row_.rend(), std::reverse_iterator<Pixel*>(target + width)).first;
    const auto from = static_cast<int>(first - row_.begin());
    const auto to = width - static_cast<int>(last - row_.rbegin());
    std::copy(row_.begin() + from, row_.begin() + to, target + from);
    changed.add(y, area.left + from, area.left + to);
  }
  changed.finish();
}

std::vector<RECT> Compositor::takeDamage() {
  std::vector<RECT> taken = composed_.rects();
  composed_.clear();
  return taken;
}

}  // namespace native
