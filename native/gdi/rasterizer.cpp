#include "native/gdi/rasterizer.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "native/gdi/gditypes.h"
#include "native/user/rects.h"

namespace native {

Pixel mixPixel(int rop2, Pixel destination, Pixel pen) {
  switch (rop2) {
    case R2_XORPEN:
      return destination ^ pen;
    case R2_NOT:
      return ~destination & 0xFFFFFF;
    case R2_BLACK:
      return kBlackPixel;
    case R2_WHITE:
      return kWhitePixel;
    case R2_NOP:
      return destination;
    default:
      return pen;
  }
}

namespace {

// `over` weighted by `weight` (0-255) over `under`, channel by channel, rounded.
Pixel blendPixel(Pixel over, Pixel under, unsigned weight) {
  Pixel mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    unsigned top = (over >> shift) & 0xFF;
    unsigned bottom = (under >> shift) & 0xFF;
    mixed |= ((top * weight + bottom * (255 - weight) + 127) / 255) << shift;
  }
  return mixed;
}

}  // namespace

Pixel ropPixel(DWORD rop, Pixel pattern, Pixel source, Pixel destination) {
  // Each bit of the ternary code gives the result for one combination of pattern (4), source (2) and
  // destination (1) bits; the result is the union of the combinations that are set.
  unsigned code = (rop >> 16) & 0xFF;
  Pixel result = 0;
  for (unsigned term = 0; term < 8; ++term) {
    if ((code & (1u << term)) == 0) {
      continue;
    }
    Pixel p = (term & 4) != 0 ? pattern : ~pattern;
    Pixel s = (term & 2) != 0 ? source : ~source;
    Pixel d = (term & 1) != 0 ? destination : ~destination;
    result |= p & s & d;
  }
  return result & 0xFFFFFF;
}

namespace {

// n / d rounded down and up, for d > 0.
long long floorDiv(__int128 n, long long d) {
  __int128 q = n / d;
  return static_cast<long long>(n % d < 0 ? q - 1 : q);
}
long long ceilDiv(__int128 n, long long d) {
  return -floorDiv(-n, d);
}

// The pixels of a one-pixel line from `from` towards `to`, `to` left out: step i (0 <= i < major) lies i
// pixels along the major axis and across(i) = floor((2 i minor + major) / (2 major)) pixels along the other,
// the nearest whole coordinate to the true line, rounded the same way everywhere so that a line is the same
// pixels however much of it is clipped.
struct LineSteps {
  bool xMajor;
  long long major;
  long long minor;
  int majorStep;
  int minorStep;
  long long majorStart;
  long long minorStart;

  LineSteps(POINT from, POINT to) {
    long long dx = static_cast<long long>(to.x) - from.x;
    long long dy = static_cast<long long>(to.y) - from.y;
    xMajor = std::llabs(dx) >= std::llabs(dy);
    major = xMajor ? std::llabs(dx) : std::llabs(dy);
    minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    majorStart = xMajor ? from.x : from.y;
    minorStart = xMajor ? from.y : from.x;
  }

  // across(i), and the error term: how far step i lies past it, in units of 1 / (2 major).
  std::pair<long long, long long> acrossAt(long long i) const {
    if (i == 0) {
      return {0, major};  // a line that starts inside its clip needs no division
    }
    __int128 scaled = static_cast<__int128>(2 * i) * minor + major;
    return {static_cast<long long>(scaled / (2 * major)), static_cast<long long>(scaled % (2 * major))};
  }

  // The steps that land inside `rect`, [first, last]; first > last when none does. Both coordinates move one
  // way only, so these are consecutive.
  std::pair<long long, long long> inside(const RECT& rect) const {
    long long first = 0;
    long long last = major - 1;
    clampToRange(xMajor ? rect.left : rect.top, (xMajor ? rect.right : rect.bottom) - 1, majorStart,
                 majorStep, &first, &last);
    long long low = xMajor ? rect.top : rect.left;
    long long high = (xMajor ? rect.bottom : rect.right) - 1;
    long long end = minorStart + minorStep * minor;
    if (first <= last && (std::min(minorStart, end) < low || std::max(minorStart, end) > high)) {
      // The line leaves the rectangle across: keep the steps whose across(i) lies between a and b.
      long long a = 0;
      long long b = minor;
      clampToRange(low, high, minorStart, minorStep, &a, &b);
      if (a > b) {
        return {1, 0};
      }
      // across(i) >= a from i = ceil(major (2a - 1) / (2 minor)) on; across(i) <= b while i is below
      // major (2b + 1) / (2 minor).
      if (minor > 0) {
        first = std::max(first, ceilDiv(static_cast<__int128>(major) * (2 * a - 1), 2 * minor));
        last = std::min(last, ceilDiv(static_cast<__int128>(major) * (2 * b + 1), 2 * minor) - 1);
      }
    }
    return {first, last};
  }

 private:
  // Narrows [*first, *last] to the counts n for which start + step * n lies in [low, high].
  static void clampToRange(long long low, long long high, long long start, int step, long long* first,
                           long long* last) {
    if (step > 0) {
      *first = std::max(*first, low - start);
      *last = std::min(*last, high - start);
    } else {
      *first = std::max(*first, start - high);
      *last = std::min(*last, start - low);
    }
  }
};

// Puts every step of the line that the clip lets through: put(pixel, step).
template <typename Put>
void walkLine(Surface& surface, const std::vector<RECT>& clip, const LineSteps& steps, Put put) {
  // Each clip rectangle holds one run of consecutive steps, and the rectangles do not overlap, so no pixel
  // is mixed twice.
  Pixel* pixels = surface.row(0);
  std::ptrdiff_t width = surface.width();
  std::ptrdiff_t alongStride = steps.xMajor ? steps.majorStep : steps.majorStep * width;
  std::ptrdiff_t acrossStride = steps.xMajor ? steps.minorStep * width : steps.minorStep;
  for (const RECT& rect : clip) {
    auto [first, last] = steps.inside(rect);
    if (first > last) {
      continue;
    }
    auto [across, error] = steps.acrossAt(first);
    long long along = steps.majorStart + steps.majorStep * first;
    long long minorAt = steps.minorStart + steps.minorStep * across;
    std::ptrdiff_t at = steps.xMajor ? minorAt * width + along : along * width + minorAt;
    for (long long i = first; i <= last; ++i) {
      put(pixels[at], i);
      at += alongStride;
      error += 2 * steps.minor;
      if (error >= 2 * steps.major) {
        error -= 2 * steps.major;
        at += acrossStride;
      }
    }
  }
}

}  // namespace

RECT pointBounds(const std::vector<POINT>& points) {
  RECT box{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const POINT& point : points) {
    box = RECT{std::min(box.left, point.x), std::min(box.top, point.y), std::max(box.right, point.x),
               std::max(box.bottom, point.y)};
  }
  return box;
}

Rasterizer::Rasterizer(Surface& surface, const Region& clip, RECT* drawn) : surface_(surface), drawn_(drawn) {
  Region inside = clip;
  inside.intersect(RECT{0, 0, surface.width(), surface.height()});
  clip_ = inside.rects();
  bounds_ = inside.bounds();
}

bool Rasterizer::visible(int x, int y) const {
  if (x < bounds_.left || x >= bounds_.right || y < bounds_.top || y >= bounds_.bottom) {
    return false;
  }
  return clip_.size() == 1 || std::any_of(clip_.begin(), clip_.end(), [&](const RECT& rect) {
           return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
         });
}

void Rasterizer::plot(int x, int y, Pixel color, int rop2) {
  if (visible(x, y)) {
    surface_.setPixel(x, y, mixPixel(rop2, surface_.pixel(x, y), color));
    markDrawn(RECT{x, y, x + 1, y + 1});
  }
}

void Rasterizer::fillRect(const RECT& rect, const Paint& paint, int rop2) {
  drawParts(rect, [&](const RECT& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      Pixel* row = surface_.row(y);
      if (!paint.patterned && rop2 == R2_COPYPEN) {
        std::fill(row + part.left, row + part.right, paint.solid);
        continue;
      }
      for (int x = part.left; x < part.right; ++x) {
        row[x] = mixPixel(rop2, row[x], paint.at(x, y));
      }
    }
  });
}

void Rasterizer::polyline(const std::vector<POINT>& points, bool closed, Pixel color, int rop2,
                          LineStyle* style) {
  if (points.size() < 2) {
    return;
  }
  for (std::size_t i = 1; i < points.size(); ++i) {
    line(points[i - 1], points[i], color, rop2, style);
  }
  if (closed) {
    line(points.back(), points.front(), color, rop2, style);
  }
  if (drawn_ == nullptr) {
    return;
  }
  // The points' box within the clip's bounds, once for all the lines; one past its right and bottom in 64
  // bits, as a point may lie anywhere.
  const RECT box = pointBounds(points);
  auto within = [](long long value, LONG low, LONG high) {
    return static_cast<LONG>(std::clamp<long long>(value, low, high));
  };
  markDrawn(RECT{within(box.left, bounds_.left, bounds_.right), within(box.top, bounds_.top, bounds_.bottom),
                 within(box.right + 1LL, bounds_.left, bounds_.right),
                 within(box.bottom + 1LL, bounds_.top, bounds_.bottom)});
}

void Rasterizer::line(POINT from, POINT to, Pixel color, int rop2, LineStyle* style) {
  LineSteps steps(from, to);
  int period = 0;
  if (style != nullptr) {
    for (int run : style->runs) {
      period += run;
    }
  }
  if (period == 0) {
    if (rop2 == R2_COPYPEN) {
      walkLine(surface_, clip_, steps, [color](Pixel& pixel, long long) { pixel = color; });
    } else {
      walkLine(surface_, clip_, steps,
               [color, rop2](Pixel& pixel, long long) { pixel = mixPixel(rop2, pixel, color); });
    }
    return;
  }
  // Step i lies at (phase + i) in the pattern; clipped steps advance it too, so the next segment carries on
  // where this one ends.
  long long startPhase = style->phase;
  walkLine(surface_, clip_, steps, [&](Pixel& pixel, long long i) {
    long long position = (startPhase + i) % period;
    std::size_t run = 0;
    while (position >= style->runs[run]) {
      position -= style->runs[run++];
    }
    if (run % 2 == 0) {
      pixel = mixPixel(rop2, pixel, color);
    } else if (style->fillGaps) {
      pixel = mixPixel(rop2, pixel, style->gapColor);
    }
  });
  style->phase = static_cast<int>((startPhase + steps.major) % period);
}

void Rasterizer::fillCoverage(const std::uint8_t* coverage, int stride, const RECT& box, const Paint& paint,
                              int rop2, bool blend) {
  drawParts(box, [&](const RECT& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      const std::uint8_t* cover = coverage + static_cast<std::ptrdiff_t>(y - box.top) * stride - box.left;
      Pixel* row = surface_.row(y);
      for (int x = part.left; x < part.right; ++x) {
        unsigned weight = cover[x];
        // Text leaves most of its box uncovered.
        if (weight == 0) {
          continue;
        }
        if (blend && weight < 255) {
          row[x] = blendPixel(paint.at(x, y), row[x], weight);
        } else if (weight >= 128) {
          row[x] = mixPixel(rop2, row[x], paint.at(x, y));
        }
      }
    }
  });
}

}  // namespace native
