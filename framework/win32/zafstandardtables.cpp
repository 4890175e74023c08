#include "framework/win32/zafstandardtables.h"

#include <iterator>

#include "native/native.h"

namespace {

struct StandardColor {
  uint8_t red, green, blue;
};

// Black, the dark and the bright colours, the greys, white and a very light grey, by colour index.
constexpr StandardColor kStandardColors[] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0},     {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0},     {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}, {224, 224, 224},
};

// Native colour words of the screen's starting palette.
constexpr uint32_t kStartForeground = 8;
constexpr uint32_t kStartBackground = 5;

// Monochrome 8 x 8 patterns, one 16-bit word per row (rows of monochrome bitmaps are word aligned).
constexpr uint16_t kSolidPattern[8] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
constexpr uint16_t kHalfTonePattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};

native::HBITMAP PatternBitmap(const uint16_t (&rows)[8]) {
  uint8_t bits[16];
  for (int row = 0; row < 8; ++row) {
    bits[2 * row] = static_cast<uint8_t>(rows[row] & 0xFF);
    bits[2 * row + 1] = static_cast<uint8_t>(rows[row] >> 8);
  }
  return native::CreateBitmap(8, 8, 1, 1, bits);
}

}  // namespace

void FillStandardTables(ZafGdiDisplay& display) {
  const auto defaultPalette = static_cast<native::HPALETTE>(native::GetStockObject(native::DEFAULT_PALETTE));
  for (int index = 0; index < static_cast<int>(std::size(kStandardColors)); ++index) {
    const StandardColor& wanted = kStandardColors[index];
    native::PALETTEENTRY nearest{wanted.red, wanted.green, wanted.blue, 0};
    const native::UINT slot =
        native::GetNearestPaletteIndex(defaultPalette, native::RGB(wanted.red, wanted.green, wanted.blue));
    if (slot != native::CLR_INVALID) {
      native::GetPaletteEntries(defaultPalette, slot, 1, &nearest);
    }
    display.colors[index] = native::RGB(nearest.peRed, nearest.peGreen, nearest.peBlue);
  }
  display.RebuildPalette();
  display.penStyles[0] = native::PS_SOLID;
  display.penStyles[1] = native::PS_DOT;
  display.fillPatterns[0] = PatternBitmap(kSolidPattern);
  display.fillPatterns[1] = PatternBitmap(kHalfTonePattern);
  display.rasterModes[0] = {native::R2_COPYPEN, native::SRCCOPY};
  display.rasterModes[1] = {native::R2_XORPEN, native::SRCINVERT};
  display.palette = ZafGdiDisplay::DefaultPalette();
  display.palette.osForeground = kStartForeground;
  display.palette.osBackground = kStartBackground;
  display.rasterMode = 0;
}
