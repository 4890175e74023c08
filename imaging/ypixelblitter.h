#pragma once
// The pixel blitters of image drawing: a row of gray levels or 15-bit RGB pixels written down one column
// of a bitmap in one of the output formats. Output pixels are little-endian: 8 bits a gray level; 15 bits
// x-R5-G5-B5; 16 bits R5-G6-B5; 24 bits the bytes blue, green, red; 32 bits blue, green, red, 0.

#include <cstdint>

namespace YPixelBlitter {

// Bytes of one output pixel (0 for a depth that is none of 8, 15, 16, 24 and 32).
int32_t PixelBytes(int32_t depth);
// Bytes of a bitmap row of `width` pixels, padded to a multiple of `alignment` (1, 2 or 4).
int64_t RowBytes(int64_t width, int32_t depth, int32_t alignment);

// Writes value i at out + i * stride, for i from 0 to count - 1.
void GrayColumn(const uint8_t* levels, int32_t count, int32_t depth, uint8_t* out, int64_t stride);
void ColourColumn(const uint16_t* pixels, int32_t count, int32_t depth, uint8_t* out, int64_t stride);

}  // namespace YPixelBlitter
