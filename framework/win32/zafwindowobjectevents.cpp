// What a window object makes of the native messages of its window: painting, focus, activation, placement,
// owner drawing, control colours, keys and the mouse. Whatever the object does not take over goes to the
// window's class procedure.
#include <cstdint>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafhelpstub.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/zafgdidisplay.h"
#include "framework/win32/zafmouse.h"
#include "framework/win32/zafnativecontrol.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "native/native.h"

namespace {

ZafEventType Default(const ZafEventRecord& event) {
  return ZafWindowObjectDrag::DefaultProcedure(event);
}

ZafEventType MessageResult(native::UINT message) {
  return static_cast<ZafEventType>(message);
}

}  // namespace

ZafEventType ZafWindowObject::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  const native::HWND window = message.hwnd;
  switch (message.message) {
    case native::WM_PAINT: {
      native::PAINTSTRUCT paint{};
      const native::HDC context = native::BeginPaint(window, &paint);
      if (context && display) {
        const ZafRegionStruct area = ConvertToDrawRegion();
        display->BeginDraw(context, window, area, area);
        ZafEventRecord redraw = event;
        redraw.SetRegion({paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - 1,
                          paint.rcPaint.bottom - 1, ZAF_PIXEL});
        Draw(redraw, RedisplayEvent);
        display->EndDraw();
      }
      native::EndPaint(window, &paint);
      return 0;
    }
    case native::WM_ERASEBKGND:
      // The framework paints the background itself.
      return 1;
    case native::WM_SETFOCUS: {
      const ZafEventType result = Default(event);
      if (focus) {
        return result;
      }
      if (NotifyFocus(this, true)) {
        return 0;
      }
      const native::HWND focused = native::GetFocus();
      if (focused == screenID || native::IsChild(screenID, focused)) {
        return result;
      }
      native::SetFocus(window);
      // The press that moved the focus here may have been cut short: a release lets the class procedure
      // finish it.
      ZafWindowObjectDrag::PostFocusButtonUp(screenID);
      return result;
    }
    case native::WM_SETCURSOR:
      if (editMode && reinterpret_cast<native::HWND>(message.wParam) == screenID) {
        return 1;
      }
      if (IsNonCurrentUp() && parent) {
        ZafWindowObjectDrag::SetMouseImage(DM_VIEW);
        return 1;
      }
      return Default(event);
    case native::WM_MOUSEACTIVATE: {
      ZafWindowObject* root = RootObject();
      if (root->Focus()) {
        return Default(event);
      }
      ZafWindowObject* requester = (IsDisabledUp() || IsNonCurrentUp()) ? root : this;
      requester->Event(ZafEventRecord(FocusRequestEvent, 0));
      return static_cast<ZafEventType>(native::MA_ACTIVATE);
    }
    case native::WM_WINDOWPOSCHANGED:
      return WindowPositionChanged(event);
    case native::WM_DRAWITEM:
      return DrawItem(event);
    case native::WM_CTLCOLORMSGBOX:
    case native::WM_CTLCOLOREDIT:
    case native::WM_CTLCOLORLISTBOX:
    case native::WM_CTLCOLORBTN:
    case native::WM_CTLCOLORDLG:
    case native::WM_CTLCOLORSCROLLBAR:
    case native::WM_CTLCOLORSTATIC:
      return ControlColor(event);
    case native::WM_KEYDOWN:
      if (message.wParam == native::VK_F1 && ZafHelpStub::HelpSystem()) {
        if (parent && !HelpContext()) {
          // The parent shows its help instead.
          return UnknownEventResult;
        }
        ZafHelpStub::HelpSystem()->DisplayHelp(HelpContext() ? HelpContext() : u"");
        return MessageResult(native::WM_KEYDOWN);
      }
      native::TranslateMessage(&message);
      Default(event);
      return UnknownEventResult;
    case native::WM_KEYUP:
      native::TranslateMessage(&message);
      Default(event);
      return UnknownEventResult;
    case native::WM_SYSKEYDOWN:
    case native::WM_SYSKEYUP:
      return UnknownEventResult;
    case native::WM_COMMAND:
      // A menu or accelerator command (no control) is the window's to handle, not the class procedure's.
      return message.lParam == 0 ? MessageResult(native::WM_COMMAND) : Default(event);
    case native::WM_NCDESTROY:
      native::SetWindowLong(window, native::GWL_WNDPROC,
                            static_cast<native::LONG_PTR>(native::GetClassLong(window, native::GCL_WNDPROC)));
      ZafWindowObjectDrag::ForgetWindow(window);
      return Default(event);
    case native::WM_NCMOUSEMOVE:
      if (windowManager && windowManager->tipObject) {
        windowManager->tipObject->Event(ZafEventRecord(TipLeaveEvent, 0));
        windowManager->tipObject = nullptr;
      }
      return Default(event);
    case native::WM_LBUTTONDOWN:
    case native::WM_RBUTTONDOWN:
      return ZafWindowObjectDrag::ButtonDown(*this, event);
    case native::WM_MOUSEMOVE:
      return ZafWindowObjectDrag::MouseMove(*this, event);
    case native::WM_LBUTTONUP:
    case native::WM_RBUTTONUP:
      return ZafWindowObjectDrag::ButtonUp(*this, event);
    case native::WM_LBUTTONDBLCLK:
    case native::WM_RBUTTONDBLCLK:
    case native::WM_MBUTTONDBLCLK:
      return IsNonCurrentUp() ? MessageResult(message.message) : Default(event);
    case native::WM_QUERYNEWPALETTE:
    case native::WM_PALETTECHANGED:
      return 0;
    default:
      return Default(event);
  }
}

ZafEventType ZafWindowObject::WindowPositionChanged(const ZafEventRecord& event) {
  const ZafEventType result = Default(event);
  const auto* position = reinterpret_cast<const native::WINDOWPOS*>(event.osEvent.lParam);
  if (!position) {
    return result;
  }
  const bool moved = (position->flags & native::SWP_NOMOVE) == 0;
  const bool sized = (position->flags & native::SWP_NOSIZE) == 0;
  if (!moved && !sized) {
    return result;
  }
  const ZafRegionStruct nativeArea{position->x, position->y, position->x + position->cx - 1,
                                   position->y + position->cy - 1, ZAF_PIXEL};
  ZafWindowObject* coordinateParent = parent ? parent : windowManager;
  region = coordinateParent ? coordinateParent->RegionFromNative(this, nativeArea) : nativeArea;
  ZafEventRecord previous(MovedEvent, 0);
  previous.SetRegion(lastNativeRegion);
  if (moved) {
    Event(previous);
  }
  if (sized) {
    previous.type = SizedEvent;
    Event(previous);
  }
  lastNativeRegion = region;
  return result;
}

ZafEventType ZafWindowObject::DrawItem(const ZafEventRecord& event) {
  const auto* item = reinterpret_cast<const native::DRAWITEMSTRUCT*>(event.osEvent.lParam);
  if (!item || !display) {
    return Default(event);
  }
  const ZafRegionStruct area = ConvertToDrawRegion();
  display->BeginDraw(item->hDC, screenID, area, area);
  const bool savedFocus = focus;
  const bool savedSelected = selected;
  focus = (item->itemState & native::ODS_FOCUS) != 0;
  // A button's selected flag is its toggle state, not the pressed look the control reports.
  if (!IsDisabledUp() && item->CtlType != native::ODT_BUTTON) {
    selected = (item->itemState & native::ODS_SELECTED) != 0;
  }
  if (item->itemAction & native::ODA_DRAWENTIRE) {
    Draw(event, RedisplayEvent);
  } else {
    if (item->itemAction & native::ODA_FOCUS) {
      Draw(event, focus ? FocusGainedEvent : FocusLostEvent);
    }
    if (item->itemAction & native::ODA_SELECT) {
      Draw(event, ChosenEvent);
    }
  }
  focus = savedFocus;
  selected = savedSelected;
  display->EndDraw();
  return MessageResult(native::WM_DRAWITEM);
}

ZafEventType ZafWindowObject::ControlColor(const ZafEventRecord& event) {
  if (!dynamic_cast<ZafGdiDisplay*>(display)) {
    return Default(event);
  }
  const uint16_t state = PaletteState();
  return ZafControlColors(reinterpret_cast<native::HDC>(event.osEvent.wParam),
                          LogicalPalette(ZAF_PM_TEXT, state), LogicalPalette(ZAF_PM_BACKGROUND, state));
}

ZafEventType ZafControlColors(native::HDC context, const ZafPaletteStruct& text,
                              const ZafPaletteStruct& background) {
  auto* gdi = dynamic_cast<ZafGdiDisplay*>(ZafWindowObject::display);
  if (!gdi) {
    return 0;
  }
  native::SelectPalette(context, gdi->logicalPalette, native::FALSE);
  native::SetTextColor(context, gdi->ColorWord(text.colorForeground, text.osForeground));
  native::SetBkColor(context, gdi->ColorWord(background.colorBackground, background.osBackground));
  // The cache keeps the brush after its use is given back; the control paints with it at once.
  const native::HBRUSH brush = gdi->GetBrush(background);
  ZafGdiDisplay::ReleaseCachedObject(brush);
  return static_cast<ZafEventType>(reinterpret_cast<intptr_t>(brush));
}
