// The button's native "BUTTON" control: its style, label, check state and colours, and the switch to
// owner drawing when the platform cannot draw what the button asks for.
#include "framework/core/zafbutton.h"
#include "framework/core/zafdisplay.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafgdidisplay.h"
#include "framework/win32/zafmnemonictext.h"
#include "framework/win32/zafnativecontrol.h"
#include "native/native.h"

bool ZafButton::CountsAsDefault() {
  return focus || (DefaultButton(true) == this && DefaultButton(false) == this);
}

void ZafButton::SetControlType(native::DWORD type, bool redraw) {
  // BM_SETSTYLE replaces the low word of the style: the button type and the button's own flags.
  constexpr native::DWORD kOwnFlags = 0xFFFF & ~native::BS_TYPEMASK;
  const auto style = static_cast<native::DWORD>(native::GetWindowLong(screenID, native::GWL_STYLE));
  native::SendMessage(screenID, native::BM_SETSTYLE, (style & kOwnFlags) | type,
                      redraw ? native::TRUE : native::FALSE);
}

void ZafButton::CreateNative() {
  native::DWORD style = native::WS_CHILD | native::WS_CLIPSIBLINGS;
  const bool drawnNatively = nativeDrawing && NativeDrawable();
  if (!drawnNatively) {
    style |= native::BS_OWNERDRAW;
  } else if (kind == ZAF_CHECK_BOX) {
    style |= native::BS_CHECKBOX;
  } else if (kind == ZAF_RADIO_BUTTON) {
    style |= native::BS_RADIOBUTTON;
  } else {
    style |= defaultCapable && ownNativeWindow && CountsAsDefault() ? native::BS_DEFPUSHBUTTON
                                                                    : native::BS_PUSHBUTTON;
  }
  if (IsDisabledUp() && !editMode) {
    style |= native::WS_DISABLED;
  }
  if (visible) {
    style |= native::WS_VISIBLE;
  }
  if (bordered && drawnNatively) {
    style |= native::WS_BORDER;
  }
  screenID = ZafCreateWindow(this, u"BUTTON", style, nullptr, nullptr, native::WS_EX_NOPARENTNOTIFY);
  if (!screenID) {
    return;
  }
  ZafSetControlFont(*this);
  UpdateNativeText();
  if (IsCheckOrRadio()) {
    native::SendMessage(screenID, native::BM_SETCHECK, selected ? native::BST_CHECKED : native::BST_UNCHECKED,
                        0);
  }
}

int ZafButton::UpdateNativeText() {
  if (!screenID || !ownNativeWindow) {
    return 0;
  }
  const std::unique_ptr<ZafIChar[]> label = ZafMnemonicText(Text() ? Text() : u"", hotKeyIndex);
  native::SendMessage(screenID, native::WM_SETTEXT, 0, reinterpret_cast<native::LPARAM>(label.get()));
  if (!nativeDrawing || !NativeDrawable()) {
    // The control does not draw its label: the button shows the new one itself.
    Event(ZafEventRecord(RedisplayEvent, 0));
  }
  return 0;
}

void ZafButton::UpdatePalettes(uint16_t type, uint16_t state) {
  if (nativeDrawing && screenID && ownNativeWindow) {
    const auto style = static_cast<native::DWORD>(native::GetWindowLong(screenID, native::GWL_STYLE));
    // Own colours and the like are beyond the native control: the framework draws from now on.
    if ((style & native::BS_TYPEMASK) != native::BS_OWNERDRAW && !NativeDrawable()) {
      SetControlType(native::BS_OWNERDRAW, false);
    }
  }
  ZafWindowObject::UpdatePalettes(type, state);
}

void ZafButton::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  const bool disabledState = (state & ZAF_PM_DISABLED) != 0;
  switch (type) {
    case ZAF_PM_TEXT:
      ZafFillSystemColors(
          palette, native::GetSysColor(disabledState ? native::COLOR_BTNSHADOW : native::COLOR_BTNTEXT),
          native::GetSysColor(disabledState ? native::COLOR_BTNHIGHLIGHT : native::COLOR_BTNFACE));
      return;
    case ZAF_PM_BACKGROUND: {
      auto* gdi = dynamic_cast<ZafGdiDisplay*>(display);
      if (IsCheckOrRadio() && parent && gdi) {
        // A check box or radio button shows its parent's background around the mark.
        const ZafPaletteStruct parentEntry = parent->LogicalPalette(ZAF_PM_BACKGROUND, state);
        ZafFillSystemColors(palette, gdi->ColorWord(parentEntry.colorForeground, parentEntry.osForeground),
                            gdi->ColorWord(parentEntry.colorBackground, parentEntry.osBackground));
        return;
      }
      const native::COLORREF face = native::GetSysColor(native::COLOR_BTNFACE);
      ZafFillSystemColors(palette, face, face);
      return;
    }
    case ZAF_PM_FOCUS:
      ZafFillSystemColor(palette.colorForeground, palette.osForeground,
                         native::GetSysColor(native::COLOR_BTNFACE));
      return;
    case ZAF_PM_LIGHT_SHADOW:
    case ZAF_PM_DARK_SHADOW:
      if (focus && pressedLook) {
        ZafFillSystemColors(palette, native::GetSysColor(native::COLOR_BTNSHADOW),
                            native::GetSysColor(native::COLOR_BTNFACE));
        return;
      }
      break;
    default:
      break;
  }
  ZafWindowObject::SetDisplayColors(palette, type, state);
}

bool ZafButton::SetSelected(bool flag) {
  if (flag != selected) {
    ZafWindowObject::SetSelected(flag);
  }
  if (!screenID || !ownNativeWindow) {
    return selected;
  }
  if (IsCheckOrRadio()) {
    native::SendMessage(screenID, native::BM_SETCHECK, selected ? native::BST_CHECKED : native::BST_UNCHECKED,
                        0);
    if (!nativeDrawing || !NativeDrawable()) {
      Draw(ZafEventRecord(ChosenEvent, 0), ChosenEvent);
    }
  } else if (toggles && pressedLook != selected) {
    pressedLook = selected;
    Draw(ZafEventRecord(ChosenEvent, 0), ChosenEvent);
  }
  return selected;
}

bool ZafButton::SetPressedLook(bool flag) {
  if (flag != pressedLook) {
    pressedLook = flag;
    if (screenID && !selected) {
      Draw(ZafEventRecord(RedisplayEvent, 0), RedisplayEvent);
    }
  }
  return pressedLook;
}

ZafEventType ZafButton::Relayout() {
  if (screenID) {
    Event(ZafEventRecord(FitEvent, 0));
    UpdateNative();
    Event(ZafEventRecord(RedisplayEvent, 0));
  }
  return 0;
}

void ZafButton::AutoSizeRegion() {
  ZafRegionStruct textSize{0, 0, -1, -1, ZAF_PIXEL};
  if (display) {
    // Measured on the control's own device context, in the font of its text palette.
    const native::HDC context = native::GetDC(screenID);
    const ZafRegionStruct area{0, 0, region.Width() - 1, region.Height() - 1, ZAF_PIXEL};
    display->BeginDraw(context, screenID, area, area);
    display->SetPalette(LogicalPalette(ZAF_PM_TEXT, PaletteState()));
    textSize = MeasureText();
    display->EndDraw();
    native::ReleaseDC(screenID, context);
  }
  ZafRegionStruct bitmapSize{0, 0, -1, -1, ZAF_PIXEL};
  if (IsCheckOrRadio()) {
    bitmapSize = {0, 0, ZAF_CHECK_IMAGE_SIZE - 1, ZAF_CHECK_IMAGE_SIZE - 1, ZAF_PIXEL};
  } else if (bitmapData) {
    bitmapSize = {0, 0, bitmapData->Width() - 1, bitmapData->Height() - 1, ZAF_PIXEL};
  }
  ZafRegionStruct area = region;
  const int32_t needed = ComputeLayout(*this, area, bitmapSize, textSize, ZAF_BUTTON_LAYOUT_GAP).bottom;
  if (IsCheckOrRadio()) {
    region.top += region.Height() / 2 - needed / 2;
    region.bottom = region.top + needed - 1;
    return;
  }
  // A push button without a picture has the platform's standard height whatever its text; the bevel
  // adds to a picture's height only.
  constexpr int32_t kStandardHeight = 23;
  constexpr int32_t kPictureMargin = 6;
  int32_t height = kStandardHeight;
  if (bitmapData) {
    height = needed + kPictureMargin + (IsPushKind() ? 2 * depth : 0);
  }
  region.top = region.bottom - height + 1;
}

ZafEventType ZafButton::ControlColorMessage(const ZafEventRecord& event) {
  const ZafEventType result = ZafWindowObject::NativeEvent(event);
  auto* gdi = dynamic_cast<ZafGdiDisplay*>(display);
  if (!IsCheckOrRadio() || !parent || !gdi) {
    return result;
  }
  const auto context = reinterpret_cast<native::HDC>(event.osEvent.wParam);
  const ZafPaletteStruct text = LogicalPalette(ZAF_PM_TEXT, PaletteState());
  const ZafPaletteStruct background = parent->LogicalPalette(ZAF_PM_BACKGROUND, parent->PaletteState());
  native::SelectPalette(context, gdi->logicalPalette, native::FALSE);
  native::SetTextColor(context, gdi->ColorWord(text.colorForeground, text.osForeground));
  native::SetBkColor(context, gdi->ColorWord(background.colorBackground, background.osBackground));
  // The cache keeps the brush after its use is given back; the control paints with it at once.
  const native::HBRUSH brush = gdi->GetBrush(background);
  ZafGdiDisplay::ReleaseCachedObject(brush);
  return static_cast<ZafEventType>(reinterpret_cast<intptr_t>(brush));
}
