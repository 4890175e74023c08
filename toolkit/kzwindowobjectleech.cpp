#include "toolkit/kzwindowobjectleech.h"

#include <cstring>
#include <vector>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/zafgdidisplay.h"
#include "native/gdi/drawapi.h"
#include "native/user/windowpos.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzfonttable.h"
#include "toolkit/kztextfit.h"

namespace {

KRect ToKRect(const ZafRegionStruct& region) {
  return {region.left, region.top, region.right, region.bottom};
}

KRect Moved(KRect rect, KPoint by) {
  rect.Offset(by);
  return rect;
}

KRect MovedBack(KRect rect, KPoint by) {
  rect.OffsetBack(by);
  return rect;
}

KPoint Sum(KPoint point, KPoint by) {
  return {point.x + by.x, point.y + by.y};
}

KPoint Difference(KPoint point, KPoint by) {
  return {point.x - by.x, point.y - by.y};
}

// Clamps a point the way KRect::LimitClip clamps corners.
KPoint Limited(KPoint point) {
  KRect corner(point.x, point.y, point.x, point.y);
  corner.LimitClip();
  return {corner.left, corner.top};
}

// Copies rows `rowStride` bytes apart into rows padded to 4 bytes, the layout the display's
// device-independent bits take; rows already laid out so are used where they are.
const uint8_t* FourByteRows(const uint8_t* bits, int32_t rowBytes, int32_t rowStride, int32_t height,
                            std::vector<uint8_t>& copy) {
  const int32_t padded = (rowBytes + 3) & ~3;
  if (rowStride == padded) {
    return bits;
  }
  copy.assign(static_cast<size_t>(padded) * static_cast<size_t>(height), 0);
  for (int32_t row = 0; row < height; ++row) {
    std::memcpy(copy.data() + static_cast<size_t>(padded) * static_cast<size_t>(row),
                bits + static_cast<size_t>(rowStride) * static_cast<size_t>(row),
                static_cast<size_t>(rowBytes));
  }
  return copy.data();
}

}  // namespace

KZWindowObjectLeech::KZWindowObjectLeech(ZafWindowObject* object) : object(object) {}

ZafEventType KZWindowObjectLeech::Event(const ZafEventRecord& event) {
  if (event.type != LeechNotifyEvent) {
    return 0;
  }
  TakeFocus();
  return LeechNotifyEvent;
}

void KZWindowObjectLeech::TakeFocus() {
  object->SetFocus(true);
}

void KZWindowObjectLeech::GeometryChanged() {
  if (flags & kRedisplayOnGeometry) {
    Redisplay();
  }
}

void KZWindowObjectLeech::Redisplay() {
  object->Event(ZafEventRecord(static_cast<int32_t>(RedisplayEvent), 0));
}

void KZWindowObjectLeech::RedrawNow() {
  object->Event(ZafEventRecord(static_cast<int32_t>(DrawNowEvent), 0));
}

KRect KZWindowObjectLeech::LocalRegion() {
  ZafRegionStruct pixels = object->Region();
  object->ConvertRegion(pixels, ZAF_PIXEL);
  return AtOrigin(pixels);
}

KRect KZWindowObjectLeech::AtOrigin(const ZafRegionStruct& pixels) {
  return {0, 0, pixels.Width() - 1, pixels.Height() - 1};
}

bool KZWindowObjectLeech::HasNativeWindow() const {
  return object->ScreenID() != nullptr;
}

// ---- Coordinates ----

KPoint KZWindowObjectLeech::ToParentPoint(KPoint point) const {
  return Sum(point, {object->Region().left, object->Region().top});
}

KRect KZWindowObjectLeech::ToParentRect(KRect rect) const {
  return Moved(rect, {object->Region().left, object->Region().top});
}

KPoint KZWindowObjectLeech::FromParentPoint(KPoint point) const {
  return Difference(point, {object->Region().left, object->Region().top});
}

KRect KZWindowObjectLeech::FromParentRect(KRect rect) const {
  return MovedBack(rect, {object->Region().left, object->Region().top});
}

KPoint KZWindowObjectLeech::DrawOrigin() const {
  ZafRegionStruct draw = object->ConvertToDrawRegion();
  object->ConvertRegion(draw, ZAF_PIXEL);
  return {draw.left, draw.top};
}

KPoint KZWindowObjectLeech::ToDrawPoint(KPoint point) const {
  return Limited(Sum(point, DrawOrigin()));
}

KRect KZWindowObjectLeech::ToDrawRect(KRect rect) const {
  KRect moved = Moved(rect, DrawOrigin());
  moved.LimitClip();
  return moved;
}

KPoint KZWindowObjectLeech::FromDrawPoint(KPoint point) const {
  return Difference(point, DrawOrigin());
}

KRect KZWindowObjectLeech::FromDrawRect(KRect rect) const {
  return MovedBack(rect, DrawOrigin());
}

KPoint KZWindowObjectLeech::ScreenOrigin() const {
  const KPoint origin = DrawOrigin();
  native::POINT corner{origin.x, origin.y};
  native::ClientToScreen(object->ScreenID(), &corner);
  return {corner.x, corner.y};
}

KPoint KZWindowObjectLeech::ToScreenPoint(KPoint point) const {
  return Sum(point, ScreenOrigin());
}

KRect KZWindowObjectLeech::ToScreenRect(KRect rect) const {
  return Moved(rect, ScreenOrigin());
}

KPoint KZWindowObjectLeech::FromScreenPoint(KPoint point) const {
  return Difference(point, ScreenOrigin());
}

KRect KZWindowObjectLeech::FromScreenRect(KRect rect) const {
  return MovedBack(rect, ScreenOrigin());
}

ZafRegionStruct KZWindowObjectLeech::DrawRegion(const KRect& rect) const {
  const KRect draw = ToDrawRect(rect);
  return {draw.left, draw.top, draw.right, draw.bottom, ZAF_PIXEL};
}

// ---- Text ----

KPoint KZWindowObjectLeech::TextExtent(const ZafIChar* text, int32_t length) const {
  ZafDisplay* display = ZafWindowObject::display;
  if (!display || !text) {
    return {0, 0};
  }
  // Outside a drawing the display has no context to measure with: it opens one on the whole screen.
  const bool ownDrawing = display->DeviceContext() == nullptr;
  if (ownDrawing) {
    const ZafRegionStruct screen{0, 0, display->columns - 1, display->lines - 1, ZAF_PIXEL};
    display->BeginDraw(nullptr, ZAF_WHOLE_SCREEN, screen, screen);
    display->SetFont(object->TextFont());
  }
  const ZafRegionStruct size = display->TextSize(text, length);
  if (ownDrawing) {
    display->EndDraw();
  }
  return {size.Width(), size.Height()};
}

int32_t KZWindowObjectLeech::TextWidth(const ZafIChar* text, int32_t length) const {
  return TextExtent(text, length).x;
}

int32_t KZWindowObjectLeech::CharWidthUnits(const ZafIChar* text, int32_t length) const {
  const int32_t cellWidth = ZafWindowObject::display ? ZafWindowObject::display->cellWidth : 0;
  const int32_t width = TextWidth(text, length);
  return cellWidth > 0 ? (width + cellWidth - 1) / cellWidth : width;
}

int32_t KZWindowObjectLeech::FontHeight(int32_t fontIndex) {
  const native::TEXTMETRIC* metrics = KZFontTable::Metrics(fontIndex);
  return metrics ? metrics->tmHeight : 0;
}

const char* KZWindowObjectLeech::FontFaceName(int32_t fontIndex) {
  return KZFontTable::FaceName(fontIndex);
}

int32_t KZWindowObjectLeech::ObjectFontHeight() const {
  return FontHeight(object->TextFont());
}

// ---- Drawing state ----

KRect KZWindowObjectLeech::ClipRegion() const {
  return FromDrawRect(ToKRect(ZafWindowObject::display->clipRegion));
}

KRect KZWindowObjectLeech::SetClipRegion(const KRect& rect) {
  if (!HasNativeWindow()) {
    return rect;
  }
  const KRect previous = ClipRegion();
  ZafWindowObject::display->SetClipRegion(DrawRegion(rect));
  return previous;
}

KZDrawingState KZWindowObjectLeech::DrawingState() const {
  return {ZafWindowObject::display->Mode(), ZafWindowObject::display->palette};
}

KZDrawingState KZWindowObjectLeech::SetDrawingState(const KZDrawingState& state) {
  if (!HasNativeWindow()) {
    return state;
  }
  const KZDrawingState previous = DrawingState();
  ZafWindowObject::display->SetMode(state.mode);
  ZafWindowObject::display->SetPalette(state.palette);
  return previous;
}

// ---- Drawing ----

void KZWindowObjectLeech::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width) {
  if (!HasNativeWindow()) {
    return;
  }
  const KPoint from = ToDrawPoint({x1, y1});
  const KPoint to = ToDrawPoint({x2, y2});
  ZafWindowObject::display->Line(from.x, from.y, to.x, to.y, width);
}

void KZWindowObjectLeech::DrawRectangle(const KRect& rect, int32_t width, bool fill) {
  if (!HasNativeWindow()) {
    return;
  }
  const ZafRegionStruct draw = DrawRegion(rect);
  ZafWindowObject::display->Rectangle(draw.left, draw.top, draw.right, draw.bottom, width, fill);
}

void KZWindowObjectLeech::DrawTextAt(int32_t x, int32_t y, const ZafIChar* text, int32_t hotKeyIndex,
                                     bool fill) {
  if (!HasNativeWindow() || !text) {
    return;
  }
  const KPoint at = ToDrawPoint({x, y});
  ZafWindowObject::display->Text(at.x, at.y, text, -1, hotKeyIndex, fill);
}

void KZWindowObjectLeech::DrawTextFitted(const KRect& rect, const ZafIChar* text, int32_t horizontalJustify,
                                         int32_t verticalJustify, bool fill) {
  if (!HasNativeWindow() || !text) {
    return;
  }
  const int32_t length = KZFittingLength(
      text, -1, rect.Width(), [this](const ZafIChar* part, int32_t count) { return TextWidth(part, count); });
  if (length == 0) {
    return;
  }
  const ZafRegionStruct draw = DrawRegion(rect);
  ZafWindowObject::display->Text(draw.left, draw.top, draw.right, draw.bottom, text, length,
                                 horizontalJustify, verticalJustify, -1, fill);
}

void KZWindowObjectLeech::CopyArea(const KRect& rect, int32_t x, int32_t y) {
  if (!HasNativeWindow()) {
    return;
  }
  const KPoint to = ToDrawPoint({x, y});
  ZafWindowObject::display->CopyArea(DrawRegion(rect), to.x, to.y);
}

void KZWindowObjectLeech::RedrawRegion(const KRect& rect, ZafEventType drawType) {
  if (!HasNativeWindow()) {
    return;
  }
  ZafEventRecord event(static_cast<int32_t>(drawType), 0);
  event.SetRegion(DrawRegion(rect));
  object->Draw(event, drawType);
}

void KZWindowObjectLeech::DrawBackground(const KRect& rect, ZafEventType drawType) {
  if (!HasNativeWindow()) {
    return;
  }
  ZafRegionStruct draw = DrawRegion(rect);
  object->DrawBackground(draw, drawType);
}

void KZWindowObjectLeech::DrawShadow(const KRect& rect, int32_t depth, ZafEventType drawType) {
  if (!HasNativeWindow()) {
    return;
  }
  ZafRegionStruct draw = DrawRegion(rect);
  object->DrawShadow(draw, depth, drawType);
}

void KZWindowObjectLeech::DrawFocusMark(const KRect& rect) {
  if (!HasNativeWindow()) {
    return;
  }
  const KZDrawingState previous = DrawingState();
  ZafRegionStruct draw = DrawRegion(rect);
  object->DrawFocus(draw, RedisplayEvent);
  SetDrawingState(previous);
}

void KZWindowObjectLeech::DrawBits(const KRect& rect, const uint8_t* bits, int32_t bitsPerPixel,
                                   int32_t rowStride, int32_t transparent) {
  ZafDisplay* display = ZafWindowObject::display;
  const int32_t width = rect.Width();
  const int32_t height = rect.Height();
  const int32_t bytesPerPixel = bitsPerPixel == 15 ? 2 : 3;
  if (!HasNativeWindow() || !display || !display->DeviceContext() || !bits || width <= 0 || height <= 0 ||
      (bitsPerPixel != 15 && bitsPerPixel != 24) || int64_t{rowStride} < int64_t{width} * bytesPerPixel) {
    return;
  }
  const ZafRegionStruct draw = DrawRegion(rect);
  if (transparent == -1) {
    std::vector<uint8_t> copy;
    display->DeviceIndependentBits(draw, width, height,
                                   FourByteRows(bits, width * bytesPerPixel, rowStride, height, copy),
                                   bitsPerPixel);
    return;
  }
  // Pixel by pixel, so that the transparent colour keeps what lies under it. Only 24-bit pixels (blue,
  // green, red) have a colour that can be compared; 15-bit pictures with a transparent colour are refused.
  if (bitsPerPixel != 24) {
    return;
  }
  const native::HDC dc = display->DeviceContext();
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = bits + static_cast<size_t>(rowStride) * static_cast<size_t>(y);
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t* pixel = row + 3 * x;
      const int32_t color = (pixel[0] << 16) | (pixel[1] << 8) | pixel[2];
      if (color != transparent) {
        native::SetPixel(dc, draw.left + x, draw.top + y, static_cast<native::COLORREF>(color));
      }
    }
  }
}
