#include "native/gdi/areacopy.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "native/user/rects.h"

namespace native {

namespace {

// The destination rectangles that receive a pixel: the box, within the clip, where the source can be read.
// Both rectangle lists are disjoint, so the pieces are too.
std::vector<RECT> piecesToCopy(const std::vector<RECT>& clip, const RECT& box, const Surface& source,
                               const Region& readable, POINT shift) {
  const RECT sourceBounds{0, 0, source.width(), source.height()};
  std::vector<RECT> pieces;
  for (const RECT& readableRect : readable.rects()) {
    RECT reached{};
    if (!IntersectRect(&reached, &readableRect, &sourceBounds)) {
      continue;
    }
    OffsetRect(&reached, -shift.x, -shift.y);
    RECT inBox{};
    if (!IntersectRect(&inBox, &reached, &box)) {
      continue;
    }
    for (const RECT& clipRect : clip) {
      RECT piece{};
      if (IntersectRect(&piece, &inBox, &clipRect)) {
        pieces.push_back(piece);
      }
    }
  }
  return pieces;
}

// Mixes `count` source pixels into the destination run. The two runs may overlap within one row: the
// pixels are then taken in the direction that reads each source pixel before it is written, as memmove does.
template <typename Operation>
void combineRun(Pixel* destination, const Pixel* source, std::size_t count, Operation operation) {
  if (std::less<const Pixel*>()(source, destination)) {
    for (std::size_t i = count; i-- > 0;) {
      destination[i] = operation(source[i], destination[i]);
    }
  } else {
    for (std::size_t i = 0; i < count; ++i) {
      destination[i] = operation(source[i], destination[i]);
    }
  }
}

void mixRun(Pixel* destination, const Pixel* source, std::size_t count, AreaMix mix) {
  switch (mix) {
    case AreaMix::kCopy:
      std::memmove(destination, source, count * sizeof(Pixel));
      break;
    case AreaMix::kExclusiveOr:
      combineRun(destination, source, count, [](Pixel s, Pixel d) { return s ^ d; });
      break;
    case AreaMix::kAnd:
      combineRun(destination, source, count, [](Pixel s, Pixel d) { return s & d; });
      break;
  }
}

}  // namespace

void copyArea(Surface& destination, const std::vector<RECT>& clip, const RECT& box, const Surface& source,
              const Region& readable, POINT shift, AreaMix mix) {
  std::vector<RECT> pieces = piecesToCopy(clip, box, source, readable, shift);
  if (pieces.empty()) {
    return;
  }
  // Within one surface a row must be read before it is written. Rows are taken in the order that moves away
  // from the rows still to be read (top first when reading from below), and the runs of one row likewise
  // (left first when reading from the right); the run's own order handles the overlap within it.
  const bool rightToLeft = shift.x < 0;
  std::sort(pieces.begin(), pieces.end(), [rightToLeft](const RECT& a, const RECT& b) {
    return rightToLeft ? a.left > b.left : a.left < b.left;
  });
  int top = pieces.front().top;
  int bottom = pieces.front().bottom;
  for (const RECT& piece : pieces) {
    top = std::min(top, static_cast<int>(piece.top));
    bottom = std::max(bottom, static_cast<int>(piece.bottom));
  }
  const bool bottomUp = shift.y < 0;
  for (int step = 0; step < bottom - top; ++step) {
    const int y = bottomUp ? bottom - 1 - step : top + step;
    for (const RECT& piece : pieces) {
      if (y >= piece.top && y < piece.bottom) {
        mixRun(destination.row(y) + piece.left, source.row(y + shift.y) + piece.left + shift.x,
               static_cast<std::size_t>(piece.right - piece.left), mix);
      }
    }
  }
}

}  // namespace native
