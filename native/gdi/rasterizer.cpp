#include "native/gdi/rasterizer.h"

#include <algorithm>
#include <cstdlib>

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

Rasterizer::Rasterizer(Surface& surface, const Region& clip) : surface_(surface) {
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
  }
}

void Rasterizer::fillRect(const RECT& rect, const Paint& paint, int rop2) {
  for (const RECT& clip : clip_) {
    RECT part{};
    if (!IntersectRect(&part, &rect, &clip)) {
      continue;
    }
    for (int y = part.top; y < part.bottom; ++y) {
      Pixel* row = surface_.row(y);
      for (int x = part.left; x < part.right; ++x) {
        row[x] = mixPixel(rop2, row[x], paint.at(x, y));
      }
    }
  }
}

void Rasterizer::line(POINT from, POINT to, Pixel color, int rop2, LineStyle* style) {
  // Step along the major axis; the minor coordinate of step i is the nearest one to the true line, rounded
  // the same way everywhere so that a line is the same pixels however much of it is clipped. The end point
  // belongs to the next segment and is left out.
  long long dx = static_cast<long long>(to.x) - from.x;
  long long dy = static_cast<long long>(to.y) - from.y;
  bool xMajor = std::llabs(dx) >= std::llabs(dy);
  long long major = xMajor ? std::llabs(dx) : std::llabs(dy);
  long long minor = xMajor ? std::llabs(dy) : std::llabs(dx);
  int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  long long majorStart = xMajor ? from.x : from.y;
  long long minorStart = xMajor ? from.y : from.x;
  // Only the steps whose major coordinate lies on the clip bounds can show; the others are skipped, so a
  // line that runs far off the surface costs no more than one across it.
  long long low = xMajor ? bounds_.left : bounds_.top;
  long long high = (xMajor ? bounds_.right : bounds_.bottom) - 1;
  long long first = 0;
  long long last = major - 1;
  if (majorStep > 0) {
    first = std::max(first, low - majorStart);
    last = std::min(last, high - majorStart);
  } else {
    first = std::max(first, majorStart - high);
    last = std::min(last, majorStart - low);
  }
  int period = 0;
  int startPhase = 0;
  if (style != nullptr) {
    for (int run : style->runs) {
      period += run;
    }
    if (period > 0) {
      startPhase = style->phase;
      style->phase = static_cast<int>((startPhase + std::min(first, major)) % period);
    }
  }
  for (long long i = first; i <= last; ++i) {
    bool on = true;
    if (period > 0) {
      int position = style->phase;
      for (std::size_t run = 0; run < style->runs.size(); ++run) {
        if (position < style->runs[run]) {
          on = run % 2 == 0;
          break;
        }
        position -= style->runs[run];
      }
      style->phase = (style->phase + 1) % period;
    }
    long long along = majorStart + majorStep * i;
    long long across = minorStart + minorStep * ((2 * i * minor + major) / (2 * major));
    int x = static_cast<int>(xMajor ? along : across);
    int y = static_cast<int>(xMajor ? across : along);
    if (on) {
      plot(x, y, color, rop2);
    } else if (style->fillGaps) {
      plot(x, y, style->gapColor, rop2);
    }
  }
  if (period > 0) {
    // Clipped steps advance the pattern too, so the next segment carries on where this one ends.
    style->phase = static_cast<int>((startPhase + major) % period);
  }
}

void Rasterizer::fillCoverage(const std::uint8_t* coverage, int stride, const RECT& box, const Paint& paint,
                              int rop2, bool blend) {
  for (const RECT& clip : clip_) {
    RECT part{};
    if (!IntersectRect(&part, &box, &clip)) {
      continue;
    }
    for (int y = part.top; y < part.bottom; ++y) {
      const std::uint8_t* cover = coverage + static_cast<std::ptrdiff_t>(y - box.top) * stride - box.left;
      Pixel* row = surface_.row(y);
      for (int x = part.left; x < part.right; ++x) {
        unsigned weight = cover[x];
        if (blend && weight > 0 && weight < 255) {
          Pixel color = paint.at(x, y);
          Pixel mixed = 0;
          for (int shift = 0; shift <= 16; shift += 8) {
            unsigned over = (color >> shift) & 0xFF;
            unsigned under = (row[x] >> shift) & 0xFF;
            mixed |= ((over * weight + under * (255 - weight) + 127) / 255) << shift;
          }
          row[x] = mixed;
        } else if (weight >= 128) {
          row[x] = mixPixel(rop2, row[x], paint.at(x, y));
        }
      }
    }
  }
}

}  // namespace native
