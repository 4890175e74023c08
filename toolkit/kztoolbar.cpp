#include "toolkit/kztoolbar.h"

namespace {

// The toolkit's font slot of bar captions.
constexpr uint8_t kCaptionFont = 0;
// Text alignment codes: left, and centred between top and bottom.
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignMiddle = 2;

}  // namespace

KZToolBar::KZToolBar(int32_t placement, int32_t height)
    : ZafToolBar(0, 0, height, height), KZWindowLeech(this), height(height) {
  SetCoordinateType(ZAF_PIXEL);
  SetDockSide(placement);
  SetWrap(height == -1);
  SetNonCurrent(true);
  barFlags |= kNotifyParent;
  SetFont(kCaptionFont);
  // The bar paints itself: its paint messages arrive as draw events, so the caption can follow.
  SetNativeDrawing(false);
}

KZToolBar::~KZToolBar() = default;

bool KZToolBar::SetText(const KString& text) {
  if (KString::Equals(caption, text)) {
    return false;
  }
  caption = text;
  if (caption.IsEmpty()) {
    flags &= ~kRedisplayOnGeometry;
  } else {
    flags |= kRedisplayOnGeometry;
  }
  Redisplay();
  return true;
}

void KZToolBar::SetNotifyParent(bool on) {
  if (on) {
    barFlags |= kNotifyParent;
  } else {
    barFlags &= ~kNotifyParent;
  }
}

ZafEventType KZToolBar::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowLeech::Event(event)) {
    return taken;
  }
  const ZafEventType answer = ZafToolBar::Event(event);
  if (event.type == MovedEvent || event.type == SizedEvent) {
    GeometryChanged();
  }
  return answer;
}

ZafEventType KZToolBar::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  const ZafEventType answer = ZafToolBar::Draw(event, drawType);
  if (!caption.IsEmpty()) {
    DrawCaption();
  }
  return answer;
}

void KZToolBar::DrawCaption() {
  // After the last item and as high as it, or across the whole bar when there is none.
  KRect area = LocalRegion();
  if (const auto* last = static_cast<const ZafWindowObject*>(Last())) {
    const ZafRegionStruct item = last->Region().Converted(ZAF_PIXEL, display);
    area = {item.right + 1 + kCaptionGap, item.top, area.right, item.bottom};
  }
  BeginDraw();
  const KZDrawingState previous =
      SetDrawingState({DrawingState().mode, LogicalPalette(ZAF_PM_TEXT, PaletteState())});
  DrawTextFitted(area, caption.CStr(), kAlignLeft, kAlignMiddle, false);
  SetDrawingState(previous);
  EndDraw();
}

void KZPlaceToolItem(ZafWindowObject& item, int32_t width, int32_t height) {
  item.SetCoordinateType(ZAF_PIXEL);
  item.SetRegion({0, 0, width - 1, height - 1, ZAF_PIXEL});
  item.SetNonCurrent(true);
}
