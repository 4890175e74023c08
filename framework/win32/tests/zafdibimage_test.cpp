#include "framework/win32/zafdibimage.h"

#include <gtest/gtest.h>

TEST(ZafDibImage, RowsFromTheBottomPaddedWithTransparencyInTheMask) {
  // 3 x 2: the top row 1, 255, 2; the bottom row 4, 0, 255.
  const uint8_t pixels[] = {1, 255, 2, 4, 0, 255};
  const ZafDibImage image = ZafDibImage::FromPixels(3, 2, pixels);
  EXPECT_EQ(image.colorRows, (std::vector<uint8_t>{4, 0, 0, 0, 1, 0, 2, 0}));
  EXPECT_EQ(image.maskRows, (std::vector<uint8_t>{0x40, 0x00, 0x20, 0x00}));
  EXPECT_EQ(image.colorCount, 5);
  const native::BITMAPINFOHEADER header = image.Header();
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, 3);
  EXPECT_EQ(header.biHeight, 2);
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 8);
  EXPECT_EQ(header.biClrUsed, 5u);
  EXPECT_EQ(header.biClrImportant, 5u);
  EXPECT_EQ(image.ToPixels(), std::vector<uint8_t>(pixels, pixels + 6));
}

TEST(ZafDibImage, OpaqueImageHasNoMaskAndAtLeastTwoColours) {
  const uint8_t pixels[] = {0, 0, 0, 0};
  const ZafDibImage image = ZafDibImage::FromPixels(2, 2, pixels);
  EXPECT_TRUE(image.maskRows.empty());
  EXPECT_EQ(image.colorCount, 2);
}

TEST(ZafDibImage, RowPaddingAtTheEdges) {
  struct Case {
    int32_t width;
    std::size_t colorRow, maskRow;
  } cases[] = {{1, 4, 2}, {4, 4, 2}, {5, 8, 2}, {16, 16, 2}, {17, 20, 4}, {33, 36, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    EXPECT_EQ(ZafDibImage::ColorRowBytes(c.width), c.colorRow);
    EXPECT_EQ(ZafDibImage::MaskRowBytes(c.width), c.maskRow);
    std::vector<uint8_t> pixels(static_cast<std::size_t>(c.width) * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      pixels[i] = static_cast<uint8_t>(i % 7 == 3 ? 255 : i % 200);
    }
    EXPECT_EQ(ZafDibImage::FromPixels(c.width, 3, pixels.data()).ToPixels(), pixels);
  }
}

TEST(ZafDibImage, BadSizesAndShortRowsGiveNothing) {
  const uint8_t pixel = 1;
  EXPECT_TRUE(ZafDibImage::FromPixels(0, 1, &pixel).colorRows.empty());
  EXPECT_TRUE(ZafDibImage::FromPixels(1, -1, &pixel).colorRows.empty());
  EXPECT_TRUE(ZafDibImage::FromPixels(1, 1, nullptr).colorRows.empty());
  ZafDibImage shortRows = ZafDibImage::FromPixels(1, 1, &pixel);
  shortRows.height = 2;
  EXPECT_TRUE(shortRows.ToPixels().empty());
  ZafDibImage shortMask = ZafDibImage::FromPixels(1, 1, &pixel);
  shortMask.maskRows = {0};
  EXPECT_TRUE(shortMask.ToPixels().empty());
}
