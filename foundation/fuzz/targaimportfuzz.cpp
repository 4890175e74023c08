// Feeds arbitrary bytes to the Targa reader. The first byte picks the bitmap's own format; the rest is the
// file. Whatever is accepted must be a whole picture of the size its header gives; whatever is refused
// must be refused with the reader's codes and leave the bitmap as it was, without pixels.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/kbitmap.h"
#include "foundation/kmemorystream.h"
#include "foundation/kx.h"

namespace {

constexpr uint32_t kFormats[] = {0, 0x21, 0x22, 0x04, 0x28, 0x88, 0x10, 0x42};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  KBitmap bitmap(0, 0, kFormats[data[0] % std::size(kFormats)]);
  KMemoryStream stream(std::vector<uint8_t>(data + 1, data + size));
  try {
    bitmap.ImportTarga(stream);
  } catch (const KX& failure) {
    if (failure.Code() != kErrFileVersion && failure.Code() != kErrFileRead &&
        failure.Code() != kErrAllocate) {
      std::abort();
    }
    if (bitmap.Data() != nullptr) {
      std::abort();
    }
    return 0;
  }
  if (size < 1 + 18 || bitmap.Width() != (data[13] | (data[14] << 8)) ||
      bitmap.Height() != (data[15] | (data[16] << 8)) || bitmap.Row(bitmap.Height() - 1) == nullptr ||
      bitmap.BitsPerPixel() == 0) {
    std::abort();
  }
  // Touch every pixel so that the sanitizers see any row that was not fully given.
  uint32_t sum = 0;
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      uint8_t rgb[3];
      bitmap.GetPixel(x, y, rgb);
      sum += rgb[0] + rgb[1] + rgb[2];
    }
  }
  return sum == 0xFFFFFFFFu ? 1 : 0;
}
