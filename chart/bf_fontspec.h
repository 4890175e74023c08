// What a chart text asks of a font: a face and size to be scaled to the chart ("described"), or one of the
// display's font indexes.
#ifndef CHART_BF_FONTSPEC_H
#define CHART_BF_FONTSPEC_H

#include <cstdint>

#include "chart/cf_2drect.h"
#include "chart/cf_string.h"

struct bf_FontSpec {
  cf_String face;
  int32_t size = 10;
  // -1 when face and size describe the font.
  int8_t fontIndex = -1;
  // 1: face and size are used; 0: the font index is.
  uint8_t described = 0;

  bf_FontSpec() = default;
  // A face sized to the rectangle's height.
  bf_FontSpec(const ZafIChar* faceText, const cf_2DRect& rect)
      : face(faceText), size(rect.Height()), fontIndex(-1), described(1) {}
  explicit bf_FontSpec(int8_t index) : fontIndex(index), described(0) {}
};

#endif
