#include "imaging/yrowresampler.h"

#include <algorithm>

#include "imaging/yscale.h"

namespace {

template <typename Pixel>
void Scale(const Pixel* src, int32_t srcCount, Pixel* dst, int32_t first, int32_t count, int32_t numerator,
           int32_t denominator) {
  for (int32_t i = 0; i < count; ++i) {
    if (srcCount <= 0) {
      dst[i] = 0;
      continue;
    }
    const int64_t pixel = YScale::Nearest(int64_t{first} + i, denominator, numerator);
    dst[i] = src[std::clamp<int64_t>(pixel, 0, srcCount - 1)];
  }
}

int32_t Mix(int32_t a, int32_t b, int32_t weight, int32_t scale) {
  return static_cast<int32_t>(a + (int64_t{b} - a) * weight / scale);
}

}  // namespace

void YRowResampler::Scale8(const uint8_t* src, int32_t srcCount, uint8_t* dst, int32_t first, int32_t count,
                           int32_t numerator, int32_t denominator) {
  Scale(src, srcCount, dst, first, count, numerator, denominator);
}

void YRowResampler::Scale16(const uint16_t* src, int32_t srcCount, uint16_t* dst, int32_t first,
                            int32_t count, int32_t numerator, int32_t denominator) {
  Scale(src, srcCount, dst, first, count, numerator, denominator);
}

void YRowResampler::Blend8(const uint8_t* a, const uint8_t* b, int32_t count, int32_t weight, int32_t scale,
                           uint8_t* dst) {
  for (int32_t i = 0; i < count; ++i) {
    dst[i] = static_cast<uint8_t>(Mix(a[i], b[i], weight, scale));
  }
}

void YRowResampler::Blend16(const uint16_t* a, const uint16_t* b, int32_t count, int32_t weight,
                            int32_t scale, uint16_t* dst) {
  for (int32_t i = 0; i < count; ++i) {
    int32_t mixed = 0;
    for (int32_t shift : {10, 5, 0}) {
      mixed |= Mix(a[i] >> shift & 31, b[i] >> shift & 31, weight, scale) << shift;
    }
    dst[i] = static_cast<uint16_t>(mixed);
  }
}
