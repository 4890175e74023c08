// Walks a view rectangle in the pieces an image renders it in. Each piece leaves the rectangle from the
// side it began on; the visitor gets the piece and what is left of the rectangle.
#ifndef IMAGING_UI_YZPIECEWALK_H
#define IMAGING_UI_YZPIECEWALK_H

#include <cstdint>
#include <optional>

#include "foundation/krect.h"
#include "imaging/ybitmappiece.h"
#include "imaging/yimage.h"

template <typename Visit>
void YZForEachPiece(YImage& image, const YImageView& view, KRect rect, uint32_t options, Visit visit) {
  while (rect.Area() > 0) {
    const std::optional<YBitmapPiece> piece = image.GetBitmap(rect, view, options);
    if (!piece) {
      return;
    }
    const KRect before = rect;
    if (piece->covered.left == rect.left) {
      rect.left = piece->covered.right + 1;
    } else {
      rect.right = piece->covered.left - 1;
    }
    visit(*piece, rect);
    // A piece beside the rectangle would come again and again.
    if (rect == before) {
      return;
    }
  }
}

#endif
