// KZPrinter: the program's printer. It keeps the chosen printer and the page margins, runs the print and
// print-setup dialogs, and prints a job on a page of 1/75 inch units whose origin is the top-left margin:
// text in three fonts taken from the icon-title font, ruled lines and device-independent bitmaps. Nothing
// is drawn outside the printable area inside the margins.
//
// A job runs: PrintDialog, CreateFonts, StartDoc, for each page StartPage, drawing and EndPage, then EndDoc
// (or AbortDoc), then ReleaseObjects. Every operation answers false without a printer context.
#ifndef TOOLKIT_KZPRINTER_H
#define TOOLKIT_KZPRINTER_H

#include <cstdint>

#include "foundation/kstring.h"
#include "native/gdi/gditypes.h"
#include "native/print/printdlg.h"
#include "toolkit/kztextfit.h"

class KRGroup;

class KZPrinter {
 public:
  static constexpr int32_t kFontSlots = 10;
  // Page units per inch.
  static constexpr int32_t kPageResolution = 75;
  // The bold font's slot: its rules are drawn one page unit wide.
  static constexpr int32_t kBoldSlot = 3;

  // Margin sides, and the units margins are shown in (they are kept in thousandths of an inch).
  enum Side { kLeft, kTop, kRight, kBottom };
  static constexpr int32_t kInches = 0;
  static constexpr int32_t kCentimetres = 1;

  // Alignment codes of DrawText.
  static constexpr int32_t kAlignLeft = 0;
  static constexpr int32_t kAlignRight = 1;
  static constexpr int32_t kAlignCentre = 2;
  static constexpr int32_t kAlignTop = 0;
  static constexpr int32_t kAlignBottom = 1;

  // Finds the default printer.
  KZPrinter();
  ~KZPrinter();
  KZPrinter(const KZPrinter&) = delete;
  KZPrinter& operator=(const KZPrinter&) = delete;

  // The integer settings "Left", "Right", "Top", "Bottom" and "Unit" of the group. Loading needs all five
  // and otherwise changes nothing; negative margins load as 0. Both answer whether all five were there.
  bool LoadMargins(const KRGroup* group);
  bool SaveMargins(KRGroup* group) const;
  int32_t Margin(Side side) const { return margins[side]; }
  void SetMargin(Side side, int32_t thousandths);
  int32_t Unit() const { return unit; }
  void SetUnit(int32_t newUnit) { unit = newUnit == kCentimetres ? kCentimetres : kInches; }
  // A margin as the page-setup dialog shows it in the unit ("%0.2lf"), and a value typed there back in
  // thousandths of an inch (cut to 0 and the largest margin; what is not a number gives 0).
  static KString MarginText(int32_t thousandths, int32_t unit);
  static int32_t MarginFromValue(double value, int32_t unit);

  // The print-setup and print dialogs, owned by the program's main window; true when confirmed. The print
  // dialog's printer context is taken by CreateFonts.
  bool PrintSetup();
  bool PrintDialog();
  bool PageSetupDialog();

  // Takes the print dialog's context, measures the page and creates the fonts. False, with everything
  // released, without a context, for a device that reports no size or no pixels, when the margins leave
  // no page, or when a font cannot be made.
  bool CreateFonts();
  // With print to file chosen, a save dialog for a "ps" file (starting from the print dialog's file) asks
  // where the job goes; cancelling it starts nothing. True when the job started.
  bool StartDoc(const KString& documentName);
  bool StartPage();
  bool EndPage();
  bool EndDoc();
  bool AbortDoc();
  void ReleaseObjects();

  // Measures the page of a device `widthMm` x `heightMm` of `widthPixels` x `heightPixels` within the
  // margins; false, with nothing changed, when the device reports nothing or no page is left.
  bool MeasurePage(int32_t widthMm, int32_t heightMm, int32_t widthPixels, int32_t heightPixels);
  // Thousandths of an inch inside the margins.
  int32_t PrintableWidth() const { return printableWidth; }
  int32_t PrintableHeight() const { return printableHeight; }
  int32_t PrintablePixelWidth() const { return printablePixelWidth; }
  int32_t PrintablePixelHeight() const { return printablePixelHeight; }
  // Pixels per inch.
  int32_t ResolutionX() const { return resolutionX; }
  int32_t ResolutionY() const { return resolutionY; }
  // Page units.
  int32_t PageWidth() const { return pageWidth; }
  int32_t PageHeight() const { return pageHeight; }

  // The page in device pixels instead of page units, with the same origin; StartPage keeps the choice.
  void SetPixelCoordinates(bool pixels);
  // Page units to device pixels and back, truncating; unchanged before the page is measured.
  native::POINT ToDevice(native::POINT point) const;
  native::RECT ToDevice(const native::RECT& rect) const;
  native::POINT ToPage(native::POINT point) const;
  native::RECT ToPage(const native::RECT& rect) const;

  // The font slot (0 to 9) of the following text and rules; other slots are ignored.
  void SetFlag(int32_t slot);
  // The height of a slot's font in page units; 0 for an empty slot or one outside 0 to 9.
  int32_t FontHeight(int32_t slot) const;
  // Rows: while above 1, DrawText and DrawLines take a rectangle's top as a row number.
  void SetRowHeight(int32_t height) { rowHeight = height > 1 ? height : 1; }
  int32_t RowHeight() const { return rowHeight; }
  // The line height of an image printout at a resolution (-1 for the device's vertical one).
  int32_t LineHeight(int32_t resolution = -1) const;

  // Width and height of the text (-1: to its end) in the current font, in page units.
  native::SIZE TextExtent(const char16_t* text, int32_t length = -1) const;
  // How many characters from the text's start fit `width` page units in the current font.
  int32_t FitText(const char16_t* text, int32_t length, int32_t width) const;
  // The text as it fits `width` page units in the current font: whole, or its longest beginning that fits
  // with "..." after it, blanks before the "..." dropped, so that a reader sees it is cut. When not even
  // one character fits beside the "...", as much of "..." as fits, down to nothing: never a clipped text
  // without its mark.
  KString ShortenText(const KString& text, int32_t width) const;
  // The DrawText format flags of the alignment codes.
  static native::UINT AlignmentFormat(int32_t horizontal, int32_t vertical);
  // Black text on one line, cut at its end to the rectangle's width; false when nothing was drawn (an
  // empty rectangle, or the text would leave the page).
  bool DrawText(const native::RECT& rect, const char16_t* text, int32_t horizontal, int32_t vertical);
  // A black rule along the rectangle's bottom, within the page; false when nothing was drawn.
  bool DrawLines(const native::RECT& rect);
  // Top-down pixels of the source's width and height (rows padded to 4 bytes; 15 bits a pixel as the
  // words 0RRRRRGGGGGBBBBB, 24 as blue, green, red) stretched over the destination. Other depths draw
  // nothing: false.
  bool DrawBitmap(const native::RECT& destination, const native::RECT& source, const void* pixels,
                  int32_t bitsPerPixel);

  // The device mode's orientation: landscape for 1, portrait for anything else.
  bool IsLandscape() const;
  void SetLandscape(int32_t landscape);

 private:
  bool RunPrintDlg(native::DWORD flags);
  void ApplyCoordinates();
  bool MakeFonts();
  // The rectangle with the rows rule applied (`rowEnd`: how far below the row's top the bottom lies).
  native::RECT Rows(const native::RECT& rect, int32_t rowEnd) const;
  // The current page's extent: page units, or pixels.
  native::SIZE Extent() const;
  // TextExtent's width, as the text fits measure it.
  KZTextMeasure WidthMeasure() const;

  int32_t printableWidth = 0;
  int32_t printableHeight = 0;
  int32_t printablePixelWidth = 0;
  int32_t printablePixelHeight = 0;
  int32_t resolutionX = 0;
  int32_t resolutionY = 0;
  int32_t pageWidth = 0;
  int32_t pageHeight = 0;
  int32_t originX = 0;
  int32_t originY = 0;
  int32_t margins[4] = {0, 0, 0, 0};
  int32_t unit = kInches;
  int32_t rowHeight = 1;
  int32_t fontSlot = 1;
  bool pixelCoordinates = false;
  native::HDC dc = nullptr;
  int32_t jobId = -1;
  native::HFONT fonts[kFontSlots] = {};
  native::PRINTDLG printDialog{};
  // Font heights in page units, read when the fonts are made.
  int32_t fontHeights[kFontSlots] = {};
};

#endif
