// The printed page in printer pixels: the sheet as the driver reports it (portrait width and length), the
// orientation, four margins and the printable size between them. Landscape turns the sheet, so the page's
// width and height swap exactly once per change of orientation.
#ifndef FRAMEWORK_CORE_ZAFPAGEMODEL_H
#define FRAMEWORK_CORE_ZAFPAGEMODEL_H

#include <cstdint>

class ZafPageModel {
 public:
  // The resolution and sheet used while no printer has reported its own: US Letter at 300 pixels an inch.
  static constexpr int32_t kDefaultPixelsPerInch = 300;
  static constexpr int32_t kDefaultWidthThousandths = 8500;
  static constexpr int32_t kDefaultLengthThousandths = 11000;
  static constexpr int32_t kDefaultMarginThousandths = 500;

  ZafPageModel() { SetResolution(kDefaultPixelsPerInch, kDefaultPixelsPerInch); }

  // A different resolution brings back the default sheet and half-inch margins in its pixels; 0 or less
  // takes the default resolution.
  void SetResolution(int32_t pixelsPerInchX, int32_t pixelsPerInchY);
  // The sheet in tenths of a millimetre, portrait; a side of 0 or less (not reported) keeps the default.
  void SetPaperTenths(int32_t widthTenths, int32_t lengthTenths);
  int32_t PixelsFromTenthsX(int32_t tenths) const { return tenths * pixelsPerInchX / 254; }
  int32_t PixelsFromTenthsY(int32_t tenths) const { return tenths * pixelsPerInchY / 254; }
  int32_t TenthsFromPixelsX(int32_t pixels) const;
  int32_t TenthsFromPixelsY(int32_t pixels) const;

  bool Landscape() const { return landscape; }
  void SetLandscape(bool turned) { landscape = turned; }
  int32_t PageWidth() const { return landscape ? paperLength : paperWidth; }
  int32_t PageHeight() const { return landscape ? paperWidth : paperLength; }
  // The page's width or height as it lies, in pixels.
  void SetPageWidth(int32_t width);
  void SetPageHeight(int32_t height);
  // Never below 0.
  int32_t PrintableWidth() const;
  int32_t PrintableHeight() const;
  // Moves the right (bottom) margin; a printable size beyond the page leaves that margin at 0.
  void SetPrintableWidth(int32_t width);
  void SetPrintableHeight(int32_t height);
  void SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom);

  int32_t pixelsPerInchX = kDefaultPixelsPerInch;
  int32_t pixelsPerInchY = kDefaultPixelsPerInch;
  int32_t leftMargin = 0;
  int32_t topMargin = 0;
  int32_t rightMargin = 0;
  int32_t bottomMargin = 0;

 private:
  int32_t paperWidth = 0;
  int32_t paperLength = 0;
  bool landscape = false;
};

#endif
