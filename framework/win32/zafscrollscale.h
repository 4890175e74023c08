// The 16-bit positions of a native scroll bar or slider for 32-bit scroll data: the data's range is divided
// by a scale (data units per native unit) until it fits, and native positions start at -32767.
#ifndef FRAMEWORK_WIN32_ZAFSCROLLSCALE_H
#define FRAMEWORK_WIN32_ZAFSCROLLSCALE_H

#include <cstdint>

#include "framework/data/zafscrollstruct.h"

// The lowest native position.
inline constexpr int32_t ZAF_NATIVE_SCROLL_LOW = -32767;

struct ZafNativeScroll {
  int32_t scale;
  // The highest native position, the position of the current value and the page, each as 16 bits hold it.
  int16_t top;
  int16_t position;
  int16_t page;
};

// The data's range and current value in native units (32-bit differences wrap, as the native words do).
ZafNativeScroll ZafScaleScroll(const ZafScrollStruct& scroll);
// The value a native position stands for, counted from the minimum, or from the maximum downwards;
// clamped into minimum..maximum.
int32_t ZafScrollValueAt(const ZafScrollStruct& scroll, int32_t scale, int32_t position, bool fromMaximum);

#endif
