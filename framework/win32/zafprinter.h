// The display of the printer: the GDI display's tables on the default printer's context, fonts of its own,
// the page model in printer pixels, documents and pages, and the platform's print and print setup dialogs.
// Drawing between BeginDocument and EndDocument lands on the page's printable area: the drawing origin and
// every clip are moved in by the margins, and no clip reaches beyond the printable area.
#ifndef FRAMEWORK_WIN32_ZAFPRINTER_H
#define FRAMEWORK_WIN32_ZAFPRINTER_H

#include <cstdint>
#include <optional>

#include "framework/core/zafpagemodel.h"
#include "framework/win32/zafgdidisplay.h"
#include "native/print/printdlg.h"

// What a print dialog asked and answered: collate, copies and the pages chosen within the document's range.
struct ZafPrintJobRecord {
  uint8_t collate = 0;
  uint32_t copies = 1;
  uint32_t firstPage = 1;
  uint32_t lastPage = 1;
  uint32_t lowestPage = 1;
  uint32_t highestPage = 1;

  bool operator==(const ZafPrintJobRecord&) const = default;
};

// What an operation a printer cannot perform answers.
inline constexpr int32_t ZAF_ERROR_NOT_AVAILABLE = 20;

class ZafPrinter : public ZafGdiDisplay {
 public:
  // Opens the default printer without showing anything; without one the page model keeps its defaults.
  ZafPrinter();
  ~ZafPrinter() override;

  const ZafIChar* ClassName() const { return u"ZafPrinter"; }
  int32_t Open() { return 0; }

  // Draws on the printer's context whatever device context or window is given; the printer keeps its
  // context when the outermost EndDraw gives it back.
  void BeginDraw(native::HDC deviceContext, native::HWND window, const ZafRegionStruct& region,
                 const ZafRegionStruct& clip) override;
  void CopyArea(const ZafRegionStruct&, int32_t, int32_t) override {}
  void FocusRectangle(const ZafRegionStruct*, const ZafRegionStruct*) override {}
  // Keeps the clip as given; applies it where drawing puts it (scale and origin), moved in by the margins
  // and cut to the printable area.
  void SetClipRegion(const ZafRegionStruct& clip) override;
  using ZafGdiDisplay::SaveState;
  // Makes a device context the printer's and reads its metrics and page; answers the previous one.
  native::HDC SaveState(native::HDC dc);
  native::HDC PrinterContext() const { return printerContext; }
  // Landscape only when the device mode reports that orientation: one that reports none prints upright.
  static bool IsLandscape(native::HGLOBAL devMode);

  // Word-wrapped text in a region; answers the region's bottom. Coordinates take no scale or origin.
  int32_t TextBlock(int32_t left, int32_t top, int32_t right, int32_t bottom, const ZafIChar* text,
                    int32_t length, int32_t horizontalJustify, int32_t verticalJustify, bool fill);
  // One line of text; answers the y below it in the current coordinate type.
  int32_t TextLine(int32_t left, int32_t top, int32_t right, const ZafIChar* text, int32_t length,
                   int32_t horizontalJustify, bool fill);

  // Runs the printer's print dialog on the record: 1 when the user chose OK (the record then holds the
  // choice), else 0.
  int32_t PrintDialog(ZafPrintJobRecord& record);
  int32_t PrintSetupDialog();

  // The page model, sizes in the current coordinate type.
  int32_t Landscape() const { return pageModel.Landscape() ? 1 : 0; }
  int32_t PageWidth() const { return ToCurrentX(pageModel.PageWidth()); }
  int32_t PageHeight() const { return ToCurrentY(pageModel.PageHeight()); }
  int32_t PrintableWidth() const { return ToCurrentX(pageModel.PrintableWidth()); }
  int32_t PrintableHeight() const { return ToCurrentY(pageModel.PrintableHeight()); }
  void Margins(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) const;
  // Turns the page when the printer accepts the orientation; answers the landscape flag.
  int32_t SetLandscape(int32_t landscape);
  int32_t SetPageWidth(int32_t width);
  int32_t SetPageHeight(int32_t height);
  int32_t SetPrintableWidth(int32_t width);
  int32_t SetPrintableHeight(int32_t height);
  void SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom);

  // Starts a document: 0 when it started, non-zero when there is no printer context or the printer
  // refused it (a failed start leaves no document open). A nested call joins the open document, which
  // the last EndDocument ends; an EndDocument without an open document does nothing.
  int32_t BeginDocument(const ZafIChar* name);
  void BeginPage();
  void EndPage();
  void EndDocument();

 private:
  friend class ZafPrintDialog;

  int32_t ToCurrentX(int32_t pixels) const;
  int32_t ToCurrentY(int32_t pixels) const;
  int32_t ToPixelsX(int32_t value) const;
  int32_t ToPixelsY(int32_t value) const;
  // The whole printable area as a page clip, in pixels.
  ZafRegionStruct PageClip() const;
  // Runs the native dialog on the printer's blocks; on OK takes the new blocks and context.
  bool RunPrintDlg(native::PRINTDLG& request);
  void TakeBlocks(native::HGLOBAL devMode, native::HGLOBAL devNames);
  // Reads one field of the printer's device mode, storing a new value first when given (the printer then
  // gets a new context); 0 when the field is not listed or there is no printer.
  int32_t DriverProperty(native::DWORD field, std::optional<short> newValue);
  // The display's pixels per inch and cell size from the page model's resolution.
  void UseResolution();
  void CreateFonts();
  void DestroyFonts();

  ZafPageModel pageModel;
  native::HDC printerContext = nullptr;
  native::HGLOBAL devModeBlock = nullptr;
  native::HGLOBAL devNamesBlock = nullptr;
  int32_t physicalOffsetX = 0;
  int32_t physicalOffsetY = 0;
  int32_t documentNesting = 0;
};

#endif
