// The mix-in that every toolkit control carries beside its framework class: it points back at the object
// it belongs to and gives the program one set of operations on any toolkit object (taking the focus,
// redisplaying, coordinate conversions, text measuring, and drawing through the screen display).
#ifndef TOOLKIT_KZWINDOWOBJECTLEECH_H
#define TOOLKIT_KZWINDOWOBJECTLEECH_H

#include <cstdint>

#include "foundation/kpoint.h"
#include "foundation/krect.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafeventtypes.h"
#include "framework/data/zafpalettestruct.h"
#include "framework/data/zaftypes.h"

class ZafWindowObject;

// What SetDrawingState saves and restores: the display's raster mode and palette.
struct KZDrawingState {
  uint8_t mode = 0;
  ZafPaletteStruct palette{};
};

class KZWindowObjectLeech {
 public:
  // Bit of `flags`: redisplay the object after it moved or changed size.
  static constexpr uint32_t kRedisplayOnGeometry = 1;

  explicit KZWindowObjectLeech(ZafWindowObject* object);
  virtual ~KZWindowObjectLeech() = default;
  KZWindowObjectLeech(const KZWindowObjectLeech&) = delete;
  KZWindowObjectLeech& operator=(const KZWindowObjectLeech&) = delete;

  // Takes LeechNotifyEvent (the object takes the focus) and answers it; 0 for every other event. A class
  // deriving from a framework class and the mix-in overrides both Event slots with one handler.
  virtual ZafEventType Event(const ZafEventRecord& event);
  virtual void TakeFocus();
  // After a move or size change: redisplays when `flags` asks for it.
  virtual void GeometryChanged();
  // Asks the object to redraw itself (RedisplayEvent), or to draw at once (DrawNowEvent).
  virtual void Redisplay();
  virtual void RedrawNow();
  // The object's area in pixels with its top-left corner at (0, 0).
  virtual KRect LocalRegion();

  bool HasNativeWindow() const;

  // Between the object's own coordinates and its parent's (the stored left and top of its region).
  KPoint ToParentPoint(KPoint point) const;
  KRect ToParentRect(KRect rect) const;
  KPoint FromParentPoint(KPoint point) const;
  KRect FromParentRect(KRect rect) const;
  // Between local coordinates and the pixels of the native window the object draws in; conversions to the
  // drawing are held to -30000..30000.
  KPoint ToDrawPoint(KPoint point) const;
  KRect ToDrawRect(KRect rect) const;
  KPoint FromDrawPoint(KPoint point) const;
  KRect FromDrawRect(KRect rect) const;
  // Between local coordinates and the screen.
  KPoint ToScreenPoint(KPoint point) const;
  KRect ToScreenRect(KRect rect) const;
  KPoint FromScreenPoint(KPoint point) const;
  KRect FromScreenRect(KRect rect) const;

  // The text's width (x) and height (y) in pixels in the object's font; a length of -1 measures it all.
  KPoint TextExtent(const ZafIChar* text, int32_t length = -1) const;
  int32_t TextWidth(const ZafIChar* text, int32_t length = -1) const;
  // TextWidth in character cells of the screen display, rounded up.
  int32_t CharWidthUnits(const ZafIChar* text, int32_t length = -1) const;
  // Of the screen display's font index 0-9 (0 and null outside).
  static int32_t FontHeight(int32_t fontIndex);
  static const char* FontFaceName(int32_t fontIndex);
  int32_t ObjectFontHeight() const;

  // The display's clip region in local coordinates; the setter answers the previous one (and, without a
  // native window, sets nothing and answers the rectangle given).
  KRect ClipRegion() const;
  KRect SetClipRegion(const KRect& rect);
  KZDrawingState DrawingState() const;
  KZDrawingState SetDrawingState(const KZDrawingState& state);

  // Drawing in local coordinates, between the object's BeginDraw and EndDraw; nothing happens without a
  // native window.
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width);
  void DrawRectangle(const KRect& rect, int32_t width, bool fill);
  void DrawTextAt(int32_t x, int32_t y, const ZafIChar* text, int32_t hotKeyIndex, bool fill);
  // The longest first part of the text that fits the rectangle's width (possibly none, never half of a
  // character of two units), aligned in it.
  void DrawTextFitted(const KRect& rect, const ZafIChar* text, int32_t horizontalJustify,
                      int32_t verticalJustify, bool fill);
  void CopyArea(const KRect& rect, int32_t x, int32_t y);
  void RedrawRegion(const KRect& rect, ZafEventType drawType);
  void DrawBackground(const KRect& rect, ZafEventType drawType);
  void DrawShadow(const KRect& rect, int32_t depth, ZafEventType drawType);
  // The focus mark round the rectangle, while the object has the focus; it toggles what it covers, so the
  // rectangle is one just drawn in full.
  void DrawFocusMark(const KRect& rect);
  // Top-down rows of 15 or 24 bits a pixel, `rowStride` bytes apart, filling the rectangle. With a
  // transparent colour (0x00BBGGRR; -1 for none) the picture goes pixel by pixel and pixels of that colour
  // are left out; only 24-bit pictures can have one. Anything else, or a stride shorter than a row, draws
  // nothing.
  void DrawBits(const KRect& rect, const uint8_t* bits, int32_t bitsPerPixel, int32_t rowStride,
                int32_t transparent);

  ZafWindowObject* const object;
  uint32_t flags = 0;

 protected:
  // The object's area in pixels moved to (0, 0).
  static KRect AtOrigin(const ZafRegionStruct& pixels);

 private:
  // The top-left corner of the object's drawing region in its native window, in pixels.
  KPoint DrawOrigin() const;
  // That corner on the screen.
  KPoint ScreenOrigin() const;
  // A local rectangle as a pixel region of the drawing.
  ZafRegionStruct DrawRegion(const KRect& rect) const;
};

#endif
