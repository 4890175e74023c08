#include "native/gdi/canvas.h"

#include <algorithm>

#include <cairo.h>

#include "native/gdi/coveragemask.h"
#include "native/user/rects.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// Runs of the styled pens, in pixels: on, off, on, off...
std::vector<int> dashRuns(int style) {
  switch (style) {
    case PS_DASH:
      return {18, 6};
    case PS_DOT:
      return {3, 3};
    case PS_DASHDOT:
      return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

}  // namespace

bool Canvas::open(HDC dc) {
  gdi_ = &WindowSystem::get().gdi();
  if (!gdi_->target(dc, &target_)) {
    return false;
  }
  // A window's context reaches the screen through its window's surface, composed again when it is released;
  // the screen's context draws on the desktop itself and sends what it drew.
  bool screen = target_.dc->kind == DeviceContext::Kind::Screen;
  raster_.emplace(*target_.surface, target_.clip, screen ? &target_.dc->drawn : nullptr);
  return true;
}

Pixel Canvas::pixel(COLORREF color) const {
  return target_.surface->store(gdi_->resolveColor(*target_.dc, color));
}

std::optional<Paint> Canvas::brushPaint(const BrushData& brush) const {
  if (brush.style == BS_NULL) {
    return std::nullopt;
  }
  if (brush.style != BS_PATTERN) {
    return Paint::of(pixel(brush.color));
  }
  Paint paint;
  paint.patterned = true;
  paint.clearBit = pixel(target_.dc->state.textColor);
  paint.setBit = pixel(target_.dc->state.backgroundColor);
  paint.rows = brush.pattern;
  return paint;
}

void Canvas::stroke(const std::vector<POINT>& points, bool closed) {
  const PenData& pen = gdi_->pen(*target_.dc);
  if (pen.style == PS_NULL || points.empty()) {
    return;
  }
  const DcState& state = target_.dc->state;
  Pixel color = pixel(pen.color);
  int width = target_.dc->deviceLengthX(pen.width);
  if (width <= 1) {
    LineStyle style;
    style.runs = dashRuns(pen.style);
    style.fillGaps = state.backgroundMode == OPAQUE;
    style.gapColor = pixel(state.backgroundColor);
    raster_->polyline(points, closed, color, state.rop2, &style);
    return;
  }
  RECT box = pointBounds(points);
  InflateRect(&box, width, width);
  fillCoverage(box, Paint::of(color), state.rop2, [&](cairo_t* cairo) {
    cairo_set_line_width(cairo, width);
    cairo_set_line_cap(cairo, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cairo, points[0].x + 0.5, points[0].y + 0.5);
    for (std::size_t i = 1; i < points.size(); ++i) {
      cairo_line_to(cairo, points[i].x + 0.5, points[i].y + 0.5);
    }
    if (closed) {
      cairo_close_path(cairo);
    }
    cairo_stroke(cairo);
  });
}

void Canvas::fillCoverage(const RECT& box, const Paint& paint, int rop2,
                          const std::function<void(cairo_t*)>& drawPath) {
  RECT limit = raster_->clipBounds();
  RECT area{};
  if (!IntersectRect(&area, &box, &limit)) {
    return;
  }
  CoverageMask mask(area, false);
  drawPath(mask.cairo());
  raster_->fillCoverage(mask.coverage(), mask.stride(), area, paint, rop2, false);
}

}  // namespace native
