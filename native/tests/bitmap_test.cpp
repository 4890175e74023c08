#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "native/testdriver.h"
#include "native/tests/pixelboard.h"

namespace native::test {

namespace {

// A BITMAPINFO with room for a full colour table.
struct DibInfo {
  BITMAPINFOHEADER header{};
  RGBQUAD colors[256]{};

  DibInfo(int width, int height, int bitCount) {
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
  }
  BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(this); }
};

std::size_t strideOf(int width, int bitCount) {
  return ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
}

// A 5 x 3 picture with a different colour at every pixel.
COLORREF sampleColor(int x, int y) {
  return RGB(40 * x + 10, 60 * y + 20, 5 * x + 7 * y);
}

}  // namespace

TEST(Bitmaps, MonochromeBitmapRowsArePaddedToSixteenBits) {
  TestDriver driver;
  // 9 pixels wide: two bytes of bits per row; row 0 = 1 0000000 1, row 1 = 0 1111111 0.
  const BYTE bits[] = {0x80, 0x80, 0x7F, 0x00};
  HBITMAP bitmap = CreateBitmap(9, 2, 1, 1, bits);
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  EXPECT_EQ(GetObject(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 9);
  EXPECT_EQ(info.bmHeight, 2);
  EXPECT_EQ(info.bmWidthBytes, 2);
  EXPECT_EQ(info.bmBitsPixel, 1);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 8, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 7, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 8, 1), RGB(0, 0, 0));
  EXPECT_FALSE(DeleteObject(bitmap)) << "selected into a context";
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(CreateBitmap(0, 5, 1, 1, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(5, 5, 1, 8, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(20000, 5, 1, 1, nullptr), nullptr);
}

TEST(Bitmaps, MonochromeSourceTakesTextAndBackgroundColours) {
  TestDriver driver;
  const BYTE bits[] = {0x40, 0x00};  // 0 1 0 0: the second pixel white
  HBITMAP mask = CreateBitmap(4, 1, 1, 1, bits);
  HDC source = CreateCompatibleDC(nullptr);
  SelectObject(source, mask);
  PixelBoard board(4, 1, RGB(1, 1, 1));
  SetTextColor(board.dc(), RGB(200, 10, 10));
  SetBkColor(board.dc(), RGB(10, 10, 200));
  BitBlt(board.dc(), 0, 0, 4, 1, source, 0, 0, SRCCOPY);
  EXPECT_EQ(board.at(0, 0), RGB(200, 10, 10));
  EXPECT_EQ(board.at(1, 0), RGB(10, 10, 200));
  DeleteDC(source);
  DeleteObject(mask);
}

TEST(Bitmaps, ColourSourceBecomesWhiteWhereItHasItsBackgroundColour) {
  TestDriver driver;
  PixelBoard colour(3, 1, RGB(0, 128, 0));
  SetPixel(colour.dc(), 1, 0, RGB(255, 255, 255));
  SetBkColor(colour.dc(), RGB(0, 128, 0));
  PixelBoard mask(3, 1, RGB(0, 0, 0), true);
  BitBlt(mask.dc(), 0, 0, 3, 1, colour.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(mask.at(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(mask.at(1, 0), RGB(0, 0, 0));
}

TEST(Bitmaps, MaskAndImageBlitsDrawATransparentSprite) {
  TestDriver driver;
  // The sprite technique: the mask (white = transparent) with SRCAND, then the image (black where
  // transparent) with SRCINVERT.
  PixelBoard mask(3, 1, RGB(255, 255, 255));
  SetPixel(mask.dc(), 1, 0, RGB(0, 0, 0));
  PixelBoard image(3, 1, RGB(0, 0, 0));
  SetPixel(image.dc(), 1, 0, RGB(250, 200, 0));
  PixelBoard screen(3, 1, RGB(20, 40, 60));
  BitBlt(screen.dc(), 0, 0, 3, 1, mask.dc(), 0, 0, SRCAND);
  BitBlt(screen.dc(), 0, 0, 3, 1, image.dc(), 0, 0, SRCINVERT);
  EXPECT_EQ(screen.at(0, 0), RGB(20, 40, 60));
  EXPECT_EQ(screen.at(1, 0), RGB(250, 200, 0));
  EXPECT_EQ(screen.at(2, 0), RGB(20, 40, 60));
  BitBlt(screen.dc(), 0, 0, 3, 1, image.dc(), 0, 0, SRCINVERT);
  EXPECT_EQ(screen.at(1, 0), RGB(0, 0, 0)) << "SRCINVERT twice takes the image out again";
  BitBlt(screen.dc(), 0, 0, 3, 1, image.dc(), 0, 0, SRCPAINT);
  EXPECT_EQ(screen.at(1, 0), RGB(250, 200, 0));
  BitBlt(screen.dc(), 0, 0, 1, 1, nullptr, 0, 0, WHITENESS);
  BitBlt(screen.dc(), 1, 0, 1, 1, nullptr, 0, 0, BLACKNESS);
  EXPECT_EQ(screen.at(0, 0), RGB(255, 255, 255)) << "operations without a source need none";
  EXPECT_EQ(screen.at(1, 0), RGB(0, 0, 0));
}

TEST(Bitmaps, StretchBltScalesAndMirrors) {
  TestDriver driver;
  PixelBoard source(2, 1, RGB(255, 255, 255));
  SetPixel(source.dc(), 0, 0, RGB(0, 0, 0));
  PixelBoard wide(4, 2);
  StretchBlt(wide.dc(), 0, 0, 4, 2, source.dc(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(wide.picture(), (std::vector<std::string>{"##..", "##.."}));
  PixelBoard mirrored(4, 1);
  StretchBlt(mirrored.dc(), 3, 0, -4, 1, source.dc(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(mirrored.picture(), (std::vector<std::string>{"..##"}));
}

TEST(Bitmaps, BlitWithinOneSurfaceReadsBeforeItWrites) {
  TestDriver driver;
  PixelBoard board(4, 1);
  SetPixel(board.dc(), 0, 0, RGB(0, 0, 0));
  SetPixel(board.dc(), 1, 0, RGB(9, 9, 9));
  BitBlt(board.dc(), 1, 0, 3, 1, board.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(board.at(1, 0), RGB(0, 0, 0));
  EXPECT_EQ(board.at(2, 0), RGB(9, 9, 9));
}

TEST(Bitmaps, DibsRoundTripInEveryDepthAndRowOrder) {
  TestDriver driver;
  struct Case {
    int bitCount;
    bool topDown;
    UINT usage;
  };
  const Case cases[] = {
      {24, false, DIB_RGB_COLORS}, {24, true, DIB_RGB_COLORS}, {32, false, DIB_RGB_COLORS},
      {8, false, DIB_RGB_COLORS},  {8, true, DIB_RGB_COLORS},  {8, false, DIB_PAL_COLORS},
      {8, true, DIB_PAL_COLORS},   {1, false, DIB_RGB_COLORS}, {1, true, DIB_RGB_COLORS},
  };
  HDC screen = GetDC(nullptr);
  const int width = 5;
  const int height = 3;
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << test.bitCount << " bits, " << (test.topDown ? "top-down" : "bottom-up")
                                    << (test.usage == DIB_PAL_COLORS ? ", palette indexes" : ""));
    // Read the sample picture out as a DIB of this kind, build a bitmap from that DIB, and read it again.
    PixelBoard original(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        SetPixel(
            original.dc(), x, y,
            test.bitCount <= 8 ? (x + y) % 2 == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0) : sampleColor(x, y));
      }
    }
    if (test.bitCount == 8) {
      SetPixel(original.dc(), 2, 1, RGB(224, 224, 224));
      SetPixel(original.dc(), 3, 1, RGB(128, 0, 0));
    }
    DibInfo info(width, test.topDown ? -height : height, test.bitCount);
    std::vector<BYTE> bits(strideOf(width, test.bitCount) * height, 0xCC);
    ASSERT_EQ(GetDIBits(screen, original.bitmap(), 0, height, bits.data(), info.info(), test.usage), height);
    EXPECT_EQ(info.header.biSizeImage, bits.size());
    if (test.bitCount == 8) {
      // The 224 grey (image row 1) is an exact entry of the palette.
      std::size_t storedRow = test.topDown ? 1 : height - 1 - 1;
      BYTE index = bits[storedRow * strideOf(width, 8) + 2];
      PALETTEENTRY entry{};
      GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), index, 1, &entry);
      EXPECT_EQ(RGB(entry.peRed, entry.peGreen, entry.peBlue), RGB(224, 224, 224));
    }
    HBITMAP copy = CreateDIBitmap(screen, &info.header, CBM_INIT, bits.data(), info.info(), test.usage);
    ASSERT_NE(copy, nullptr);
    HDC copyDc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(copyDc, copy);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ(GetPixel(copyDc, x, y), original.at(x, y)) << "at " << x << "," << y;
      }
    }
    SelectObject(copyDc, previous);
    DeleteDC(copyDc);
    DeleteObject(copy);
  }
  ReleaseDC(nullptr, screen);
}

TEST(Bitmaps, BottomUpRowsComeLastRowFirstInMemory) {
  TestDriver driver;
  PixelBoard board(1, 2);
  SetPixel(board.dc(), 0, 0, RGB(1, 2, 3));
  SetPixel(board.dc(), 0, 1, RGB(4, 5, 6));
  DibInfo info(1, 2, 24);
  std::vector<BYTE> bits(8);
  GetDIBits(board.dc(), board.bitmap(), 0, 2, bits.data(), info.info(), DIB_RGB_COLORS);
  EXPECT_EQ(bits[0], 6) << "blue of the bottom row";
  EXPECT_EQ(bits[2], 4);
  EXPECT_EQ(bits[4], 3) << "blue of the top row, after a padded row";
}

TEST(Bitmaps, DibsThatCannotBeReadAreRefused) {
  TestDriver driver;
  HDC screen = GetDC(nullptr);
  std::vector<BYTE> bits(64);
  struct Case {
    const char* name;
    std::function<void(DibInfo&)> spoil;
  };
  const Case cases[] = {
      {"short header", [](DibInfo& info) { info.header.biSize = 12; }},
      {"zero width", [](DibInfo& info) { info.header.biWidth = 0; }},
      {"huge height", [](DibInfo& info) { info.header.biHeight = 1 << 30; }},
      {"compressed", [](DibInfo& info) { info.header.biCompression = 1; }},
      {"odd depth", [](DibInfo& info) { info.header.biBitCount = 7; }},
      {"colour table too long", [](DibInfo& info) { info.header.biClrUsed = 300; }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    DibInfo info(2, 2, 8);
    test.spoil(info);
    EXPECT_EQ(SetDIBitsToDevice(screen, 0, 0, 2, 2, 0, 0, 0, 2, bits.data(), info.info(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(
        StretchDIBits(screen, 0, 0, 2, 2, 0, 0, 2, 2, bits.data(), info.info(), DIB_RGB_COLORS, SRCCOPY), 0);
  }
  // A header size that would put the colour table anywhere is refused before anything is written.
  PixelBoard board(2, 2);
  DibInfo info(2, 2, 8);
  info.header.biSize = 0x10000;
  EXPECT_EQ(GetDIBits(screen, board.bitmap(), 0, 2, bits.data(), info.info(), DIB_RGB_COLORS), 0);
  ReleaseDC(nullptr, screen);
}

TEST(Bitmaps, SetDibitsToDevicePlacesTheImageUprightAndStretchDibitsScalesIt) {
  TestDriver driver;
  // A 2 x 2 bottom-up 24-bit DIB: the bottom row first in memory (red, green), then the top (blue, white).
  DibInfo info(2, 2, 24);
  const BYTE bits[16] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  PixelBoard board(4, 4);
  EXPECT_EQ(SetDIBitsToDevice(board.dc(), 0, 0, 2, 2, 0, 0, 0, 2, bits, info.info(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(board.at(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(board.at(1, 0), RGB(255, 255, 255));
  EXPECT_EQ(board.at(0, 1), RGB(255, 0, 0));
  EXPECT_EQ(board.at(1, 1), RGB(0, 255, 0));
  PixelBoard big(4, 4);
  StretchDIBits(big.dc(), 0, 0, 4, 4, 0, 0, 2, 2, bits, info.info(), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(big.at(1, 1), RGB(0, 0, 255));
  EXPECT_EQ(big.at(3, 3), RGB(0, 255, 0));
}

// 15-bit pictures: two bytes a pixel (the words 0RRRRRGGGGGBBBBB), rows padded to four bytes, drawn upright
// in either row order; bit fields with any other masks are refused.
TEST(Bitmaps, FifteenBitPicturesDrawWithTheirMasksOnly) {
  TestDriver driver;
  struct Pixel15 {
    unsigned red, green, blue;  // five bits each
    COLORREF drawn;
  };
  const Pixel15 picture[2][3] = {
      {{31, 0, 0, RGB(255, 0, 0)}, {0, 31, 0, RGB(0, 255, 0)}, {0, 0, 31, RGB(0, 0, 255)}},
      {{16, 8, 1, RGB(132, 66, 8)}, {1, 2, 4, RGB(8, 16, 33)}, {0, 0, 0, RGB(0, 0, 0)}},
  };
  struct Case {
    const char* name;
    DWORD masks[3];
    bool topDown;
    bool drawn;
  };
  const Case cases[] = {
      {"top-down", {0x7C00, 0x3E0, 0x1F}, true, true},
      {"bottom-up", {0x7C00, 0x3E0, 0x1F}, false, true},
      {"six bits of green", {0xF800, 0x7E0, 0x1F}, true, false},
      {"red and blue swapped", {0x1F, 0x3E0, 0x7C00}, true, false},
  };
  const COLORREF background = RGB(200, 200, 200);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    DibInfo info(3, test.topDown ? -2 : 2, 16);
    info.header.biCompression = BI_BITFIELDS;
    std::memcpy(info.colors, test.masks, sizeof test.masks);
    // Three pixels fill six bytes of each eight-byte row; the padding must never be read as a pixel.
    std::vector<BYTE> bits(16, 0xFF);
    for (int y = 0; y < 2; ++y) {
      const int stored = test.topDown ? y : 1 - y;
      for (int x = 0; x < 3; ++x) {
        const Pixel15& pixel = picture[y][x];
        const unsigned word = (pixel.red << 10) | (pixel.green << 5) | pixel.blue;
        bits[stored * 8 + x * 2] = static_cast<BYTE>(word);
        bits[stored * 8 + x * 2 + 1] = static_cast<BYTE>(word >> 8);
      }
    }
    PixelBoard copied(4, 3, background);
    PixelBoard stretched(7, 5, background);
    EXPECT_EQ(
        SetDIBitsToDevice(copied.dc(), 0, 0, 3, 2, 0, 0, 0, 2, bits.data(), info.info(), DIB_RGB_COLORS),
        test.drawn ? 2 : 0);
    EXPECT_EQ(StretchDIBits(stretched.dc(), 0, 0, 6, 4, 0, 0, 3, 2, bits.data(), info.info(), DIB_RGB_COLORS,
                            SRCCOPY),
              test.drawn ? 2 : 0);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        SCOPED_TRACE(testing::Message() << "at " << x << "," << y);
        const COLORREF expected = test.drawn ? picture[y][x].drawn : background;
        EXPECT_EQ(copied.at(x, y), expected);
        EXPECT_EQ(stretched.at(2 * x + 1, 2 * y + 1), expected);
      }
    }
    EXPECT_EQ(copied.at(3, 0), background) << "nothing beyond the picture's width";
    EXPECT_EQ(stretched.at(6, 4), background);
  }
}

TEST(Bitmaps, IconsComeApartAsTheyWereMadeAndDrawThroughTheirMask) {
  TestDriver driver;
  const BYTE maskBits[] = {0x80, 0x00, 0x80, 0x00};  // the first column transparent
  HBITMAP mask = CreateBitmap(2, 2, 1, 1, maskBits);
  PixelBoard colour(2, 2, RGB(0, 0, 0));
  SetPixel(colour.dc(), 1, 0, RGB(255, 0, 0));
  SetPixel(colour.dc(), 1, 1, RGB(0, 0, 255));
  ICONINFO info{TRUE, 0, 0, mask, colour.bitmap()};
  HICON icon = CreateIconIndirect(&info);
  ASSERT_NE(icon, nullptr);
  PixelBoard screen(2, 2, RGB(0, 200, 0));
  DrawIcon(screen.dc(), 0, 0, icon);
  EXPECT_EQ(screen.at(0, 0), RGB(0, 200, 0));
  EXPECT_EQ(screen.at(1, 0), RGB(255, 0, 0));
  EXPECT_EQ(screen.at(1, 1), RGB(0, 0, 255));
  ICONINFO back{};
  ASSERT_TRUE(GetIconInfo(icon, &back));
  BITMAP size{};
  GetObject(back.hbmColor, sizeof size, &size);
  EXPECT_EQ(size.bmWidth, 2);
  EXPECT_NE(back.hbmMask, mask) << "fresh copies for the caller";
  DeleteObject(back.hbmMask);
  DeleteObject(back.hbmColor);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  DeleteObject(mask);
  HICON application = LoadIcon(nullptr, IDI_APPLICATION);
  EXPECT_NE(application, nullptr);
  EXPECT_EQ(LoadIcon(nullptr, IDI_APPLICATION), application);
  EXPECT_EQ(LoadIcon(nullptr, u"Application"), application) << "the program's own icon resource";
  EXPECT_EQ(LoadIcon(nullptr, u"Applications"), nullptr);
  EXPECT_TRUE(DestroyIcon(application));
  EXPECT_EQ(LoadIcon(nullptr, IDI_APPLICATION), application) << "the shared icon outlives DestroyIcon";
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(7)), nullptr);
}

}  // namespace native::test
