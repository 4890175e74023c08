// The button drawn by the framework: check boxes and radio buttons with the shared images, push and flat
// buttons with their bevel, picture and label, and the quick face move when a push button is pressed or
// let go.
#include "framework/core/zafbutton.h"
#include "framework/core/zafdisplay.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/win32/zafgdidisplay.h"
#include "native/native.h"

namespace {

// The draw types that draw the label: everything else only changes marks around it.
bool DrawsLabel(ZafEventType drawType) {
  return drawType == RedisplayEvent || drawType == DrawNowEvent || drawType == RedisplayRegionEvent;
}

void Shrink(ZafRegionStruct& region, int32_t pixels) {
  region.left += pixels;
  region.top += pixels;
  region.right -= pixels;
  region.bottom -= pixels;
}

constexpr ZafRegionStruct kNoSize{0, 0, -1, -1, ZAF_PIXEL};

}  // namespace

ZafEventType ZafButton::Draw(const ZafEventRecord&, ZafEventType drawType) {
  if (!display) {
    return drawType;
  }
  ZafRegionStruct area = BeginDraw();
  if (editMode && defaultCapable) {
    ZafWindowObject* owner = parent ? parent : this;
    display->SetPalette(owner->LogicalPalette(ZAF_PM_BACKGROUND, owner->PaletteState()));
    display->Rectangle(area.left, area.top, area.right, area.bottom, 0, true);
    display->SetLineStyle(1);
    display->SetForeground(0);
    display->Rectangle(area.left, area.top, area.right, area.bottom, 1, false);
    Shrink(area, ZAF_BUTTON_EDIT_FRAME);
  }
  const bool countsAsDefault = CountsAsDefault();
  if (IsCheckOrRadio()) {
    // A press or a selection change (ChosenEvent) fills the whole face again, so the label and the focus
    // mark are drawn again too, as for a full redisplay.
    DrawCheckOrRadio(area, drawType == ChosenEvent ? RedisplayEvent : drawType);
  } else if (drawType == ChosenEvent) {
    if (kind != ZAF_FLAT_BUTTON) {
      DrawPressChange(area, countsAsDefault);
    }
  } else {
    DrawPushButton(area, drawType, countsAsDefault);
  }
  EndDraw();
  return drawType;
}

void ZafButton::DrawCheckOrRadio(ZafRegionStruct region, ZafEventType drawType) {
  // The face behind the mark never takes the selected colours: selection shows in the mark.
  const bool wasSelected = selected;
  selected = false;
  DrawBackground(region, drawType);
  selected = wasSelected;
  const ZafPaletteStruct palette = LogicalPalette(ZAF_PM_TEXT, PaletteState() & ~ZAF_PM_SELECTED);
  display->SetPalette(palette);
  ZafRegionStruct textPlace = MeasureText();
  ZafRegionStruct imagePlace{0, 0, ZAF_CHECK_IMAGE_SIZE - 1, ZAF_CHECK_IMAGE_SIZE - 1, ZAF_PIXEL};
  ComputeLayout(*this, region, imagePlace, textPlace, ZAF_BUTTON_LAYOUT_GAP);
  ZafBitmapData* image = kind == ZAF_RADIO_BUTTON ? RadioButtonImage(selected, pressedLook)
                                                  : CheckBoxImage(selected, pressedLook);
  DrawImage(image, imagePlace.left, imagePlace.top);
  const bool hasText = textPlace.Width() > 0;
  // The focus mark surrounds the label, or the mark when there is no label.
  ZafRegionStruct focusPlace = hasText ? textPlace : imagePlace;
  Shrink(focusPlace, -1);
  DrawFocus(focusPlace, drawType);
  if (hasText && DrawsLabel(drawType)) {
    DrawLabelText(textPlace, palette);
  }
}

void ZafButton::DrawPushButton(ZafRegionStruct region, ZafEventType drawType, bool countsAsDefault) {
  const bool framed = countsAsDefault || focus || bordered;
  if (framed) {
    DrawBorder(region, drawType);
  }
  if (kind != ZAF_FLAT_BUTTON) {
    DrawShadow(region, pressedLook ? -depth : depth, drawType);
  }
  DrawBackground(region, drawType);
  if (!nonCurrent) {
    Shrink(region, framed ? 1 : 2);
    DrawFocus(region, drawType);
  } else {
    Shrink(region, 1);
  }
  display->SetClipRegion(region);
  if (!DrawsLabel(drawType)) {
    return;
  }
  if (pressedLook && kind != ZAF_FLAT_BUTTON) {
    // A pressed face shows its picture and label one pixel right and down.
    ++region.left;
    ++region.top;
    ++region.right;
    ++region.bottom;
  }
  const ZafPaletteStruct palette = LogicalPalette(ZAF_PM_TEXT, PaletteState());
  display->SetPalette(palette);
  ZafRegionStruct textPlace = MeasureText();
  ZafRegionStruct imagePlace = kNoSize;
  if (bitmapData) {
    imagePlace = {0, 0, bitmapData->Width() - 1, bitmapData->Height() - 1, ZAF_PIXEL};
  }
  ComputeLayout(*this, region, imagePlace, textPlace, ZAF_BUTTON_LAYOUT_GAP);
  if (bitmapData) {
    DrawImage(bitmapData, imagePlace.left, imagePlace.top);
  }
  if (textPlace.Width() > 0) {
    DrawLabelText(textPlace, palette);
  }
}

void ZafButton::DrawPressChange(ZafRegionStruct region, bool countsAsDefault) {
  if (bordered || focus || countsAsDefault) {
    DrawBorder(region, ChosenEvent);
  }
  DrawShadow(region, pressedLook ? -depth : depth, RedisplayEvent);
  ZafRegionStruct focusPlace = region;
  Shrink(focusPlace, 1);
  // The focus mark is drawn by inverting: off before the face moves, on again after.
  if (focus) {
    ZafRegionStruct mark = focusPlace;
    DrawFocus(mark, RedisplayEvent);
  }
  if (pressedLook) {
    display->CopyArea({region.left, region.top, region.right - 1, region.bottom - 1, ZAF_PIXEL},
                      region.left + 1, region.top + 1);
  } else {
    display->CopyArea({region.left + 1, region.top + 1, region.right, region.bottom, ZAF_PIXEL}, region.left,
                      region.top);
  }
  if (focus) {
    ZafRegionStruct mark = focusPlace;
    DrawFocus(mark, RedisplayEvent);
  }
  // The strip the move uncovered takes the face colour.
  display->SetPalette(LogicalPalette(ZAF_PM_BACKGROUND, PaletteState()));
  if (pressedLook) {
    display->Rectangle(region.left, region.top, region.left, region.bottom, 0, true);
    display->Rectangle(region.left, region.top, region.right, region.top, 0, true);
  } else {
    display->Rectangle(region.left, region.bottom, region.right, region.bottom, 0, true);
    display->Rectangle(region.right, region.top, region.right, region.bottom, 0, true);
  }
}

ZafEventType ZafButton::DrawBorder(ZafRegionStruct& region, ZafEventType drawType) {
  if (parentDrawBorder && parent) {
    ZafRegionStruct parentRegion = parent->ConvertToDrawRegion(this);
    return parent->DrawBorder(parentRegion, drawType);
  }
  if (drawType == RedisplayEvent || drawType == RedisplayRegionEvent) {
    display->SetPalette(LogicalPalette(ZAF_PM_OUTLINE, PaletteState()));
    display->Rectangle(region.left, region.top, region.right, region.bottom, 1, false);
  }
  Shrink(region, 1);
  return drawType;
}

void ZafButton::DrawLabelText(const ZafRegionStruct& place, const ZafPaletteStruct& palette) {
  const ZafIChar* text = Text();
  constexpr int32_t kCentred = 2;
  if (IsDisabledUp()) {
    // An engraved look: the label once more, one pixel right and down, in the background colour.
    ZafPaletteStruct engraving = palette;
    engraving.colorForeground = palette.colorBackground;
    engraving.osForeground = palette.osBackground;
    display->SetPalette(engraving);
    display->Text(place.left + 1, place.top + 1, place.right + 1, place.bottom + 1, text, -1, kCentred,
                  kCentred, hotKeyIndex, false);
    display->SetPalette(palette);
  }
  display->Text(place.left, place.top, place.right, place.bottom, text, -1, kCentred, kCentred, hotKeyIndex,
                false);
}

ZafRegionStruct ZafButton::MeasureText() {
  const ZafIChar* text = Text();
  if (!display || !text || !*text) {
    return kNoSize;
  }
  return display->TextSize(text, -1);
}

void ZafButton::DrawImage(ZafBitmapData* image, int32_t x, int32_t y) {
  auto* gdi = dynamic_cast<ZafGdiDisplay*>(display);
  if (!gdi || !image || !image->Pixels()) {
    return;
  }
  ZafBitmapStruct description;
  ZafBitmapStruct::Set(description, image->Width(), image->Height(), image->Pixels(), true);
  // Handles the data already carries belong to whoever made them; handles made here go with the call.
  const bool ownHandles = image->Bitmap() != nullptr;
  description.bitmap = image->Bitmap();
  description.mask = image->Mask();
  description.staticHandles = ownHandles;
  gdi->Bitmap(x, y, description);
  if (!ownHandles) {
    gdi->DestroyOSBitmap(description);
  }
}

ZafEventType ZafButton::DrawItemMessage(const ZafEventRecord& event) {
  const auto* item = reinterpret_cast<const native::DRAWITEMSTRUCT*>(event.osEvent.lParam);
  if (!item) {
    return ZafWindowObject::NativeEvent(event);
  }
  if (item->CtlType != native::ODT_BUTTON) {
    // An entry of a native menu: a press redraws it whole.
    if (IsPushKind()) {
      pressedLook = (item->itemState & native::ODS_SELECTED) != 0;
    }
    if (item->itemAction != native::ODA_SELECT) {
      return ZafWindowObject::NativeEvent(event);
    }
    native::DRAWITEMSTRUCT whole = *item;
    whole.itemAction = native::ODA_DRAWENTIRE;
    ZafEventRecord redraw = event;
    redraw.osEvent.lParam = reinterpret_cast<native::LPARAM>(&whole);
    return ZafWindowObject::NativeEvent(redraw);
  }
  bool look = false;
  if (item->itemState & native::ODS_SELECTED) {
    look = true;
  } else if (toggles && !IsCheckOrRadio()) {
    look = selected;
  }
  const bool lookChanged = look != pressedLook;
  pressedLook = look;
  // A toggling button stays in while it is selected: a press that does not change the look draws nothing.
  if (item->itemAction == native::ODA_SELECT && toggles && !lookChanged) {
    return 1;
  }
  return ZafWindowObject::NativeEvent(event);
}
