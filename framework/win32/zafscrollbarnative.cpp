// The scroll bar's native side: a free bar is a "SCROLLBAR" control, a slider a trackbar, and a window's own
// bar the built-in bar of the window's native window. The data is put into them in scaled 16-bit units, and
// their scroll messages become changes of the data, reported to the user function (free bars and sliders)
// or to the window (its own bars).
#include "framework/core/zafscrollbar.h"
#include "framework/data/zafscrolldata.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafnativecontrol.h"
#include "framework/win32/zafscrollscale.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "native/native.h"

namespace {

// A slider's thickness in pixels, less one (regions are inclusive).
constexpr int32_t kSliderThickness = 22;

// The scroll codes: the event they report and the value they move to. Up and down are from the
// minimum's side; a vertical slider runs the other way.
struct ScrollCode {
  native::WORD code;
  ZafEventType event;
};

constexpr ScrollCode kScrollCodes[] = {
    {native::SB_LINEUP, 1050},
    {native::SB_LINEDOWN, 1051},
    {native::SB_PAGEUP, 1058},
    {native::SB_PAGEDOWN, 1059},
    {native::SB_THUMBPOSITION, LeftReleasedEvent},
    {native::SB_THUMBTRACK, LeftDraggedEvent},
    {native::SB_TOP, 1056},
    {native::SB_BOTTOM, 1057},
};

// The value a scroll code moves to, counted from the minimum (from the maximum when `inverted`).
int64_t NewValue(native::WORD code, const ZafScrollStruct& scroll, int32_t scale, int16_t thumb,
                 bool inverted) {
  const int64_t direction = inverted ? -1 : 1;
  switch (code) {
    case native::SB_LINEUP:
      return scroll.current - direction * scroll.delta;
    case native::SB_LINEDOWN:
      return scroll.current + direction * scroll.delta;
    case native::SB_PAGEUP:
      return scroll.current - direction * scroll.showing;
    case native::SB_PAGEDOWN:
      return scroll.current + direction * scroll.showing;
    case native::SB_THUMBPOSITION:
    case native::SB_THUMBTRACK:
      return ZafScrollValueAt(scroll, scale, thumb, inverted);
    case native::SB_TOP:
      return inverted ? scroll.maximum : scroll.minimum;
    case native::SB_BOTTOM:
      return inverted ? scroll.minimum : scroll.maximum;
    default:
      return scroll.current;
  }
}

ZafEventType EventOfCode(native::WORD code) {
  for (const ScrollCode& row : kScrollCodes) {
    if (row.code == code) {
      return row.event;
    }
  }
  return 0;
}

}  // namespace

void ZafScrollBar::CreateNative() {
  if (scrollType == ZAF_CORNER_SCROLL) {
    return;
  }
  native::DWORD style = native::WS_CHILD;
  native::DWORD ignored = 0;
  ZafEditStyles(*this, style, ignored);
  const char16_t* className = u"SCROLLBAR";
  if (IsSlider(scrollType)) {
    native::InitCommonControls();
    className = native::TRACKBAR_CLASS;
    style |= native::TBS_NOTICKS | (scrollType == ZAF_VERTICAL_SLIDER ? native::TBS_VERT : native::TBS_HORZ);
  } else {
    style |= scrollType == ZAF_VERTICAL_SCROLL ? native::SBS_VERT : native::SBS_HORZ;
  }
  screenID = ZafCreateWindow(this, className, style, nullptr, nullptr, native::WS_EX_NOPARENTNOTIFY);
  if (screenID) {
    ScrollToNative();
  }
}

int ZafScrollBar::NativeBar() const {
  if (!supportObject) {
    return native::SB_CTL;
  }
  return scrollType == ZAF_VERTICAL_SCROLL ? native::SB_VERT : native::SB_HORZ;
}

int ZafScrollBar::ScrollToNative() {
  if (!screenID || !parent || !parent->OwnNativeWindow()) {
    return 0;
  }
  const ZafNativeScroll native = ZafScaleScroll(scrollData->Scroll());
  scale = native.scale;
  if (IsSlider(scrollType)) {
    native::SendMessage(screenID, native::TBM_SETRANGE, native::TRUE,
                        native::MAKELPARAM(static_cast<native::WORD>(ZAF_NATIVE_SCROLL_LOW),
                                           static_cast<native::WORD>(native.top)));
    const int32_t position = scrollType == ZAF_VERTICAL_SLIDER
                                 ? native.top - (native.position - ZAF_NATIVE_SCROLL_LOW)
                                 : native.position;
    native::SendMessage(screenID, native::TBM_SETPOS, native::TRUE, position);
    return 0;
  }
  native::SCROLLINFO info{};
  info.cbSize = sizeof(native::SCROLLINFO);
  info.fMask = native::SIF_ALL | native::SIF_DISABLENOSCROLL;
  info.nMin = ZAF_NATIVE_SCROLL_LOW;
  info.nMax = native.top + native.page - 1;
  info.nPage = static_cast<native::UINT>(native.page);
  info.nPos = native.position;
  native::SetScrollInfo(screenID, NativeBar(), &info, native::TRUE);
  return 0;
}

int32_t ZafScrollBar::ValueOfPosition(int32_t position) const {
  return ZafScrollValueAt(scrollData->Scroll(), scale, position, scrollType == ZAF_VERTICAL_SLIDER);
}

int ZafScrollBar::ScrollFromNative() {
  if (!screenID || !parent || !parent->OwnNativeWindow()) {
    return 0;
  }
  const int32_t position = IsSlider(scrollType)
                               ? static_cast<int32_t>(native::SendMessage(screenID, native::TBM_GETPOS, 0, 0))
                               : native::GetScrollPos(screenID, NativeBar());
  StoreQuietly(ValueOfPosition(position));
  return 0;
}

ZafEventType ZafScrollBar::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case E_OSEVENT:
      return NativeEvent(event);
    case -303:
    case -302:
      scrollData->SetScroll(event.Scroll());
      ScrollToNative();
      return event.type;
    case ScrollHorizontalByEvent:
    case ScrollVerticalByEvent:
      // The change is held inside the range: an unclamped value would wrap in the native positions.
      StoreQuietly(ZafClampScroll(static_cast<int64_t>(scrollData->Current()) + event.Scroll().delta,
                                  scrollData->Minimum(), scrollData->Maximum()));
      ScrollToNative();
      return event.type;
    case FitEvent:
      ZafWindowObject::Event(event);
      if (automaticSize) {
        switch (scrollType) {
          case ZAF_VERTICAL_SLIDER:
            region.right = region.left + kSliderThickness;
            break;
          case ZAF_VERTICAL_SCROLL:
            region.right = region.left + native::GetSystemMetrics(native::SM_CXVSCROLL) - 1;
            break;
          case ZAF_HORIZONTAL_SLIDER:
            region.bottom = region.top + kSliderThickness;
            break;
          case ZAF_HORIZONTAL_SCROLL:
            region.bottom = region.top + native::GetSystemMetrics(native::SM_CYHSCROLL) - 1;
            break;
          default:
            break;
        }
      }
      return event.type;
    case NativeAttachedEvent: {
      const ZafEventType result = ZafWindowObject::Event(event);
      if (supportObject && scrollType != ZAF_CORNER_SCROLL) {
        ScrollToNative();
      }
      return result;
    }
    default:
      return ZafWindowObject::Event(event);
  }
}

ZafEventType ZafScrollBar::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (editMode && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return ZafWindowObject::NativeEvent(event);
  }
  switch (message.message) {
    case native::WM_PAINT:
      return nativeDrawing ? ZafWindowObjectDrag::DefaultProcedure(event)
                           : ZafWindowObject::NativeEvent(event);
    case native::WM_KEYDOWN:
    case native::WM_KEYUP:
    case native::WM_SYSKEYDOWN:
    case native::WM_SYSKEYUP:
      switch (message.wParam) {
        case native::VK_TAB:
          return UnknownEventResult;
        case native::VK_LEFT:
        case native::VK_UP:
        case native::VK_RIGHT:
        case native::VK_DOWN:
          return ZafWindowObjectDrag::DefaultProcedure(event);
        default:
          return ZafWindowObject::NativeEvent(event);
      }
    case native::WM_HSCROLL:
    case native::WM_VSCROLL:
      return ScrollMessage(event);
    case native::WM_CTLCOLORSTATIC:
      return IsSlider(scrollType) ? SliderColor(event) : event.type;
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}

ZafEventType ZafScrollBar::ScrollMessage(const ZafEventRecord& event) {
  const native::WORD code = native::LOWORD(event.osEvent.wParam);
  const auto thumb = static_cast<int16_t>(native::HIWORD(event.osEvent.wParam));
  const ZafScrollStruct scroll = scrollData->Scroll();
  const int32_t value =
      ZafClampScroll(NewValue(code, scroll, scale, thumb, scrollType == ZAF_VERTICAL_SLIDER), scroll.minimum,
                     scroll.maximum);
  if (value == scroll.current) {
    return 0;
  }
  const int32_t change = value - scroll.current;
  StoreQuietly(value);
  ScrollToNative();
  if (!supportObject) {
    ZafEventRecord report(EventOfCode(code), 0);
    ZafScrollStruct reported = scrollData->Scroll();
    reported.delta = change;
    report.SetScroll(reported);
    const UserCallback callback = userCallback;
    (this->*callback)(this, report, ChosenEvent);
  } else if (parent) {
    ZafEventRecord report;
    report.type = scrollType == ZAF_VERTICAL_SCROLL ? VerticalScrollEvent : HorizontalScrollEvent;
    ZafScrollStruct changeOnly{};
    changeOnly.delta = change;
    report.SetScroll(changeOnly);
    parent->Event(report);
  }
  return 0;
}

ZafEventType ZafScrollBar::SliderColor(const ZafEventRecord& event) {
  if (!parent) {
    return event.type;
  }
  // The trackbar takes both its colours from the background of the window it stands in.
  const ZafPaletteStruct background = parent->LogicalPalette(ZAF_PM_BACKGROUND, PaletteState());
  return ZafControlColors(reinterpret_cast<native::HDC>(event.osEvent.wParam), background, background);
}

ZafEventType ZafScrollBar::Draw(const ZafEventRecord&, ZafEventType drawType) {
  return drawType;
}

native::HWND ZafScrollBar::ScreenID(int32_t) const {
  return screenID;
}

void ZafScrollBar::UpdateNative() {
  ZafWindowObject::UpdateNative();
}
