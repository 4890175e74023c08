#pragma once
// The row resamplers of image drawing: a frame's pixels scaled along the frame to the rows of a view, and
// two frames blended into one. The 8-bit forms take gray levels; the 16-bit forms take 15-bit RGB pixels
// (red in bits 10-14, green 5-9, blue 0-4) and work channel by channel.

#include <cstdint>

namespace YRowResampler {

// dst[i] = src[p] for the rows first to first + count - 1 of a view whose zoom shows `numerator` rows per
// `denominator` pixels, p being the row's pixel rounded to the nearest and limited to 0 .. srcCount - 1. A
// source of no pixels gives zeros.
void Scale8(const uint8_t* src, int32_t srcCount, uint8_t* dst, int32_t first, int32_t count,
            int32_t numerator, int32_t denominator);
void Scale16(const uint16_t* src, int32_t srcCount, uint16_t* dst, int32_t first, int32_t count,
             int32_t numerator, int32_t denominator);

// dst[i] = a[i] + (b[i] - a[i]) * weight / scale, with 0 <= weight < scale (rounded towards a).
void Blend8(const uint8_t* a, const uint8_t* b, int32_t count, int32_t weight, int32_t scale, uint8_t* dst);
void Blend16(const uint16_t* a, const uint16_t* b, int32_t count, int32_t weight, int32_t scale,
             uint16_t* dst);

}  // namespace YRowResampler
