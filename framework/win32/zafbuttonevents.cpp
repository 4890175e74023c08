// What the button makes of framework events and of the native messages of its control: choosing by mouse,
// Space, Return, double click and hot key, the auto-repeat timer, the default-button look, auto-size and
// the pressed look reported by owner drawing.
#include "framework/core/zafbutton.h"

#include <algorithm>

#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafchar.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "native/native.h"

namespace {

// The control's timer that repeats the choice while an auto-repeat button is held down.
constexpr native::UINT_PTR kRepeatTimer = 1;
// Bit 30 of a key message's lParam: the key was already down (an auto-repeated press).
constexpr native::LPARAM kPreviousKeyState = native::LPARAM{1} << 30;

ZafEventType Default(const ZafEventRecord& event) {
  return ZafWindowObjectDrag::DefaultProcedure(event);
}

bool Pushed(native::HWND window) {
  return (native::SendMessage(window, native::BM_GETSTATE, 0, 0) & native::BST_PUSHED) != 0;
}

// The region with `pixels` more on every side (fewer when negative): the room of the edit-mode frame.
ZafRegionStruct Widened(ZafRegionStruct region, int32_t pixels) {
  region.left -= pixels;
  region.top -= pixels;
  region.right += pixels;
  region.bottom += pixels;
  return region;
}

}  // namespace

ZafEventType ZafButton::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case HotKeyEvent:
      if (hotKeyChar != 0 && ZafToUpper(static_cast<ZafIChar>(event.Key().value)) == hotKeyChar &&
          !IsDisabledUp()) {
        Event(ZafEventRecord(ChosenEvent, 0));
        return HotKeyEvent;
      }
      return UnknownEventResult;
    case DefaultButtonChangedEvent:
      if (!defaultCapable || !ownNativeWindow || !screenID) {
        return code;
      }
      // Only a push button drawn by the platform shows the default look through its style; a check box
      // must not be turned into a push button by it.
      if (IsPushKind() && nativeDrawing && NativeDrawable()) {
        SetControlType(CountsAsDefault() ? native::BS_DEFPUSHBUTTON : native::BS_PUSHBUTTON, true);
      } else {
        Event(ZafEventRecord(RedisplayEvent, 0));
      }
      return code;
    case FocusGainedEvent:
    case FocusLostEvent: {
      const ZafEventType result = ZafWindowObject::Event(event);
      if (IsCheckOrRadio()) {
        return result;
      }
      // The permanent default button keeps its look when the focus leaves it.
      if (code == FocusGainedEvent || DefaultButton(true) != this) {
        Event(ZafEventRecord(DefaultButtonChangedEvent, 0));
      }
      return result;
    }
    case SetRegionEvent:
      if (editMode && defaultCapable && screenID) {
        // In edit mode the region is the shown one, moved or sized by the user, edit frame included:
        // the program's region lies inside the frame, and the size change puts the frame round it again.
        // The frame is in pixels: so is the region it is taken from.
        ZafRegionStruct given = event.Region();
        ConvertRegion(given, ZAF_PIXEL);
        given = Widened(given, -ZAF_BUTTON_EDIT_FRAME);
        // A frame sized down to less than itself still leaves the button a pixel.
        given.right = std::max(given.right, given.left);
        given.bottom = std::max(given.bottom, given.top);
        ZafEventRecord inside = event;
        inside.SetRegion(given);
        return ZafWindowObject::Event(inside);
      }
      return ZafWindowObject::Event(event);
    case FitEvent: {
      // Every size change starts from the region the program gave; auto-size and the edit frame are
      // applied to it anew.
      ZafRegionStruct start = unpressedRegion;
      ConvertRegion(start, region.coordinateType);
      region = start;
      const ZafEventType result = ZafWindowObject::Event(event);
      if (autoSize && region.coordinateType == ZAF_PIXEL) {
        AutoSizeRegion();
      }
      if (editMode && defaultCapable) {
        region = Widened(region, ZAF_BUTTON_EDIT_FRAME);
      }
      return result;
    }
    case ChosenEvent:
    case ChosenByDoubleClickEvent:
      return Choose(event, chooseOnDoubleClick ? code : ChosenEvent);
    default:
      return ZafWindowObject::Event(event);
  }
}

ZafEventType ZafButton::NativeEvent(const ZafEventRecord& event) {
  if (editMode && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return ZafWindowObject::Event(event);
  }
  const native::MSG& message = event.osEvent;
  switch (message.message) {
    case native::WM_TIMER:
      if (message.wParam != kRepeatTimer) {
        return ZafWindowObject::NativeEvent(event);
      }
      // The timer keeps running while the pointer is off the button; only a pushed button is chosen.
      if (autoRepeat && Pushed(screenID)) {
        Choose(event, ChosenEvent);
        // A choice that took the mouse from the button ended the repeating; only a button still pushed
        // goes on.
        if (Pushed(screenID)) {
          native::SetTimer(screenID, kRepeatTimer, static_cast<native::UINT>(RepeatPeriod()), nullptr);
        } else {
          native::KillTimer(screenID, kRepeatTimer);
        }
      }
      return 0;
    case native::WM_LBUTTONDOWN: {
      ZafEventType result = 0;
      if (IsNonCurrentUp()) {
        // A button that never takes the focus tracks the press itself.
        native::SetCapture(screenID);
        native::SendMessage(screenID, native::BM_SETSTATE, 1, 0);
      } else {
        result = ZafWindowObject::NativeEvent(event);
      }
      if (chooseOnPress) {
        Choose(event, ChosenEvent);
      }
      if (autoRepeat) {
        native::SetTimer(screenID, kRepeatTimer, static_cast<native::UINT>(RepeatDelay()), nullptr);
      }
      return result;
    }
    case native::WM_MOUSEMOVE: {
      if (IsNonCurrentUp() && native::GetCapture() == screenID && (message.wParam & native::MK_LBUTTON)) {
        const ZafPositionStruct point{native::GET_X_LPARAM(message.lParam) + region.left,
                                      native::GET_Y_LPARAM(message.lParam) + region.top, ZAF_PIXEL};
        native::SendMessage(screenID, native::BM_SETSTATE, region.Contains(point) ? 1 : 0, 0);
        return 0;
      }
      const ZafEventType result = ZafWindowObject::NativeEvent(event);
      // During a drag the window object keeps the move from the control; the control still follows it.
      if (windowManager && windowManager->dragObject) {
        Default(event);
      }
      return result;
    }
    case native::WM_LBUTTONUP:
      if (autoRepeat) {
        native::KillTimer(screenID, kRepeatTimer);
      }
      if (!chooseOnPress && Pushed(screenID)) {
        Choose(event, ChosenEvent);
      }
      if (IsNonCurrentUp()) {
        if (native::GetCapture() == screenID) {
          native::ReleaseCapture();
        }
        native::SendMessage(screenID, native::BM_SETSTATE, 0, 0);
        return 0;
      }
      return ZafWindowObject::NativeEvent(event);
    case native::WM_CAPTURECHANGED:
    case native::WM_CANCELMODE:
      // The release will not come to this control once the mouse is taken from it: the repeating ends
      // here instead. The control drops its pushed state on the same message.
      if (autoRepeat) {
        native::KillTimer(screenID, kRepeatTimer);
      }
      return ZafWindowObject::NativeEvent(event);
    case native::WM_LBUTTONDBLCLK:
      // The second press of a double click presses the button like the first.
      native::SendMessage(screenID, native::WM_LBUTTONDOWN, message.wParam, message.lParam);
      if (chooseOnDoubleClick) {
        Choose(event, ChosenByDoubleClickEvent);
      }
      return 0;
    case native::WM_KEYDOWN:
      if (message.wParam == native::VK_RETURN) {
        if (IsCheckOrRadio()) {
          return UnknownEventResult;
        }
        Event(ZafEventRecord(ChosenEvent, 0));
        return 0;
      }
      if (message.wParam == native::VK_SPACE) {
        Default(event);
        const bool repeated = (message.lParam & kPreviousKeyState) != 0;
        if ((repeated && autoRepeat) || (!repeated && chooseOnPress)) {
          Choose(event, ChosenEvent);
        }
        return 0;
      }
      return ZafWindowObject::NativeEvent(event);
    case native::WM_KEYUP:
      if (message.wParam == native::VK_RETURN) {
        return 0;
      }
      if (message.wParam == native::VK_SPACE) {
        if (!chooseOnPress) {
          Choose(event, ChosenEvent);
        }
        Default(event);
        return 0;
      }
      return ZafWindowObject::NativeEvent(event);
    case native::WM_PAINT:
      return Default(event);
    case native::WM_ERASEBKGND:
      return nativeDrawing && NativeDrawable() ? Default(event) : ZafWindowObject::NativeEvent(event);
    case native::WM_DRAWITEM:
      return DrawItemMessage(event);
    case native::WM_CTLCOLORBTN:
      return ControlColorMessage(event);
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}
