// The font record on the drawing context's font stack: a display font index (0xFF for none, which leaves
// the display's font as it is) or a described face and size.
#ifndef CHART_BF_FONT_H
#define CHART_BF_FONT_H

#include <cstdint>

#include "chart/bf_fontspec.h"
#include "chart/cf_string.h"

struct bf_Font {
  static constexpr uint8_t kNoIndex = 0xFF;

  uint8_t fontIndex = kNoIndex;
  int32_t size = 10;
  cf_String face;
  uint8_t described = 0;

  bf_Font() = default;
  explicit bf_Font(uint8_t index) : fontIndex(index) {}
  // A described font gives no index; any other gives its display font index.
  explicit bf_Font(const bf_FontSpec& spec)
      : fontIndex(spec.described ? kNoIndex : static_cast<uint8_t>(spec.fontIndex)),
        size(spec.described ? spec.size : 10),
        face(spec.described ? spec.face : cf_String()),
        described(spec.described ? 1 : 0) {}
};

#endif
