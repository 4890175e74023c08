#pragma once
// Pictures of a part of the headless desktop, compared pixel by pixel.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "native/native.h"

// How many pixels of two pictures of one rectangle differ; the pixels one has beyond the other's count too.
inline int32_t DifferingPixels(const std::vector<native::COLORREF>& one,
                               const std::vector<native::COLORREF>& other) {
  const std::size_t common = std::min(one.size(), other.size());
  int32_t differing = static_cast<int32_t>(std::max(one.size(), other.size()) - common);
  for (std::size_t i = 0; i < common; ++i) {
    differing += one[i] != other[i] ? 1 : 0;
  }
  return differing;
}
