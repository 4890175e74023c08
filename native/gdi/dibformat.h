#pragma once
// Device-independent bitmaps: a BITMAPINFO header with its colour table, and rows of 1, 4, 8, 16, 24 or 32
// bits a pixel, each row padded to 32 bits, bottom-up for a positive height and top-down for a negative one.
// 16 bits are 15-bit colour only (BI_BITFIELDS with the masks 0x7C00, 0x3E0 and 0x1F, read from the three
// DWORDs after the basic header). The reader and the writer of the pixel rows live here side by side.

#include <cstddef>
#include <vector>

#include "native/gdi/gditypes.h"
#include "native/gdi/surface.h"

namespace native {

class DibFormat {
 public:
  // Checks the header and resolves the colour table (RGB entries, or indexes into `palette` with
  // DIB_PAL_COLORS). False for what cannot be read: a header too small, a size out of range, a bit count
  // other than 1, 4, 8, 16, 24 and 32, compression (bit fields other than 15-bit colour's for 16 bits, none
  // for the others), or a colour table larger than the bit count allows.
  bool read(const BITMAPINFO* info, UINT usage, const std::vector<PALETTEENTRY>& palette);

  int width() const { return width_; }
  int height() const { return height_; }
  int bitCount() const { return bitCount_; }
  bool topDown() const { return topDown_; }
  std::size_t stride() const { return stride_; }
  std::size_t imageSize() const { return stride_ * static_cast<std::size_t>(height_); }
  const std::vector<Pixel>& colors() const { return colors_; }

  // Describes a band of the image instead: the same format with only `rows` rows in memory.
  void setRows(int rows) { height_ = rows; }

  // The pixel at column x of image row y (0 the top row, whatever the order in memory).
  Pixel pixel(const BYTE* bits, int x, int y) const;
  // Stores a pixel of 1, 4, 8, 24 or 32 bits (the depths GetDIBits writes): the nearest colour-table entry
  // for 1, 4 and 8 bits.
  void setPixel(BYTE* bits, int x, int y, Pixel value) const;
  // The colour-table index nearest a pixel.
  int nearestIndex(Pixel value) const;

  static std::size_t strideFor(int width, int bitCount);
  // The header sizes there are: the basic header and its longer versions (the colour table follows the
  // header, so a size beyond these would place it anywhere).
  static bool headerSizeFits(DWORD size) {
    return size >= sizeof(BITMAPINFOHEADER) && size <= kMaxHeaderSize;
  }
  static constexpr DWORD kMaxHeaderSize = 124;

 private:
  const BYTE* rowOf(const BYTE* bits, int y) const;
  // The compression fits the bit count: 15-bit colour's masks for 16 bits, none for the others.
  static bool compressionFits(const BITMAPINFO* info);

  int width_ = 0;
  int height_ = 0;
  int bitCount_ = 0;
  bool topDown_ = false;
  std::size_t stride_ = 0;
  std::vector<Pixel> colors_;
};

}  // namespace native
