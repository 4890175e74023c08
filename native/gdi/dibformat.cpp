#include "native/gdi/dibformat.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace native {

std::size_t DibFormat::strideFor(int width, int bitCount) {
  return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

bool DibFormat::compressionFits(const BITMAPINFO* info) {
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biBitCount != 16) {
    return header.biCompression == BI_RGB;
  }
  if (header.biCompression != BI_BITFIELDS) {
    return false;
  }
  static constexpr DWORD kMasks15[3] = {0x7C00, 0x03E0, 0x001F};  // red, green, blue
  DWORD masks[3]{};
  std::memcpy(masks, reinterpret_cast<const BYTE*>(info) + sizeof(BITMAPINFOHEADER), sizeof masks);
  return std::equal(std::begin(masks), std::end(masks), std::begin(kMasks15));
}

bool DibFormat::read(const BITMAPINFO* info, UINT usage, const std::vector<PALETTEENTRY>& palette) {
  if (info == nullptr) {
    return false;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  int bits = header.biBitCount;
  if (!headerSizeFits(header.biSize) || header.biWidth <= 0 || header.biHeight == 0 ||
      header.biHeight == INT32_MIN || header.biWidth > Surface::kMaxSide ||
      std::abs(header.biHeight) > Surface::kMaxSide ||
      static_cast<long long>(header.biWidth) * std::abs(header.biHeight) > Surface::kMaxBitmapPixels ||
      header.biPlanes != 1 ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) ||
      !compressionFits(info)) {
    return false;
  }
  width_ = header.biWidth;
  height_ = std::abs(header.biHeight);
  topDown_ = header.biHeight < 0;
  bitCount_ = bits;
  stride_ = strideFor(width_, bits);
  colors_.clear();
  if (bits > 8) {
    return true;
  }
  std::size_t most = std::size_t{1} << bits;
  std::size_t count = header.biClrUsed == 0 ? most : header.biClrUsed;
  if (count > most) {
    return false;
  }
  // The table follows the header, whatever the header's own size.
  const BYTE* table = reinterpret_cast<const BYTE*>(info) + header.biSize;
  for (std::size_t i = 0; i < count; ++i) {
    if (usage == DIB_PAL_COLORS) {
      WORD index = 0;
      std::memcpy(&index, table + i * sizeof(WORD), sizeof index);
      PALETTEENTRY entry = index < palette.size() ? palette[index] : PALETTEENTRY{0, 0, 0, 0};
      colors_.push_back(pixelOf(RGB(entry.peRed, entry.peGreen, entry.peBlue)));
    } else {
      RGBQUAD quad{};
      std::memcpy(&quad, table + i * sizeof(RGBQUAD), sizeof quad);
      colors_.push_back(pixelOf(RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue)));
    }
  }
  // Indexes past a short table read as black.
  colors_.resize(most, kBlackPixel);
  return true;
}

const BYTE* DibFormat::rowOf(const BYTE* bits, int y) const {
  int stored = topDown_ ? y : height_ - 1 - y;
  return bits + static_cast<std::size_t>(stored) * stride_;
}

Pixel DibFormat::pixel(const BYTE* bits, int x, int y) const {
  const BYTE* row = rowOf(bits, y);
  switch (bitCount_) {
    case 1:
      return colors_[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4:
      return colors_[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
    case 8:
      return colors_[row[x]];
    case 16: {
      // A little-endian word 0RRRRRGGGGGBBBBB; five bits widen to eight by repeating their top bits.
      const BYTE* at = row + static_cast<std::size_t>(x) * 2;
      unsigned word = at[0] | (at[1] << 8);
      auto widen = [](unsigned five) { return static_cast<Pixel>((five << 3) | (five >> 2)); };
      return (widen((word >> 10) & 0x1F) << 16) | (widen((word >> 5) & 0x1F) << 8) | widen(word & 0x1F);
    }
    case 24: {
      const BYTE* at = row + static_cast<std::size_t>(x) * 3;  // blue, green, red
      return (static_cast<Pixel>(at[2]) << 16) | (static_cast<Pixel>(at[1]) << 8) | at[0];
    }
    default: {
      const BYTE* at = row + static_cast<std::size_t>(x) * 4;  // blue, green, red, unused
      return (static_cast<Pixel>(at[2]) << 16) | (static_cast<Pixel>(at[1]) << 8) | at[0];
    }
  }
}

int DibFormat::nearestIndex(Pixel value) const {
  int best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < colors_.size(); ++i) {
    long distance = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      long delta =
          static_cast<long>((colors_[i] >> shift) & 0xFF) - static_cast<long>((value >> shift) & 0xFF);
      distance += delta * delta;
    }
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

void DibFormat::setPixel(BYTE* bits, int x, int y, Pixel value) const {
  BYTE* row = const_cast<BYTE*>(rowOf(bits, y));
  switch (bitCount_) {
    case 1: {
      BYTE mask = static_cast<BYTE>(0x80 >> (x % 8));
      row[x / 8] = static_cast<BYTE>(nearestIndex(value) != 0 ? row[x / 8] | mask : row[x / 8] & ~mask);
      break;
    }
    case 4: {
      int shift = x % 2 == 0 ? 4 : 0;
      row[x / 2] = static_cast<BYTE>((row[x / 2] & ~(0xF << shift)) | (nearestIndex(value) << shift));
      break;
    }
    case 8:
      row[x] = static_cast<BYTE>(nearestIndex(value));
      break;
    default: {
      std::size_t size = bitCount_ == 24 ? 3 : 4;
      BYTE* at = row + static_cast<std::size_t>(x) * size;
      at[0] = static_cast<BYTE>(value);
      at[1] = static_cast<BYTE>(value >> 8);
      at[2] = static_cast<BYTE>(value >> 16);
      if (size == 4) {
        at[3] = 0;
      }
      break;
    }
  }
}

}  // namespace native
