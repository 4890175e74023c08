// The icon on the screen: a transparent window of the framework's class in which the picture stands above
// the title, sized to both; or, as a window's icon, the picture its parent's frame shows.
#include "framework/core/zafdisplay.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zaficondata.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafgdidisplay.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/native.h"

namespace {

constexpr ZafRegionStruct kNoSize{0, 0, -1, -1, ZAF_PIXEL};

// The draw types that draw the icon; others only end the drawing.
bool Draws(ZafEventType drawType) {
  return drawType == RedisplayEvent || drawType == RedisplayRegionEvent || drawType == DrawNowEvent ||
         drawType == ChosenEvent;
}

ZafIconStruct Description(const ZafIconData& icon) {
  return {icon.Width(), icon.Height(), icon.Pixels(), true, icon.Icon(), true};
}

}  // namespace

ZafRegionStruct ZafIcon::Layout(ZafRegionStruct& area, ZafRegionStruct& iconPlace,
                                ZafRegionStruct& titlePlace) {
  titlePlace = MeasureText();
  iconPlace =
      iconData ? ZafRegionStruct{0, 0, iconData->Width() - 1, iconData->Height() - 1, ZAF_PIXEL} : kNoSize;
  return ComputeLayout(*this, area, iconPlace, titlePlace, ZAF_BUTTON_LAYOUT_GAP);
}

void ZafIcon::Refit() {
  if (screenID && IsAutomaticUpdateUp()) {
    Event(ZafEventRecord(FitEvent, 0));
    UpdateNative();
    Event(ZafEventRecord(RedisplayEvent, 0));
  }
}

void ZafIcon::CreateNative() {
  native::DWORD style = native::WS_CHILD | native::WS_CLIPSIBLINGS;
  if (visible) {
    style |= native::WS_VISIBLE;
  }
  screenID = ZafCreateWindow(this, ZafMSWindowsApp::windowClassName, style, nullptr, nullptr,
                             native::WS_EX_TRANSPARENT);
}

void ZafIcon::BecomeWindowIcon() {
  auto* gdi = dynamic_cast<ZafGdiDisplay*>(display);
  if (!parent || !gdi || !iconData) {
    return;
  }
  ZafIconStruct description = Description(*iconData);
  if (!description.icon && description.pixels) {
    gdi->ConvertToOSIcon(description);
    iconData->SetNativeIcon(description.icon, false);
  }
  const native::HWND frame = parent->ScreenID(2);
  const auto handle = reinterpret_cast<native::LPARAM>(iconData->Icon());
  native::SendMessage(frame, native::WM_SETICON, native::ICON_BIG, handle);
  native::SendMessage(frame, native::WM_SETICON, native::ICON_SMALL, handle);
}

ZafEventType ZafIcon::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case NativeAttachedEvent: {
      auto* gdi = dynamic_cast<ZafGdiDisplay*>(display);
      if (gdi && iconData && iconData->Icon() && !iconData->Pixels()) {
        // Only the native icon is known: its pixels are read back so that the framework can draw it.
        ZafIconStruct description = Description(*iconData);
        if (gdi->ConvertToZafIcon(description) == 0) {
          iconData->SetImage(description.width, description.height, description.pixels);
          // The pixels read back are the description's own copy.
          description.staticPixels = false;
          gdi->FreeIconPixels(description);
        }
      }
      if (iconType == ZAF_WINDOW_ICON) {
        redrawAfterEvents = false;
        BecomeWindowIcon();
        return code;
      }
      return ZafButton::Event(event);
    }
    case FocusGainedEvent:
    case FocusLostEvent: {
      const ZafEventType answer = ZafWindowObject::Event(event);
      if (redrawAfterEvents) {
        Draw(event, code);
      }
      return answer;
    }
    case FitEvent: {
      ZafRegionStruct titlePlace = kNoSize;
      ZafRegionStruct iconPlace = kNoSize;
      ZafRegionStruct area = region;
      ConvertRegion(area, ZAF_PIXEL);
      area.right = area.left - 1;
      area.bottom = area.top - 1;
      if (display) {
        // Measured on the icon's own device context, in the font of its text palette.
        const native::HDC context = native::GetDC(screenID);
        display->BeginDraw(context, screenID, area, area);
        display->SetPalette(LogicalPalette(ZAF_PM_TEXT, 0));
        Layout(area, iconPlace, titlePlace);
        display->EndDraw();
        native::ReleaseDC(screenID, context);
      } else {
        Layout(area, iconPlace, titlePlace);
      }
      SetRegion(area);
      return code;
    }
    case RedisplayEvent:
    case RedisplayRegionEvent:
      if (screenID && parent && IsVisibleUp()) {
        // The window is transparent: the parent paints what lies under the icon first.
        ZafRegionStruct area = parent->RegionToNative(this);
        if (code == RedisplayRegionEvent) {
          area = event.Region();
        }
        ZafEventRecord redraw = event;
        redraw.type = RedisplayRegionEvent;
        redraw.SetRegion(area);
        return parent->Event(redraw);
      }
      return code;
    default:
      return ZafButton::Event(event);
  }
}

bool ZafIcon::SetDisabled(bool flag) {
  ZafButton::SetDisabled(flag);
  Event(ZafEventRecord(DrawNowEvent, 0));
  return disabled;
}

void ZafIcon::UpdatePalettes(uint16_t, uint16_t) {
  Refit();
}

int ZafIcon::UpdateNativeText() {
  Refit();
  return 0;
}

ZafEventType ZafIcon::Draw(const ZafEventRecord&, ZafEventType drawType) {
  if (!display || iconType == ZAF_WINDOW_ICON) {
    return drawType;
  }
  ZafRegionStruct area = BeginDraw();
  const ZafPaletteStruct palette = LogicalPalette(ZAF_PM_TEXT, PaletteState());
  display->SetPalette(palette);
  ZafRegionStruct titlePlace = kNoSize;
  ZafRegionStruct iconPlace = kNoSize;
  Layout(area, iconPlace, titlePlace);
  if (Draws(drawType)) {
    auto* gdi = dynamic_cast<ZafGdiDisplay*>(display);
    if (gdi && iconData && drawType != ChosenEvent) {
      ZafIconStruct description = Description(*iconData);
      gdi->Icon(iconPlace.left, iconPlace.top, description);
      if (description.icon != iconData->Icon()) {
        // A native icon made for this drawing goes with it; one the data carries belongs to its maker.
        gdi->DestroyOSIcon(description);
      }
    }
    if (titlePlace.Width() > 0) {
      DrawBackground(titlePlace, drawType == ChosenEvent ? RedisplayEvent : drawType);
      DrawLabelText(titlePlace, palette);
    }
  }
  if (titlePlace.Width() > 0) {
    DrawFocus(titlePlace, drawType);
  }
  EndDraw();
  return drawType;
}

ZafEventType ZafIcon::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  switch (message.message) {
    case native::WM_LBUTTONDOWN: {
      const ZafEventType result = ZafWindowObject::NativeEvent(event);
      if (!IsDisabledUp() && !IsNonCurrentUp()) {
        SetFocus(true);
      }
      if (chooseOnPress) {
        Choose(event, ChosenEvent);
      }
      return result;
    }
    case native::WM_LBUTTONUP:
      if (!chooseOnPress && !(windowManager && windowManager->dragObject)) {
        Choose(event, ChosenEvent);
      }
      return ZafWindowObject::NativeEvent(event);
    case native::WM_LBUTTONDBLCLK: {
      const ZafEventType result = ZafWindowObject::NativeEvent(event);
      if (chooseOnDoubleClick) {
        Choose(event, ChosenByDoubleClickEvent);
      } else if (chooseOnPress) {
        Choose(event, ChosenEvent);
      }
      return result;
    }
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}
