#include "imaging/ypixelblitter.h"

namespace {

struct Rgb {
  int32_t red;  // 0-255 each
  int32_t green;
  int32_t blue;
};

int32_t Expand5(int32_t channel) {
  return channel << 3 | channel >> 2;
}

void Put(const Rgb& c, int32_t depth, uint8_t* out) {
  int32_t word = 0;
  switch (depth) {
    case 8:
      // The level of a colour pixel, as gray: the mean of its channels.
      out[0] = static_cast<uint8_t>((c.red + c.green + c.blue) / 3);
      return;
    case 15:
      word = (c.red >> 3) << 10 | (c.green >> 3) << 5 | c.blue >> 3;
      break;
    case 16:
      word = (c.red >> 3) << 11 | (c.green >> 2) << 5 | c.blue >> 3;
      break;
    case 24:
    case 32:
      out[0] = static_cast<uint8_t>(c.blue);
      out[1] = static_cast<uint8_t>(c.green);
      out[2] = static_cast<uint8_t>(c.red);
      if (depth == 32) {
        out[3] = 0;
      }
      return;
    default:
      return;
  }
  out[0] = static_cast<uint8_t>(word);
  out[1] = static_cast<uint8_t>(word >> 8);
}

}  // namespace

int32_t YPixelBlitter::PixelBytes(int32_t depth) {
  switch (depth) {
    case 8:
      return 1;
    case 15:
    case 16:
      return 2;
    case 24:
      return 3;
    case 32:
      return 4;
    default:
      return 0;
  }
}

int64_t YPixelBlitter::RowBytes(int64_t width, int32_t depth, int32_t alignment) {
  const int64_t bytes = width * PixelBytes(depth);
  return alignment > 1 ? (bytes + alignment - 1) / alignment * alignment : bytes;
}

void YPixelBlitter::GrayColumn(const uint8_t* levels, int32_t count, int32_t depth, uint8_t* out,
                               int64_t stride) {
  for (int32_t i = 0; i < count; ++i, out += stride) {
    if (depth == 8) {
      *out = levels[i];
    } else {
      Put({levels[i], levels[i], levels[i]}, depth, out);
    }
  }
}

void YPixelBlitter::ColourColumn(const uint16_t* pixels, int32_t count, int32_t depth, uint8_t* out,
                                 int64_t stride) {
  for (int32_t i = 0; i < count; ++i, out += stride) {
    if (depth == 15) {
      out[0] = static_cast<uint8_t>(pixels[i]);
      out[1] = static_cast<uint8_t>(pixels[i] >> 8 & 0x7F);
    } else {
      Put({Expand5(pixels[i] >> 10 & 31), Expand5(pixels[i] >> 5 & 31), Expand5(pixels[i] & 31)}, depth, out);
    }
  }
}
