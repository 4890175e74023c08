// The window object's drawing over the display: its background, its 3-D edge rings and its focus mark.
#include <cstdlib>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafwindowobject.h"

namespace {

// The entry drawn in the palette's background: its foreground colour and native foreground become
// its background's.
ZafPaletteStruct BackgroundVariant(ZafPaletteStruct palette) {
  palette.colorForeground = palette.colorBackground;
  palette.osForeground = palette.osBackground;
  return palette;
}

// A ring wider than the object has used up the area: the remaining rings would draw lines running
// backwards, outside the object, so they are left out (the region is still shrunk).
bool HasPixels(const ZafRegionStruct& region) {
  return region.left <= region.right && region.top <= region.bottom;
}

bool IsRedisplay(ZafEventType drawType) {
  return drawType == RedisplayEvent || drawType == RedisplayRegionEvent;
}

// The depth of the plain border: two sunken rings.
constexpr int32_t kBorderDepth = -2;

struct RingColors {
  const ZafPaletteStruct* topLeft;
  const ZafPaletteStruct* bottomRight;
};

// A sunken edge is dark above and to the left, a raised one light. A sunken edge's inner rings and a
// deep raised edge's outer ring are drawn in the background colours, so they blend with the face; a
// depth of 0 is a sunken outer ring around a raised inner ring.
RingColors ColorsOfRing(int32_t depth, int32_t ring, const ZafPaletteStruct& light,
                        const ZafPaletteStruct& dark, const ZafPaletteStruct& lightBackground,
                        const ZafPaletteStruct& darkBackground) {
  if (depth < 0) {
    return ring == 0 ? RingColors{&dark, &light} : RingColors{&darkBackground, &lightBackground};
  }
  if (depth == 0) {
    return ring == 0 ? RingColors{&dark, &light} : RingColors{&light, &dark};
  }
  if (depth >= 2 && ring == 0) {
    return {&lightBackground, &darkBackground};
  }
  return {&light, &dark};
}

}  // namespace

void ZafWindowObject::DrawShadow(ZafRegionStruct& region, int32_t depth, ZafEventType drawType) {
  const int32_t width = std::abs(depth);
  if (!IsRedisplay(drawType)) {
    region.left += width;
    region.top += width;
    region.right -= width;
    region.bottom -= width;
    return;
  }
  const uint16_t state = PaletteState();
  const ZafPaletteStruct light = LogicalPalette(ZAF_PM_LIGHT_SHADOW, state);
  const ZafPaletteStruct dark = LogicalPalette(ZAF_PM_DARK_SHADOW, state);
  const ZafPaletteStruct lightBackground = BackgroundVariant(light);
  const ZafPaletteStruct darkBackground = BackgroundVariant(dark);
  const int32_t rings = depth == 0 ? 2 : width;
  for (int32_t ring = 0; ring < rings; ++ring) {
    const RingColors colors = ColorsOfRing(depth, ring, light, dark, lightBackground, darkBackground);
    if (HasPixels(region)) {
      display->SetPalette(*colors.bottomRight);
      display->Line(region.left, region.bottom, region.right, region.bottom, -1);
      display->Line(region.right, region.top, region.right, region.bottom, -1);
    }
    --region.right;
    --region.bottom;
    if (HasPixels(region)) {
      display->SetPalette(*colors.topLeft);
      display->Line(region.left, region.top, region.right, region.top, -1);
      display->Line(region.left, region.top, region.left, region.bottom, -1);
    }
    ++region.left;
    ++region.top;
  }
}

ZafEventType ZafWindowObject::DrawBackground(ZafRegionStruct& region, ZafEventType drawType) {
  if (IsRedisplay(drawType) || drawType == DrawNowEvent || drawType == ChosenEvent) {
    display->SetPalette(LogicalPalette(ZAF_PM_BACKGROUND, PaletteState()));
    display->Rectangle(region.left, region.top, region.right, region.bottom, 0, true);
  }
  return drawType;
}

ZafEventType ZafWindowObject::DrawBorder(ZafRegionStruct& region, ZafEventType drawType) {
  // An object without a parent has nobody to hand its border to, so it draws its own.
  if (parentDrawBorder && parent) {
    return parent->DrawBorder(region, drawType);
  }
  DrawShadow(region, kBorderDepth, drawType);
  return drawType;
}

ZafEventType ZafWindowObject::DrawFocus(ZafRegionStruct& region, ZafEventType drawType) {
  if (parentDrawFocus) {
    // The parent marks the object's whole drawing region; the object keeps the region it is drawing in.
    if (parent) {
      ZafRegionStruct drawRegion = ConvertToDrawRegion();
      parent->DrawFocus(drawRegion, IsRedisplay(drawType) && !focus ? 0 : drawType);
    }
    return drawType;
  }
  if (drawType == FocusGainedEvent || drawType == FocusLostEvent || (IsRedisplay(drawType) && focus)) {
    display->SetPalette(LogicalPalette(ZAF_PM_FOCUS, PaletteState()));
    display->FocusRectangle(&region, nullptr);
  }
  region.left += 1;
  region.top += 1;
  region.right -= 1;
  region.bottom -= 1;
  return drawType;
}
