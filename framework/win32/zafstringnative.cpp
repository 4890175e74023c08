// The string field's native "EDIT" control: its style from the field's options, the text kept in step with
// the string data both ways, the caret, the window colour, and the framework's own drawing of a field the
// platform does not draw.
#include "framework/core/zafdisplay.h"
#include "framework/core/zafstring.h"
#include "framework/data/zafchar.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafnativecontrol.h"
#include "native/native.h"

void ZafString::CreateNative() {
  if (!nativeDrawing) {
    // The framework draws the field in a window of its own class.
    ZafWindowObject::CreateNative();
    return;
  }
  native::DWORD style = native::WS_CHILD | native::WS_CLIPSIBLINGS | native::ES_AUTOHSCROLL;
  native::DWORD extendedStyle = 0;
  ZafEditStyles(*this, style, extendedStyle);
  if (password) {
    style |= native::ES_PASSWORD;
  }
  if (upperCase) {
    style |= native::ES_UPPERCASE;
  } else if (lowerCase) {
    style |= native::ES_LOWERCASE;
  }
  // Only a multi-line control aligns its text right or centred.
  if (justification == ZAF_JUSTIFY_RIGHT) {
    style |= native::ES_MULTILINE | native::ES_RIGHT;
  } else if (justification == ZAF_JUSTIFY_CENTER) {
    style |= native::ES_MULTILINE | native::ES_CENTER;
  }
  if (viewOnly) {
    style |= native::ES_READONLY;
  }
  screenID = ZafCreateWindow(this, u"EDIT", style, nullptr, nullptr, extendedStyle);
  if (!screenID) {
    return;
  }
  ZafPrepareEditControl(*this, *stringData);
  // Showing the text for the first time is no change by the user.
  const bool wasChanged = changed;
  UpdateNativeText();
  changed = wasChanged;
}

int ZafString::UpdateNativeText() {
  if (screenID && parent && parent->IsA(ID_ZAF_LIST) && parent->NativeDrawing()) {
    return ZafWindowObject::UpdateNativeText();
  }
  if (variableName && stringData->Text()) {
    // White space becomes '_' in place: no change is told for it.
    for (int index = 0; index < stringData->Length(); ++index) {
      if (ZafIsSpace(stringData->Text()[index])) {
        stringData->SetChar(index, u'_', true);
      }
    }
  }
  if (OwnControl()) {
    ZafShowControlText(screenID, *stringData);
    return 0;
  }
  Event(ZafEventRecord(DrawNowEvent, 0));
  return 0;
}

void ZafString::GetNativeText() {
  if (OwnControl()) {
    ZafTakeControlText(screenID, *stringData, this);
  }
}

int ZafString::SetCursorPosition(int position) {
  if (!screenID || !nativeDrawing) {
    return 8;
  }
  ZafPlaceCaret(screenID, position);
  return 0;
}

void ZafString::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  if (type == ZAF_PM_BACKGROUND) {
    ZafFillWindowColor(palette);
    return;
  }
  ZafWindowObject::SetDisplayColors(palette, type, state);
}

ZafEventType ZafString::Draw(const ZafEventRecord&, ZafEventType drawType) {
  if (!display) {
    return drawType;
  }
  ZafRegionStruct area = BeginDraw();
  if (bordered) {
    DrawBorder(area, drawType);
  }
  display->SetClipRegion(area);
  const ZafEventType shown = drawType == DrawNowEvent || drawType == ChosenEvent ? RedisplayEvent : drawType;
  DrawBackground(area, shown);
  if (drawType == RedisplayEvent || drawType == RedisplayRegionEvent || drawType == DrawNowEvent ||
      drawType == ChosenEvent) {
    display->SetPalette(LogicalPalette(ZAF_PM_TEXT, PaletteState()));
    ZafRegionStruct box = area;
    if (bordered) {
      ++box.top;
      if (justification == ZAF_JUSTIFY_LEFT) {
        ++box.left;
      } else if (justification == ZAF_JUSTIFY_RIGHT) {
        --box.right;
      }
    }
    const ZafIChar* text = stringData->Text();
    display->Text(box.left, box.top, box.right, box.bottom, text ? text : u"", -1, justification, 0, -1,
                  false);
  }
  if (parentDrawFocus) {
    DrawFocus(area, drawType);
  }
  EndDraw();
  return drawType;
}
