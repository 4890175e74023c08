#include "native/gdi/drawapi.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

#include <cairo.h>

#include "native/gdi/canvas.h"
#include "native/gdi/objectapi.h"
#include "native/user/rects.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// At most this many points per call: a caller's count is never trusted to allocate without bound.
constexpr int kMaxPoints = 1 << 22;

std::vector<POINT> targetPoints(const Canvas& canvas, const POINT* points, int count) {
  std::vector<POINT> mapped;
  mapped.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    mapped.push_back(canvas.toTarget(points[i]));
  }
  return mapped;
}

RECT normalized(int left, int top, int right, int bottom) {
  return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

// The ellipse through the centres of the box's edge pixels, in target coordinates.
struct EllipseBox {
  double cx;
  double cy;
  double rx;
  double ry;

  explicit EllipseBox(const RECT& box)
      : cx((box.left + box.right) / 2.0),
        cy((box.top + box.bottom) / 2.0),
        rx(std::max(0.5, (box.right - box.left) / 2.0 - 0.5)),
        ry(std::max(0.5, (box.bottom - box.top) / 2.0 - 0.5)) {}

  double angleOf(POINT point) const { return std::atan2((point.y - cy) / ry, (point.x - cx) / rx); }

  // Anticlockwise on the screen is the negative direction with y pointing down.
  void arc(cairo_t* cairo, double from, double to) const {
    cairo_save(cairo);
    cairo_translate(cairo, cx, cy);
    cairo_scale(cairo, rx, ry);
    if (to >= from) {
      to -= 2 * std::numbers::pi;
    }
    cairo_arc_negative(cairo, 0, 0, 1, from, to);
    cairo_restore(cairo);
  }
  void full(cairo_t* cairo) const {
    cairo_save(cairo);
    cairo_translate(cairo, cx, cy);
    cairo_scale(cairo, rx, ry);
    cairo_arc(cairo, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(cairo);
    cairo_restore(cairo);
  }
};

// Fills then outlines a shape made by `path` (target coordinates) within `box`.
void paintShape(Canvas& canvas, const RECT& box, bool fill, const std::function<void(cairo_t*)>& path) {
  const DcState& state = canvas.dc().state;
  RECT area = box;
  InflateRect(&area, 1, 1);
  if (fill) {
    if (auto paint = canvas.brushPaint()) {
      canvas.fillCoverage(area, *paint, state.rop2, [&](cairo_t* cairo) {
        path(cairo);
        cairo_set_fill_rule(cairo, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_fill(cairo);
      });
    }
  }
  if (!canvas.hasPen()) {
    return;
  }
  const PenData& pen = canvas.gdi().pen(canvas.dc());
  int width = std::max(1, canvas.dc().deviceLengthX(pen.width));
  InflateRect(&area, width, width);
  canvas.fillCoverage(area, Paint::of(canvas.pixel(pen.color)), state.rop2, [&](cairo_t* cairo) {
    path(cairo);
    cairo_set_line_width(cairo, width);
    cairo_stroke(cairo);
  });
}

HBRUSH brushFor(HBRUSH brush) {
  // Small values name a system colour plus one.
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value > 0 && value <= 64) {
    return GetSysColorBrush(static_cast<int>(value) - 1);
  }
  return brush;
}

}  // namespace

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
  DeviceContext* context = WindowSystem::get().gdi().dc(dc);
  if (context == nullptr) {
    return FALSE;
  }
  if (previous != nullptr) {
    *previous = context->state.position;
  }
  context->state.position = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  Canvas canvas;
  if (!canvas.open(dc)) {
    return FALSE;
  }
  POINT from = canvas.dc().state.position;
  canvas.stroke({canvas.toTarget(from), canvas.toTarget(POINT{x, y})}, false);
  canvas.dc().state.position = POINT{x, y};
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  Canvas canvas;
  if (points == nullptr || count < 2 || count > kMaxPoints || !canvas.open(dc)) {
    return FALSE;
  }
  canvas.stroke(targetPoints(canvas, points, count), false);
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  Canvas canvas;
  if (points == nullptr || count < 2 || count > kMaxPoints || !canvas.open(dc)) {
    return FALSE;
  }
  std::vector<POINT> mapped = targetPoints(canvas, points, count);
  RECT box{mapped[0].x, mapped[0].y, mapped[0].x + 1, mapped[0].y + 1};
  for (const POINT& point : mapped) {
    RECT one{point.x, point.y, point.x + 1, point.y + 1};
    UnionRect(&box, &box, &one);
  }
  if (auto paint = canvas.brushPaint()) {
    canvas.fillCoverage(box, *paint, canvas.dc().state.rop2, [&](cairo_t* cairo) {
      for (const POINT& point : mapped) {
        cairo_line_to(cairo, point.x + 0.5, point.y + 0.5);
      }
      cairo_close_path(cairo);
      cairo_set_fill_rule(cairo, CAIRO_FILL_RULE_EVEN_ODD);
      cairo_fill(cairo);
    });
  }
  canvas.stroke(mapped, true);
  return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  Canvas canvas;
  if (!canvas.open(dc)) {
    return FALSE;
  }
  RECT box = canvas.toTarget(normalized(left, top, right, bottom));
  if (IsRectEmpty(&box)) {
    return TRUE;
  }
  const DcState& state = canvas.dc().state;
  const PenData& pen = canvas.gdi().pen(canvas.dc());
  bool outlined = pen.style != PS_NULL;
  int width = outlined ? std::max(1, canvas.dc().deviceLengthX(pen.width)) : 0;
  if (auto paint = canvas.brushPaint()) {
    RECT inside = box;
    if (outlined) {
      InflateRect(&inside, -width, -width);
    } else {
      --inside.right;
      --inside.bottom;
    }
    if (!IsRectEmpty(&inside)) {
      canvas.raster().fillRect(inside, *paint, state.rop2);
    }
  }
  if (outlined) {
    Paint paint = Paint::of(canvas.pixel(pen.color));
    int across = std::min<int>(width, (box.bottom - box.top + 1) / 2);
    int down = std::min<int>(width, (box.right - box.left + 1) / 2);
    // Four bands that never overlap, so a XOR outline stays exact.
    canvas.raster().fillRect(RECT{box.left, box.top, box.right, box.top + across}, paint, state.rop2);
    canvas.raster().fillRect(RECT{box.left, box.bottom - across, box.right, box.bottom}, paint, state.rop2);
    canvas.raster().fillRect(RECT{box.left, box.top + across, box.left + down, box.bottom - across}, paint,
                             state.rop2);
    canvas.raster().fillRect(RECT{box.right - down, box.top + across, box.right, box.bottom - across}, paint,
                             state.rop2);
  }
  return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  Canvas canvas;
  if (!canvas.open(dc)) {
    return FALSE;
  }
  RECT box = canvas.toTarget(normalized(left, top, right, bottom));
  EllipseBox shape(box);
  paintShape(canvas, box, true, [&](cairo_t* cairo) { shape.full(cairo); });
  return TRUE;
}

namespace {

BOOL drawArc(HDC dc, RECT logical, POINT start, POINT end, bool pie) {
  Canvas canvas;
  if (!canvas.open(dc)) {
    return FALSE;
  }
  RECT box = canvas.toTarget(logical);
  EllipseBox shape(box);
  double from = shape.angleOf(canvas.toTarget(start));
  double to = shape.angleOf(canvas.toTarget(end));
  paintShape(canvas, box, pie, [&](cairo_t* cairo) {
    shape.arc(cairo, from, to);
    if (pie) {
      cairo_line_to(cairo, shape.cx, shape.cy);
      cairo_close_path(cairo);
    }
  });
  return TRUE;
}

}  // namespace

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  return drawArc(dc, normalized(left, top, right, bottom), POINT{xStart, yStart}, POINT{xEnd, yEnd}, false);
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  return drawArc(dc, normalized(left, top, right, bottom), POINT{xStart, yStart}, POINT{xEnd, yEnd}, true);
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  Canvas canvas;
  const GdiObject* object = WindowSystem::get().gdi().object(brushFor(brush), OBJ_BRUSH);
  if (rect == nullptr || object == nullptr || !canvas.open(dc)) {
    return 0;
  }
  if (auto paint = canvas.brushPaint(object->brush)) {
    canvas.raster().fillRect(canvas.toTarget(*rect), *paint, R2_COPYPEN);
  }
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  Canvas canvas;
  const GdiObject* object = WindowSystem::get().gdi().object(brushFor(brush), OBJ_BRUSH);
  if (rect == nullptr || object == nullptr || !canvas.open(dc)) {
    return 0;
  }
  RECT box = canvas.toTarget(*rect);
  auto paint = canvas.brushPaint(object->brush);
  if (!paint || IsRectEmpty(&box)) {
    return 1;
  }
  Rasterizer& raster = canvas.raster();
  raster.fillRect(RECT{box.left, box.top, box.right, box.top + 1}, *paint, R2_COPYPEN);
  raster.fillRect(RECT{box.left, box.bottom - 1, box.right, box.bottom}, *paint, R2_COPYPEN);
  raster.fillRect(RECT{box.left, box.top + 1, box.left + 1, box.bottom - 1}, *paint, R2_COPYPEN);
  raster.fillRect(RECT{box.right - 1, box.top + 1, box.right, box.bottom - 1}, *paint, R2_COPYPEN);
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
  Canvas canvas;
  if (rect == nullptr || !canvas.open(dc)) {
    return FALSE;
  }
  canvas.raster().fillRect(canvas.toTarget(*rect), Paint::of(kBlackPixel), R2_NOT);
  return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  Canvas canvas;
  if (!canvas.open(dc)) {
    return FALSE;
  }
  RECT box = canvas.toTarget(normalized(x, y, x + width, y + height));
  Paint pattern = canvas.brushPaint().value_or(Paint::of(kBlackPixel));
  // A solid brush copied, and black, fill whole rows with one colour.
  std::optional<Pixel> fill;
  if (rop == PATCOPY && !pattern.patterned) {
    fill = pattern.solid;
  } else if (rop == BLACKNESS) {
    fill = kBlackPixel;
  }
  Surface& surface = canvas.surface();
  canvas.raster().drawParts(box, [&](const RECT& part) {
    for (int row = part.top; row < part.bottom; ++row) {
      Pixel* pixels = surface.row(row);
      if (fill) {
        std::fill(pixels + part.left, pixels + part.right, *fill);
        continue;
      }
      for (int column = part.left; column < part.right; ++column) {
        pixels[column] = ropPixel(rop, pattern.at(column, row), 0, pixels[column]);
      }
    }
  });
  return TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  Canvas canvas;
  if (rect == nullptr || !canvas.open(dc)) {
    return FALSE;
  }
  RECT box = canvas.toTarget(*rect);
  if (IsRectEmpty(&box)) {
    return TRUE;
  }
  // Every edge pixel once (corners included only once), every other one by its position.
  auto toggle = [&](int x, int y) {
    if (((x + y) & 1) == 0) {
      canvas.raster().plot(x, y, kWhitePixel, R2_XORPEN);
    }
  };
  for (int x = box.left; x < box.right; ++x) {
    toggle(x, box.top);
    if (box.bottom - 1 > box.top) {
      toggle(x, box.bottom - 1);
    }
  }
  for (int y = box.top + 1; y < box.bottom - 1; ++y) {
    toggle(box.left, y);
    if (box.right - 1 > box.left) {
      toggle(box.right - 1, y);
    }
  }
  return TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  Canvas canvas;
  if (!canvas.open(dc)) {
    return static_cast<COLORREF>(-1);
  }
  POINT point = canvas.toTarget(POINT{x, y});
  if (!canvas.raster().visible(point.x, point.y)) {
    return static_cast<COLORREF>(-1);
  }
  Pixel value = canvas.pixel(color);
  canvas.raster().plot(point.x, point.y, value, R2_COPYPEN);
  return colorOf(value);
}

COLORREF GetPixel(HDC dc, int x, int y) {
  Canvas canvas;
  if (!canvas.open(dc)) {
    return CLR_INVALID;
  }
  POINT point = canvas.toTarget(POINT{x, y});
  if (!canvas.raster().visible(point.x, point.y)) {
    return CLR_INVALID;
  }
  return colorOf(canvas.surface().pixel(point.x, point.y));
}

}  // namespace native
