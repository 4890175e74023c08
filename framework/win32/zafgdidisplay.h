// The display that draws with the native drawing layer: colour, font, pen-style, fill-pattern and raster
// tables that the screen and printer displays fill, pens and brushes from one cache shared by every
// display, coordinate conversion with scale and origin, and nested BeginDraw/EndDraw pairs of which only
// the outermost takes and gives back the device context.
#ifndef FRAMEWORK_WIN32_ZAFGDIDISPLAY_H
#define FRAMEWORK_WIN32_ZAFGDIDISPLAY_H

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "framework/core/zafdisplay.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zaficondata.h"
#include "native/gdi/gditypes.h"

class ZafCache;

// Error results of the colour and font tables.
inline constexpr int32_t ZAF_ERROR_INVALID_INDEX = 19;
inline constexpr int32_t ZAF_COLOR_TABLE_FULL = 254;
inline constexpr int32_t ZAF_ERROR_NO_NATIVE_IMAGE = 11;
// A colour index that takes the palette's native colour word instead of a table entry.
inline constexpr uint8_t ZAF_OS_COLOR_INDEX = 253;
// BeginDraw's window for drawing on the whole screen.
inline const native::HWND ZAF_WHOLE_SCREEN = reinterpret_cast<native::HWND>(static_cast<intptr_t>(-1));

class ZafGdiDisplay : public ZafDisplay {
 public:
  static constexpr int kColors = 127;
  static constexpr int kFonts = 10;
  static constexpr int kPenStyles = 10;
  static constexpr int kFillPatterns = 15;
  static constexpr int kRasterModes = 10;
  static constexpr native::COLORREF kUndefinedColor = 0xFFFFFFFF;
  // Colour table entries from here up are free for DefineColor(-2).
  static constexpr int kFirstFreeColor = 32;
  // Pens and brushes the shared cache keeps when nobody uses them.
  static constexpr int kCacheCapacity = 32;
  static constexpr uint32_t kPenKind = 1;
  static constexpr uint32_t kBrushKind = 2;

  ~ZafGdiDisplay() override;

  // ---- Drawing state ----
  // With a device context, draws on it; else on the window's (ZAF_WHOLE_SCREEN: the screen's); the region
  // is the drawing object's and only the clip is applied here. Nested pairs share the outermost's device
  // context; each EndDraw gives back the clip that was in force at its BeginDraw.
  void BeginDraw(native::HDC deviceContext, native::HWND window, const ZafRegionStruct& region,
                 const ZafRegionStruct& clip) override;
  void EndDraw() override;
  native::HDC DeviceContext() override { return deviceContext; }
  native::HWND DeviceWindow() const { return deviceWindow; }
  // Pushes and pops the device context's state together with the palette, raster mode and clip.
  void SaveState() override;
  void RestoreState() override;
  void SetPalette(const ZafPaletteStruct& newPalette) override;
  void SetFont(int32_t fontIndex) override;
  void SetForeground(int32_t colorIndex) override;
  void SetBackground(int32_t colorIndex) override;
  void SetLineStyle(uint8_t lineStyle) override;
  void SetFillPattern(uint8_t fillPattern) override;
  uint8_t SetMode(uint8_t mode) override;
  // Stores the clip as given and clips the device context to it where drawing puts it (scale and origin).
  void SetClipRegion(const ZafRegionStruct& clip) override;
  // The device context's clip box in pixels, right and bottom exclusive as the drawing layer reports them.
  ZafRegionStruct ClipRegion();

  // ---- Drawing ----
  void Text(int32_t left, int32_t top, int32_t right, int32_t bottom, const ZafIChar* text, int32_t length,
            int32_t horizontalJustify, int32_t verticalJustify, int32_t hotKeyIndex, bool fill) override;
  void Text(int32_t x, int32_t y, const ZafIChar* text, int32_t length, int32_t hotKeyIndex,
            bool fill) override;
  // (1, 1, width, height) in the current coordinate type; (1, 1, 0, 0) pixels for no text.
  ZafRegionStruct TextSize(const ZafIChar* text, int32_t length) override;
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width) override;
  void Pixel(int32_t x, int32_t y, int32_t color, int32_t monochromeColor) override;
  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width, bool fill) override;
  void Polygon(int32_t count, const int32_t* points, int32_t width, bool fill, bool close) override;
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom, float startAngle, float endAngle,
               int32_t width, bool fill) override;
  // Pixel regions, no conversion: the second is drawn first.
  void FocusRectangle(const ZafRegionStruct* first, const ZafRegionStruct* second) override;
  // Pixel region to a pixel position on the same device, no conversion.
  void CopyArea(const ZafRegionStruct& area, int32_t x, int32_t y) override;
  void DeviceIndependentBits(const ZafRegionStruct& region, int32_t width, int32_t height,
                             const uint8_t* bits, int32_t bitsPerPixel) override;
  native::HCURSOR ConvertToOSMouse(ZafMouseData* mouse) override;

  // ---- Bitmaps and icons ----
  // Draws at a position, making the native bitmap first when there is none; transparent pixels keep
  // what is under them.
  void Bitmap(int32_t x, int32_t y, ZafBitmapStruct& bitmap);
  // Makes the colour bitmap, and the mask when some pixel is transparent.
  void ConvertToOSBitmap(ZafBitmapStruct& bitmap);
  // Reads the native bitmap back into fresh pixels: 11 without a native bitmap.
  int32_t ConvertToZafBitmap(ZafBitmapStruct& bitmap);
  // Deletes the handles unless they are static, and clears them.
  void DestroyOSBitmap(ZafBitmapStruct& bitmap);
  void FreeBitmapPixels(ZafBitmapStruct& bitmap);
  // Draws an icon at its own size; the scale moves only its position.
  void Icon(int32_t x, int32_t y, ZafIconStruct& icon);
  void ConvertToOSIcon(ZafIconStruct& icon);
  int32_t ConvertToZafIcon(ZafIconStruct& icon);
  void DestroyOSIcon(ZafIconStruct& icon);
  void FreeIconPixels(ZafIconStruct& icon);

  // ---- Tables ----
  // Index -2 takes the first undefined entry from 32 up. Answers the index, or 254 when there is none or
  // the index is outside 0 to 126.
  int32_t DefineColor(int32_t index, uint8_t red, uint8_t green, uint8_t blue);
  // 19 for an index outside 0 to 126; else the entry becomes undefined and 0 is answered.
  int32_t ReleaseColor(int32_t index);
  // 19 for an index outside 0 to 126 or an undefined entry.
  int32_t ColorMap(int32_t index, uint8_t& red, uint8_t& green, uint8_t& blue) const;
  // Index -1 takes the first empty slot. Answers the index, or -1.
  int32_t ConvertToOSFont(int32_t index, const ZafIChar* face, int32_t pointSize, bool bold, bool italic);
  int32_t DestroyOSFont(int32_t index);
  // The face (into a buffer of `capacity` characters, when given), point size, bold and italic of a
  // font: 19 for an index outside 0 to 9 or an empty slot.
  int32_t FontInfo(int32_t index, ZafIChar* face, int32_t capacity, int32_t& pointSize, bool& bold,
                   bool& italic);
  // Rebuilds the logical palette from the defined colour entries, in table order.
  void RebuildPalette();

  // The cached pen (width in pixels; -1 a one-pixel pen, 0 no pen) and brush for a palette.
  native::HPEN GetPen(const ZafPaletteStruct& forPalette, int32_t width);
  native::HBRUSH GetBrush(const ZafPaletteStruct& forPalette);
  static int32_t ReleaseCachedObject(native::HGDIOBJ handle);
  // The cache's creation of a pen or brush from its keys.
  static native::HGDIOBJ CreateGdiObject(uint32_t key1, uintptr_t key2);
  // The shared cache; it lives while any GDI display does.
  static ZafCache* Cache() { return cache; }

  // The palette every outermost EndDraw returns to.
  static ZafPaletteStruct DefaultPalette();
  // The native colour word of a colour index, 253 taking the given native word.
  native::COLORREF ColorWord(uint8_t index, uint32_t osColor) const;

  std::array<int, kPenStyles> penStyles{};
  std::array<native::HBITMAP, kFillPatterns> fillPatterns{};
  std::array<native::COLORREF, kColors> colors{};
  // Per raster mode: the line mix and the block operation.
  std::array<std::pair<int, native::DWORD>, kRasterModes> rasterModes{};
  bool paletteDevice = false;

 protected:
  // Every table empty; the derived display fills them.
  ZafGdiDisplay();
  // A region as drawing places it: converted to pixels, scaled and moved by the drawing origin, so that a
  // clip follows what is drawn inside it.
  ZafRegionStruct DrawnRegion(const ZafRegionStruct& region) const;
  // Selects a clip of device pixels on the device context, when there is one.
  void SelectClip(const ZafRegionStruct& pixels);

 private:
  struct SavedState {
    ZafPaletteStruct palette;
    uint8_t rasterMode;
    ZafRegionStruct clip;
  };

  int32_t PixelX(int32_t x) const;
  int32_t PixelY(int32_t y) const;
  // A pixel value scaled and moved by an origin.
  int32_t Placed(int32_t pixels, int32_t origin) const;
  // A width of 1 or more converted and scaled, at least 1; others unchanged.
  int32_t PixelWidth(int32_t width) const;
  // Takes the device context for the outermost BeginDraw, and gives it back.
  void AttachDeviceContext(native::HDC dc);
  void DetachDeviceContext();
  void ReplaceCurrentPen();
  void ReplaceCurrentBrush();
  // Draws with a temporary pen of the given pixel width selected, then puts the current pen back.
  template <typename Draw>
  void WithPen(int32_t pixelWidth, Draw draw);
  // The screen's or the current device context, with the logical palette selected and realized.
  native::HDC ImageContext();
  void ReleaseImageContext(native::HDC dc);
  // Native bitmaps from framework pixels: the colour bitmap, and the mask or null.
  std::pair<native::HBITMAP, native::HBITMAP> MakeBitmaps(int32_t width, int32_t height,
                                                          const uint8_t* pixels);
  // Framework pixels from a colour bitmap and an optional mask; empty when they cannot be read.
  std::vector<uint8_t> ReadBitmaps(native::HBITMAP color, native::HBITMAP mask, int32_t& width,
                                   int32_t& height);
  void DrawTextInto(native::HDC dc, const ZafIChar* text, int32_t length, native::RECT& rect,
                    native::UINT format, int32_t hotKeyIndex);

  native::HBRUSH currentBrush = nullptr;
  native::HDC deviceContext = nullptr;
  native::HPEN currentPen = nullptr;
  native::HWND deviceWindow = nullptr;
  int32_t drawNesting = 0;
  // The clip in force at each open BeginDraw, innermost last.
  std::vector<ZafRegionStruct> clipsAtBeginDraw;
  std::vector<SavedState> savedStates;

  static ZafCache* cache;
  static int displays;
};

#endif
