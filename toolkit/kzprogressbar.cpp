#include "toolkit/kzprogressbar.h"

#include <algorithm>

#include "foundation/kstring.h"
#include "toolkit/kzstatusfield.h"

namespace {

// The display's colour index of the filled part (green).
constexpr uint8_t kFillColor = 10;
// Alignment codes of the display's text in a rectangle: centred both ways.
constexpr int32_t kCentred = 2;

}  // namespace

KZProgressBar::KZProgressBar() : KZWindow(0, 0, 0, 0) {
  SetCoordinateType(ZAF_PIXEL);
}

KZProgressBar::~KZProgressBar() = default;

bool KZProgressBar::SetProgress(int32_t newValue) {
  newValue = std::clamp(newValue, kNone, kFull);
  if (newValue == value) {
    return false;
  }
  value = newValue;
  Redisplay();
  return true;
}

ZafEventType KZProgressBar::Draw(const ZafEventRecord&, ZafEventType drawType) {
  return KZDrawStatusField(*this, drawType,
                           [this, drawType](const KRect& box) { PaintProgress(box, drawType); });
}

void KZProgressBar::PaintProgress(KRect box, ZafEventType drawType) {
  // One pixel a percent, whatever the field's width.
  box.right = box.left + kFull - 1;
  if (value > 0) {
    ZafPaletteStruct fill = LogicalPalette(ZAF_PM_BACKGROUND, ZAF_PM_ACTIVE);
    fill.colorBackground = kFillColor;
    const KZDrawingState previous = SetDrawingState({DrawingState().mode, fill});
    DrawRectangle({box.left, box.top, box.left + value - 1, box.bottom}, 0, true);
    SetDrawingState(previous);
  }
  if (value < kFull) {
    KZWindowLeech::DrawBackground({box.left + std::max(0, value), box.top, box.right, box.bottom}, drawType);
  }
  if (value >= 0) {
    KString text;
    text.AppendInt(value).AppendChar(u'%');
    const KZDrawingState previous = SetDrawingState(KZStatusTextState(*this));
    DrawTextFitted(box, text.CStr(), kCentred, kCentred, false);
    SetDrawingState(previous);
  }
}
