// The abstract display: the metrics that coordinate conversions use, the drawing state, and the drawing
// operations that the screen and printer displays implement on the native drawing layer. One display is
// the display of record; conversions that are given no display use it.
#ifndef FRAMEWORK_CORE_ZAFDISPLAY_H
#define FRAMEWORK_CORE_ZAFDISPLAY_H

#include <array>
#include <cstdint>

#include "framework/core/zafregionstruct.h"
#include "framework/data/zafpalettestruct.h"
#include "framework/data/zaftypes.h"
#include "native/gdi/gditypes.h"
#include "native/user/nativetypes.h"

class ZafMouseData;

class ZafDisplay {
 public:
  ZafDisplay();
  ZafDisplay(const ZafDisplay&) = delete;
  ZafDisplay& operator=(const ZafDisplay&) = delete;
  // A display that is the display of record stops being it.
  virtual ~ZafDisplay();

  static ZafDisplay* DisplayOfRecord() { return displayOfRecord; }
  static void SetDisplayOfRecord(ZafDisplay* display) { displayOfRecord = display; }

  // Converts a horizontal (ConvertCoordinate) or vertical (ConvertYValue) value between coordinate types
  // with the display's cell metrics and pixels per inch, rounding half away from zero. A null display
  // means the display of record. Equal types, no display at all, a type the display does not know or
  // metrics of 0 leave the value unchanged, so a bad stored type never divides by zero.
  static int32_t ConvertCoordinate(const ZafDisplay* display, int32_t value, int32_t fromType,
                                   int32_t toType);
  static int32_t ConvertYValue(const ZafDisplay* display, int32_t value, int32_t fromType, int32_t toType);
  // Returns the previous coordinate type.
  int32_t SetCoordinateType(int32_t type);
  // 100 x scale numerator / scale denominator (100 for a display without a usable scale).
  static int32_t ScalePercent(const ZafDisplay* display);

  // Drawing. Coordinates are pixels of the window being drawn; a width is a line width in pixels.
  virtual void BeginDraw(native::HDC deviceContext, native::HWND window, const ZafRegionStruct& region,
                         const ZafRegionStruct& clip) = 0;
  virtual void EndDraw() = 0;
  virtual native::HDC DeviceContext() = 0;
  virtual void SaveState() = 0;
  virtual void RestoreState() = 0;
  // Selects the entry's colours, styles and font for what follows.
  virtual void SetPalette(const ZafPaletteStruct& palette) = 0;
  virtual void SetFont(int32_t fontIndex) = 0;
  virtual void SetForeground(int32_t colorIndex) = 0;
  virtual void SetBackground(int32_t colorIndex) = 0;
  virtual void SetLineStyle(uint8_t lineStyle) = 0;
  virtual void SetFillPattern(uint8_t fillPattern) = 0;
  // Returns the previous raster mode.
  virtual uint8_t SetMode(uint8_t mode) = 0;
  uint8_t Mode() const { return rasterMode; }
  virtual void SetClipRegion(const ZafRegionStruct& clip) = 0;
  // Text in a rectangle: horizontal justification 0 left, 1 right, 2 centred; vertical 0 top, 1 bottom,
  // 2 centred. A length of -1 draws the whole text; hotKeyIndex -1 underlines nothing.
  virtual void Text(int32_t left, int32_t top, int32_t right, int32_t bottom, const ZafIChar* text,
                    int32_t length, int32_t horizontalJustify, int32_t verticalJustify, int32_t hotKeyIndex,
                    bool fill) = 0;
  // Text with its top-left corner at a point.
  virtual void Text(int32_t x, int32_t y, const ZafIChar* text, int32_t length, int32_t hotKeyIndex,
                    bool fill) = 0;
  // The region the text covers, from (0, 0), in pixels.
  virtual ZafRegionStruct TextSize(const ZafIChar* text, int32_t length) = 0;
  virtual void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width) = 0;
  // Colour and monochrome colour -3 both mean the display's default colour.
  virtual void Pixel(int32_t x, int32_t y, int32_t color, int32_t monochromeColor) = 0;
  virtual void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width,
                         bool fill) = 0;
  // points holds count (x, y) pairs.
  virtual void Polygon(int32_t count, const int32_t* points, int32_t width, bool fill, bool close) = 0;
  // Angles in degrees: 0 to 360 is the whole ellipse, anything else an arc, or a pie when filled.
  virtual void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom, float startAngle,
                       float endAngle, int32_t width, bool fill) = 0;
  // Either region may be null. Drawing the same focus rectangle twice removes it.
  virtual void FocusRectangle(const ZafRegionStruct* first, const ZafRegionStruct* second) = 0;
  // Copies the pixels of the area so that its top-left corner lands on (x, y).
  virtual void CopyArea(const ZafRegionStruct& area, int32_t x, int32_t y) = 0;
  // Top-down rows of 15 or 24 bits per pixel, each row padded to 4 bytes, stretched over the region.
  virtual void DeviceIndependentBits(const ZafRegionStruct& region, int32_t width, int32_t height,
                                     const uint8_t* bits, int32_t bitsPerPixel) = 0;
  virtual native::HCURSOR ConvertToOSMouse(ZafMouseData* mouse) = 0;

  // Metrics in pixels unless said otherwise.
  int32_t columns = 0;
  int32_t lines = 0;
  int32_t pixelsPerInchX = 0;
  int32_t pixelsPerInchY = 0;
  // Added above and below a region given in cells, so that rows of cell-placed fields do not touch.
  int32_t preSpace = 0;
  int32_t postSpace = 0;
  int32_t cellWidth = 0;
  int32_t cellHeight = 0;
  // A mini-cell is this fraction of a cell.
  int32_t miniNumeratorX = 1;
  int32_t miniDenominatorX = 10;
  int32_t miniNumeratorY = 1;
  int32_t miniDenominatorY = 10;
  int32_t coordinateType = ZAF_PIXEL;
  // Set by the derived displays for their own use; the portable classes only keep it.
  int32_t optionWord = 1;
  uint8_t rasterMode = 0;
  int32_t originX = 0;
  int32_t originY = 0;
  int32_t scaleNumerator = 1;
  int32_t scaleDenominator = 1;
  ZafRegionStruct clipRegion{-10000, -10000, 10000, 10000, ZAF_PIXEL};
  ZafPaletteStruct palette{0, 0, 0, 15, 0, 2, 1, 0, 0};
  // Font index to native font (index 1 is the dialog text font). Each derived display keeps its own table
  // of colour index to native colour, sized for the colours it offers.
  std::array<native::HFONT, 10> fontTable{};
  native::HPALETTE logicalPalette = nullptr;

 private:
  static ZafDisplay* displayOfRecord;
};

#endif
