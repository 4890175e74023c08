#include "framework/win32/zafscreendisplay.h"

#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafstandardtables.h"
#include "native/native.h"

namespace {

constexpr int32_t kPreSpace = 2;
constexpr int32_t kPostSpace = 3;

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

  FillStandardTables(*this);
  clipRegion = {0, 0, columns - 1, lines - 1, ZAF_PIXEL};
  SetDisplayOfRecord(this);
}

ZafScreenDisplay::~ZafScreenDisplay() {
  native::DeleteObject(fillPatterns[0]);
  native::DeleteObject(fillPatterns[1]);
  native::DeleteObject(fontTable[0]);
  // Font 1 is the stock dialog font or font 0 itself; neither is deleted here.
}
