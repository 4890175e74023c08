#include "framework/win32/zafprinter.h"

#include <algorithm>
#include <string>

#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafutf8.h"
#include "framework/win32/zafprintdialog.h"
#include "framework/win32/zafstandardtables.h"
#include "native/native.h"
#include "native/print/printapi.h"
#include "native/print/printerblocks.h"

namespace {

constexpr int32_t kPreSpace = 2;
constexpr int32_t kPostSpace = 2;
constexpr const ZafIChar* kDefaultDocumentName = u"ZafPrinter Document";
constexpr native::UINT kTextFormat = native::DT_NOCLIP | native::DT_NOPREFIX;

native::UINT HorizontalFormat(int32_t horizontalJustify) {
  return horizontalJustify == 1 ? native::DT_RIGHT : horizontalJustify == 2 ? native::DT_CENTER : 0;
}

int32_t Utf16Length(const ZafIChar* text, int32_t length) {
  return length >= 0 ? length : static_cast<int32_t>(std::char_traits<char16_t>::length(text));
}

}  // namespace

ZafPrinter::ZafPrinter() {
  preSpace = kPreSpace;
  postSpace = kPostSpace;
  // The mini-cells keep the display's tenth of a cell across and down. Without a printer the metrics stay
  // those of the page model's default sheet.
  UseResolution();
  columns = pageModel.PageWidth();
  lines = pageModel.PageHeight();
  native::PRINTDLG request{};
  request.lStructSize = sizeof(request);
  request.Flags = native::PD_RETURNDEFAULT | native::PD_RETURNDC;
  if (native::PrintDlg(&request)) {
    TakeBlocks(request.hDevMode, request.hDevNames);
    SaveState(request.hDC);
  }
  CreateFonts();
  FillStandardTables(*this);
  clipRegion = PageClip();
}

ZafPrinter::~ZafPrinter() {
  native::DeleteObject(fillPatterns[0]);
  native::DeleteObject(fillPatterns[1]);
  DestroyFonts();
  if (printerContext) {
    native::DeleteDC(printerContext);
  }
  TakeBlocks(nullptr, nullptr);
}

void ZafPrinter::CreateFonts() {
  ConvertToOSFont(3, u"Helvetica", 12, false, false);
  ConvertToOSFont(1, u"Helvetica", 12, false, false);
  ConvertToOSFont(0, u"Helvetica", 8, false, false);
  ConvertToOSFont(2, u"Helvetica", 12, true, false);
  ConvertToOSFont(4, u"Courier", 12, false, false);
}

void ZafPrinter::DestroyFonts() {
  for (int32_t index = 0; index <= 4; ++index) {
    DestroyOSFont(index);
  }
}

void ZafPrinter::TakeBlocks(native::HGLOBAL devMode, native::HGLOBAL devNames) {
  if (devModeBlock && devModeBlock != devMode) {
    native::GlobalFree(devModeBlock);
  }
  if (devNamesBlock && devNamesBlock != devNames) {
    native::GlobalFree(devNamesBlock);
  }
  devModeBlock = devMode;
  devNamesBlock = devNames;
  pageModel.SetLandscape(IsLandscape(devModeBlock));
}

void ZafPrinter::UseResolution() {
  pixelsPerInchX = pageModel.pixelsPerInchX;
  pixelsPerInchY = pageModel.pixelsPerInchY;
  // Ten characters and six lines an inch.
  cellWidth = pixelsPerInchX / 10;
  cellHeight = pixelsPerInchY / 6;
}

bool ZafPrinter::IsLandscape(native::HGLOBAL devMode) {
  const std::optional<native::DEVMODE> mode = native::PrinterBlocks::readDevMode(devMode);
  return mode && (mode->dmFields & native::DM_ORIENTATION) != 0 &&
         mode->dmOrientation == native::DMORIENT_LANDSCAPE;
}

native::HDC ZafPrinter::SaveState(native::HDC dc) {
  const native::HDC previous = printerContext;
  printerContext = dc;
  if (!dc) {
    return previous;
  }
  columns = native::GetDeviceCaps(dc, native::HORZRES);
  lines = native::GetDeviceCaps(dc, native::VERTRES);
  const bool landscape = pageModel.Landscape();
  pageModel.SetResolution(native::GetDeviceCaps(dc, native::LOGPIXELSX),
                          native::GetDeviceCaps(dc, native::LOGPIXELSY));
  pageModel.SetLandscape(landscape);
  UseResolution();
  physicalOffsetX = native::GetDeviceCaps(dc, native::PHYSICALOFFSETX);
  physicalOffsetY = native::GetDeviceCaps(dc, native::PHYSICALOFFSETY);
  // The driver's sheet is portrait whatever the orientation; the page model turns it.
  const std::optional<native::DEVMODE> mode = native::PrinterBlocks::readDevMode(devModeBlock);
  if (mode && (mode->dmFields & native::DM_PAPERWIDTH) != 0 && (mode->dmFields & native::DM_PAPERLENGTH) != 0) {
    pageModel.SetPaperTenths(mode->dmPaperWidth, mode->dmPaperLength);
  } else if (mode) {
    const native::Paper paper = native::Paper::fromDevMode(&*mode, native::Paper{});
    pageModel.SetPaperTenths(paper.width, paper.length);
  }
  native::SetBkMode(dc, native::TRANSPARENT);
  return previous;
}

int32_t ZafPrinter::DriverProperty(native::DWORD field, std::optional<short> newValue) {
  const std::optional<native::DeviceNames> names = native::PrinterBlocks::readNames(devNamesBlock);
  std::optional<native::DEVMODE> mode = native::PrinterBlocks::readDevMode(devModeBlock);
  native::HPRINTER handle = nullptr;
  if (!names || !mode || (mode->dmFields & field) == 0 ||
      !native::OpenPrinter(names->device.c_str(), &handle, nullptr)) {
    return 0;
  }
  short* value = field == native::DM_ORIENTATION   ? &mode->dmOrientation
                 : field == native::DM_PAPERWIDTH ? &mode->dmPaperWidth
                                                  : &mode->dmPaperLength;
  if (newValue) {
    *value = *newValue;
    native::DEVMODE answered{};
    if (native::DocumentProperties(nullptr, handle, names->device.c_str(), &answered, &*mode,
                                   native::DM_IN_BUFFER | native::DM_OUT_BUFFER) == native::IDOK) {
      *mode = answered;
      const native::HDC dc = native::CreateDC(names->driver.c_str(), names->device.c_str(),
                                              names->output.c_str(), &*mode);
      const native::HGLOBAL block = native::PrinterBlocks::writeDevMode(*mode);
      if (dc && block) {
        const bool landscape = pageModel.Landscape();
        TakeBlocks(block, devNamesBlock);
        pageModel.SetLandscape(landscape);
        native::DeleteDC(SaveState(dc));
      } else {
        native::DeleteDC(dc);
        native::GlobalFree(block);
      }
    }
  }
  native::ClosePrinter(handle);
  return *value;
}

int32_t ZafPrinter::SetLandscape(int32_t landscape) {
  const bool turned = landscape != 0;
  if (turned == pageModel.Landscape()) {
    return Landscape();
  }
  const short orientation = turned ? native::DMORIENT_LANDSCAPE : native::DMORIENT_PORTRAIT;
  if (!printerContext || DriverProperty(native::DM_ORIENTATION, orientation) == orientation) {
    // The page model turns the sheet: page width and height swap here and nowhere else.
    pageModel.SetLandscape(turned);
  }
  return Landscape();
}

int32_t ZafPrinter::SetPageWidth(int32_t width) {
  pageModel.SetPageWidth(ToPixelsX(width));
  DriverProperty(pageModel.Landscape() ? native::DM_PAPERLENGTH : native::DM_PAPERWIDTH,
                 static_cast<short>(std::clamp(pageModel.TenthsFromPixelsX(pageModel.PageWidth()), 0, 32767)));
  return PageWidth();
}

int32_t ZafPrinter::SetPageHeight(int32_t height) {
  pageModel.SetPageHeight(ToPixelsY(height));
  DriverProperty(pageModel.Landscape() ? native::DM_PAPERWIDTH : native::DM_PAPERLENGTH,
                 static_cast<short>(std::clamp(pageModel.TenthsFromPixelsY(pageModel.PageHeight()), 0, 32767)));
  return PageHeight();
}

int32_t ZafPrinter::SetPrintableWidth(int32_t width) {
  pageModel.SetPrintableWidth(ToPixelsX(width));
  return PrintableWidth();
}

int32_t ZafPrinter::SetPrintableHeight(int32_t height) {
  pageModel.SetPrintableHeight(ToPixelsY(height));
  return PrintableHeight();
}

void ZafPrinter::SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  pageModel.SetMargins(ToPixelsX(left), ToPixelsY(top), ToPixelsX(right), ToPixelsY(bottom));
}

void ZafPrinter::Margins(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) const {
  left = ToCurrentX(pageModel.leftMargin);
  top = ToCurrentY(pageModel.topMargin);
  right = ToCurrentX(pageModel.rightMargin);
  bottom = ToCurrentY(pageModel.bottomMargin);
}

int32_t ZafPrinter::ToCurrentX(int32_t pixels) const {
  return ConvertCoordinate(this, pixels, ZAF_PIXEL, coordinateType);
}

int32_t ZafPrinter::ToCurrentY(int32_t pixels) const { return ConvertYValue(this, pixels, ZAF_PIXEL, coordinateType); }

int32_t ZafPrinter::ToPixelsX(int32_t value) const {
  return ConvertCoordinate(this, value, coordinateType, ZAF_PIXEL);
}

int32_t ZafPrinter::ToPixelsY(int32_t value) const { return ConvertYValue(this, value, coordinateType, ZAF_PIXEL); }

ZafRegionStruct ZafPrinter::PageClip() const {
  return {0, 0, pageModel.PrintableWidth() - 1, pageModel.PrintableHeight() - 1, ZAF_PIXEL};
}

// ---- Drawing state ----

void ZafPrinter::BeginDraw(native::HDC, native::HWND, const ZafRegionStruct& region, const ZafRegionStruct& clip) {
  ZafGdiDisplay::BeginDraw(printerContext, nullptr, region, clip);
}

void ZafPrinter::SetClipRegion(const ZafRegionStruct& clip) {
  const ZafRegionStruct page = PageClip();
  ZafRegionStruct pixels = DrawnRegion(clip);
  pixels = {std::max(pixels.left, page.left), std::max(pixels.top, page.top), std::min(pixels.right, page.right),
            std::min(pixels.bottom, page.bottom), ZAF_PIXEL};
  const int32_t dx = pageModel.leftMargin - physicalOffsetX;
  const int32_t dy = pageModel.topMargin - physicalOffsetY;
  SelectClip({pixels.left + dx, pixels.top + dy, pixels.right + dx, pixels.bottom + dy, ZAF_PIXEL});
  clipRegion = clip;
}

// ---- Documents and pages ----

int32_t ZafPrinter::BeginDocument(const ZafIChar* name) {
  if (documentNesting == 0 && !printerContext) {
    return ZAF_ERROR_NOT_AVAILABLE;
  }
  ZafGdiDisplay::BeginDraw(printerContext, nullptr, PageClip(), PageClip());
  if (documentNesting++ > 0) {
    return 0;
  }
  const std::string title = ZafToUtf8(name && *name ? name : kDefaultDocumentName);
  const native::DOCINFO info{sizeof(native::DOCINFO), title.c_str(), nullptr, nullptr, 0};
  if (native::StartDoc(printerContext, &info) <= 0) {
    documentNesting = 0;
    ZafGdiDisplay::EndDraw();
    return ZAF_ERROR_NOT_AVAILABLE;
  }
  return 0;
}

void ZafPrinter::BeginPage() {
  if (!printerContext) {
    return;
  }
  native::SetViewportOrgEx(printerContext, pageModel.leftMargin - physicalOffsetX,
                           pageModel.topMargin - physicalOffsetY, nullptr);
  SetClipRegion(PageClip());
  native::StartPage(printerContext);
}

void ZafPrinter::EndPage() {
  if (printerContext) {
    native::EndPage(printerContext);
  }
}

void ZafPrinter::EndDocument() {
  if (documentNesting == 0) {
    return;
  }
  ZafGdiDisplay::EndDraw();
  if (--documentNesting == 0 && printerContext) {
    native::EndDoc(printerContext);
  }
}

// ---- Text ----

int32_t ZafPrinter::TextBlock(int32_t left, int32_t top, int32_t right, int32_t bottom, const ZafIChar* text,
                              int32_t length, int32_t horizontalJustify, int32_t verticalJustify, bool fill) {
  if (printerContext && text) {
    native::UINT format = kTextFormat | native::DT_WORDBREAK | HorizontalFormat(horizontalJustify);
    if (verticalJustify == 1) {
      format |= native::DT_BOTTOM;
    } else if (verticalJustify != 0) {
      format |= native::DT_VCENTER;
    }
    native::RECT rect{ToPixelsX(left), ToPixelsY(top), ToPixelsX(right) + 1, ToPixelsY(bottom) + 1};
    native::SetBkMode(printerContext, fill ? native::OPAQUE : native::TRANSPARENT);
    native::DrawText(printerContext, text, Utf16Length(text, length), &rect, format);
    native::SetBkMode(printerContext, native::TRANSPARENT);
  }
  return bottom;
}

int32_t ZafPrinter::TextLine(int32_t left, int32_t top, int32_t right, const ZafIChar* text, int32_t length,
                             int32_t horizontalJustify, bool fill) {
  if (!printerContext || !text) {
    return top;
  }
  const native::UINT format = kTextFormat | native::DT_SINGLELINE | HorizontalFormat(horizontalJustify);
  const int32_t count = Utf16Length(text, length);
  const int32_t pixelTop = ToPixelsY(top);
  native::RECT measured{ToPixelsX(left), pixelTop, ToPixelsX(right) + 1, pixelTop};
  native::DrawText(printerContext, text, count, &measured, format | native::DT_CALCRECT);
  const int32_t height = measured.bottom - measured.top;
  native::RECT rect{ToPixelsX(left), pixelTop, ToPixelsX(right) + 1, pixelTop + height + 1};
  native::SetBkMode(printerContext, fill ? native::OPAQUE : native::TRANSPARENT);
  native::DrawText(printerContext, text, count, &rect, format);
  native::SetBkMode(printerContext, native::TRANSPARENT);
  return ToCurrentY(pixelTop + height);
}

// ---- Dialogs ----

bool ZafPrinter::RunPrintDlg(native::PRINTDLG& request) {
  request.lStructSize = sizeof(request);
  request.hDevMode = devModeBlock;
  request.hDevNames = devNamesBlock;
  request.Flags |= native::PD_RETURNDC;
  if (!native::PrintDlg(&request)) {
    return false;
  }
  // The dialog freed the blocks it replaced.
  devModeBlock = nullptr;
  devNamesBlock = nullptr;
  TakeBlocks(request.hDevMode, request.hDevNames);
  if (request.hDC) {
    const native::HDC previous = SaveState(request.hDC);
    if (previous) {
      native::DeleteDC(previous);
    }
  }
  return true;
}

int32_t ZafPrinter::PrintSetupDialog() {
  native::PRINTDLG request{};
  request.Flags = native::PD_PRINTSETUP;
  // Owned by the program's first window, when it has one.
  const ZafWindowObject* first =
      ZafWindowObject::windowManager ? ZafWindowObject::windowManager->FirstChild() : nullptr;
  request.hwndOwner = first ? first->ScreenID() : nullptr;
  return RunPrintDlg(request) ? 1 : 0;
}

int32_t ZafPrinter::PrintDialog(ZafPrintJobRecord& record) {
  ZafPrintDialog dialog(*this, record);
  return dialog.Run() == ZAF_PRINT_DIALOG_OK ? 1 : 0;
}
