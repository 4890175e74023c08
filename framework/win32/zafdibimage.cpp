#include "framework/win32/zafdibimage.h"

#include <algorithm>

ZafDibImage ZafDibImage::FromPixels(int32_t width, int32_t height, const uint8_t* pixels) {
  ZafDibImage image;
  if (width < 1 || height < 1 || !pixels) {
    return image;
  }
  image.width = width;
  image.height = height;
  const std::size_t colorStride = ColorRowBytes(width);
  const std::size_t maskStride = MaskRowBytes(width);
  image.colorRows.assign(colorStride * static_cast<std::size_t>(height), 0);
  std::vector<uint8_t> mask(maskStride * static_cast<std::size_t>(height), 0);
  bool transparent = false;
  int32_t largest = 0;
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* source = pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
    uint8_t* colors = image.colorRows.data() + colorStride * static_cast<std::size_t>(height - 1 - row);
    uint8_t* maskRow = mask.data() + maskStride * static_cast<std::size_t>(row);
    for (int32_t column = 0; column < width; ++column) {
      const uint8_t pixel = source[column];
      if (pixel == kTransparent) {
        transparent = true;
        maskRow[column / 8] |= static_cast<uint8_t>(0x80 >> (column % 8));
      } else {
        colors[column] = pixel;
        largest = std::max<int32_t>(largest, pixel);
      }
    }
  }
  image.colorCount = std::max(largest + 1, 2);
  if (transparent) {
    image.maskRows = std::move(mask);
  }
  return image;
}

std::vector<uint8_t> ZafDibImage::ToPixels() const {
  if (width < 1 || height < 1) {
    return {};
  }
  const std::size_t colorStride = ColorRowBytes(width);
  const std::size_t maskStride = MaskRowBytes(width);
  const auto rows = static_cast<std::size_t>(height);
  if (colorRows.size() < colorStride * rows || (!maskRows.empty() && maskRows.size() < maskStride * rows)) {
    return {};
  }
  std::vector<uint8_t> pixels(static_cast<std::size_t>(width) * rows);
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* colors = colorRows.data() + colorStride * static_cast<std::size_t>(height - 1 - row);
    uint8_t* target = pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
    for (int32_t column = 0; column < width; ++column) {
      const bool masked =
          !maskRows.empty() &&
          (maskRows[maskStride * static_cast<std::size_t>(row) + static_cast<std::size_t>(column / 8)] &
           (0x80 >> (column % 8)));
      target[column] = masked ? kTransparent : colors[column];
    }
  }
  return pixels;
}

native::BITMAPINFOHEADER ZafDibImage::Header() const {
  native::BITMAPINFOHEADER header{};
  header.biSize = sizeof(native::BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 8;
  header.biCompression = native::BI_RGB;
  header.biClrUsed = static_cast<native::DWORD>(colorCount);
  header.biClrImportant = static_cast<native::DWORD>(colorCount);
  return header;
}
