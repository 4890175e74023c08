// A display for the framework core's tests: the screen display's metrics on a 1280 x 1024 desktop at
// 96 dpi with 8 x 24 pixel cells, and drawing that only records each call, so tests can check what a
// window asked the display to draw.
#ifndef TESTING_ZAFTESTDISPLAY_H
#define TESTING_ZAFTESTDISPLAY_H

#include <string>
#include <vector>

#include "framework/core/zafdisplay.h"

class ZafTestDisplay : public ZafDisplay {
 public:
  // The new display becomes the display of record.
  ZafTestDisplay();

  void BeginDraw(native::HDC deviceContext, native::HWND window, const ZafRegionStruct& region,
                 const ZafRegionStruct& clip) override;
  void EndDraw() override;
  native::HDC DeviceContext() override { return nullptr; }
  void SaveState() override;
  void RestoreState() override;
  void SetPalette(const ZafPaletteStruct& newPalette) override;
  void SetFont(int32_t fontIndex) override;
  void SetForeground(int32_t colorIndex) override;
  void SetBackground(int32_t colorIndex) override;
  void SetLineStyle(uint8_t lineStyle) override;
  void SetFillPattern(uint8_t fillPattern) override;
  uint8_t SetMode(uint8_t mode) override;
  void SetClipRegion(const ZafRegionStruct& clip) override;
  void Text(int32_t left, int32_t top, int32_t right, int32_t bottom, const ZafIChar* text, int32_t length,
            int32_t horizontalJustify, int32_t verticalJustify, int32_t hotKeyIndex, bool fill) override;
  void Text(int32_t x, int32_t y, const ZafIChar* text, int32_t length, int32_t hotKeyIndex,
            bool fill) override;
  // Every character is one cell wide and one cell high.
  ZafRegionStruct TextSize(const ZafIChar* text, int32_t length) override;
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width) override;
  void Pixel(int32_t x, int32_t y, int32_t color, int32_t monochromeColor) override;
  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width, bool fill) override;
  void Polygon(int32_t count, const int32_t* points, int32_t width, bool fill, bool close) override;
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom, float startAngle, float endAngle,
               int32_t width, bool fill) override;
  void FocusRectangle(const ZafRegionStruct* first, const ZafRegionStruct* second) override;
  void CopyArea(const ZafRegionStruct& area, int32_t x, int32_t y) override;
  void DeviceIndependentBits(const ZafRegionStruct& region, int32_t width, int32_t height,
                             const uint8_t* bits, int32_t bitsPerPixel) override;
  native::HCURSOR ConvertToOSMouse(ZafMouseData* mouse) override;

  // One line per call, for example "Line 0 0 9 0 1".
  std::vector<std::string> calls;
  // Save and restore must balance over a draw.
  int savedStates = 0;

 private:
  void Record(const std::string& call);
};

#endif
