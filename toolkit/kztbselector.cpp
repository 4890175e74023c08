#include "toolkit/kztbselector.h"

#include "toolkit/kztoolbar.h"

KZTBSelector::KZTBSelector(int32_t width, int32_t height) : KZSelector(0, 0, width, height) {
  KZPlaceToolItem(*this, width, height);
}

KZTBSelector::~KZTBSelector() = default;

void KZTBSelector::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  const ZafPaletteStruct asked = palette;
  KZSelector::SetDisplayColors(palette, type, state);
  if (state & ZAF_PM_SELECTED) {
    return;
  }
  if (type == ZAF_PM_BACKGROUND) {
    palette.osForeground = asked.osForeground;
  }
  if (type == ZAF_PM_BACKGROUND || type == ZAF_PM_TEXT || type == ZAF_PM_FOREGROUND) {
    palette.osBackground = asked.osBackground;
  }
}
