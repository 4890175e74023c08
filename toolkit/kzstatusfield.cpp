#include "toolkit/kzstatusfield.h"

namespace {

// Raster mode that copies the pen and the text onto the display.
constexpr uint8_t kCopyMode = 0;

}  // namespace

KRect KZDrawSunkenField(KZWindow& field, ZafEventType drawType) {
  const KRect client = field.LocalRegion();
  field.KZWindowLeech::DrawBackground(client, drawType);
  field.KZWindowLeech::DrawShadow(client, -1, drawType);
  return {client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
}

KZDrawingState KZStatusTextState(KZWindow& field) {
  return {kCopyMode, field.LogicalPalette(ZAF_PM_TEXT, ZAF_PM_ACTIVE)};
}
