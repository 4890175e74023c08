#include <gtest/gtest.h>

#include "native/testdriver.h"
#include "native/tests/pixelboard.h"

namespace native::test {

TEST(Palettes, DefaultPaletteHoldsEveryScreenColourExactly) {
  TestDriver driver;
  HPALETTE palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  WORD count = 0;
  ASSERT_EQ(GetObject(palette, sizeof count, &count), static_cast<int>(sizeof count));
  EXPECT_EQ(count, 20);
  // The colours the screen display asks for: each must find itself.
  const COLORREF screenColors[] = {
      RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(0, 128, 0),     RGB(0, 128, 128),   RGB(128, 0, 0),
      RGB(128, 0, 128),   RGB(128, 128, 0),   RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 255),
      RGB(0, 255, 0),     RGB(0, 255, 255),   RGB(255, 0, 0),     RGB(255, 0, 255),   RGB(255, 255, 0),
      RGB(255, 255, 255), RGB(224, 224, 224),
  };
  for (COLORREF color : screenColors) {
    SCOPED_TRACE(color);
    UINT index = GetNearestPaletteIndex(palette, color);
    ASSERT_LT(index, 20u);
    PALETTEENTRY entry{};
    ASSERT_EQ(GetPaletteEntries(palette, index, 1, &entry), 1u);
    EXPECT_EQ(RGB(entry.peRed, entry.peGreen, entry.peBlue), color);
  }
  EXPECT_EQ(GetPaletteEntries(palette, 20, 1, nullptr), 20u) << "a null buffer asks for the count";
}

TEST(Palettes, PalettesAreTrueColourNamesOfColours) {
  TestDriver driver;
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
  struct {
    LOGPALETTE header;
    PALETTEENTRY more[1];
  } logical{{0x300, 2, {{10, 20, 30, 0}}}, {{200, 100, 50, 0}}};
  HPALETTE palette = CreatePalette(&logical.header);
  ASSERT_NE(palette, nullptr);
  logical.header.palVersion = 0x200;
  EXPECT_EQ(CreatePalette(&logical.header), nullptr) << "only the known version";
  PixelBoard board(2, 1);
  HPALETTE previous = SelectPalette(board.dc(), palette, FALSE);
  EXPECT_EQ(previous, GetStockObject(DEFAULT_PALETTE));
  EXPECT_EQ(RealizePalette(board.dc()), 0u);
  SetPixel(board.dc(), 0, 0, PALETTEINDEX(1));
  EXPECT_EQ(board.at(0, 0), RGB(200, 100, 50)) << "a palette index names the entry's colour";
  EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(190, 90, 60)), 1u);
  SelectPalette(board.dc(), previous, FALSE);
  EXPECT_TRUE(DeleteObject(palette));
  ReleaseDC(nullptr, screen);
}

TEST(Palettes, DeviceCapsDescribeTheDesktop) {
  TestDriver driver(DesktopOptions{800, 600, 120});
  HDC screen = GetDC(nullptr);
  struct Case {
    int index;
    int expected;
  };
  const Case cases[] = {
      {HORZRES, 800},  {VERTRES, 600}, {LOGPIXELSX, 120},    {LOGPIXELSY, 120},
      {BITSPIXEL, 32}, {PLANES, 1},    {PHYSICALOFFSETX, 0}, {PHYSICALOFFSETY, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.index);
    EXPECT_EQ(GetDeviceCaps(screen, test.index), test.expected);
  }
  EXPECT_EQ(GetDeviceCaps(nullptr, HORZRES), 0);
  ReleaseDC(nullptr, screen);
}

}  // namespace native::test
