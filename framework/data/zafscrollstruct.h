// The five values of a scroll position, as scroll data keeps them and scroll events carry them.
#ifndef FRAMEWORK_DATA_ZAFSCROLLSTRUCT_H
#define FRAMEWORK_DATA_ZAFSCROLLSTRUCT_H

#include <cstdint>

struct ZafScrollStruct {
  int32_t current = 0;
  int32_t minimum = 0;
  int32_t maximum = 0;
  int32_t showing = 1;
  int32_t delta = 1;

  bool operator==(const ZafScrollStruct&) const = default;
};

// A current value held inside minimum..maximum: below the minimum it is the minimum, above the maximum the
// maximum; an empty range (minimum above maximum) holds only its minimum, whichever side the value came from.
constexpr int32_t ZafClampScroll(int64_t value, int32_t minimum, int32_t maximum) {
  if (value < minimum || minimum > maximum) {
    return minimum;
  }
  return value > maximum ? maximum : static_cast<int32_t>(value);
}

#endif
