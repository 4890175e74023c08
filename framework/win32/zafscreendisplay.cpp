#include "framework/win32/zafscreendisplay.h"

#include "framework/win32/zafmswindowsapp.h"
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

constexpr int32_t kPreSpace = 2;
constexpr int32_t kPostSpace = 3;
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

ZafScreenDisplay::ZafScreenDisplay() {
  fontTable[2] = static_cast<native::HFONT>(native::GetStockObject(native::SYSTEM_FONT));
  fontTable[3] = fontTable[2];
  fontTable[4] = static_cast<native::HFONT>(native::GetStockObject(native::SYSTEM_FIXED_FONT));
  native::LOGFONT iconTitle{};
  native::SystemParametersInfo(native::SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
  fontTable[0] = native::CreateFontIndirect(&iconTitle);
  fontTable[1] = ZafMSWindowsApp::system.platform == ZafMSWindowsApp::Windows95
                     ? static_cast<native::HFONT>(native::GetStockObject(native::DEFAULT_GUI_FONT))
                     : fontTable[0];

  native::HDC screen = native::GetDC(nullptr);
  paletteDevice = (native::GetDeviceCaps(screen, native::RASTERCAPS) & native::RC_PALETTE) != 0;
  const auto defaultPalette = static_cast<native::HPALETTE>(native::GetStockObject(native::DEFAULT_PALETTE));
  for (int index = 0; index < static_cast<int>(std::size(kStandardColors)); ++index) {
    const StandardColor& wanted = kStandardColors[index];
    native::PALETTEENTRY nearest{wanted.red, wanted.green, wanted.blue, 0};
    const native::UINT slot =
        native::GetNearestPaletteIndex(defaultPalette, native::RGB(wanted.red, wanted.green, wanted.blue));
    if (slot != native::CLR_INVALID) {
      native::GetPaletteEntries(defaultPalette, slot, 1, &nearest);
    }
    colors[index] = native::RGB(nearest.peRed, nearest.peGreen, nearest.peBlue);
  }
  RebuildPalette();

  columns = native::GetDeviceCaps(screen, native::HORZRES);
  lines = native::GetDeviceCaps(screen, native::VERTRES);
  pixelsPerInchX = native::GetDeviceCaps(screen, native::LOGPIXELSX);
  pixelsPerInchY = native::GetDeviceCaps(screen, native::LOGPIXELSY);
  preSpace = kPreSpace;
  postSpace = kPostSpace;
  miniNumeratorX = 1;
  miniDenominatorX = 10;
  miniNumeratorY = 1;
  miniDenominatorY = 10;
  native::HGDIOBJ previousFont = native::SelectObject(screen, fontTable[1]);
  native::SIZE size{};
  native::GetTextExtentPoint32(screen, kCellText,
                               static_cast<int>(std::char_traits<char16_t>::length(kCellText)), &size);
  cellWidth = CellWidth(size.cx);
  cellHeight = CellHeight(size.cy, preSpace, postSpace);
  native::SelectObject(screen, previousFont);
  native::ReleaseDC(nullptr, screen);

  penStyles[0] = native::PS_SOLID;
  penStyles[1] = native::PS_DOT;
  fillPatterns[0] = PatternBitmap(kSolidPattern);
  fillPatterns[1] = PatternBitmap(kHalfTonePattern);
  rasterModes[0] = {native::R2_COPYPEN, native::SRCCOPY};
  rasterModes[1] = {native::R2_XORPEN, native::SRCINVERT};
  palette = DefaultPalette();
  palette.osForeground = kStartForeground;
  palette.osBackground = kStartBackground;
  rasterMode = 0;
  clipRegion = {0, 0, columns - 1, lines - 1, ZAF_PIXEL};
  SetDisplayOfRecord(this);
}

ZafScreenDisplay::~ZafScreenDisplay() {
  native::DeleteObject(fillPatterns[0]);
  native::DeleteObject(fillPatterns[1]);
  native::DeleteObject(fontTable[0]);
  // Font 1 is the stock dialog font or font 0 itself; neither is deleted here.
}
