// The prompt's native "STATIC" control: its style, the label with its hot-key mark, sizing to the text,
// the hot key that hands the focus on, transparent backgrounds, colours, and the framework's own drawing
// of the label (etched when disabled).
#include <algorithm>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafprompt.h"
#include "framework/core/zaftextlines.h"
#include "framework/data/zafchar.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafmnemonictext.h"
#include "framework/win32/zafnativecontrol.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "native/native.h"

namespace {

// Pixels a bordered prompt's text starts below the top of its region.
constexpr int32_t kBorderedTextDrop = 3;

ZafEventType MessageResult(native::UINT message) {
  return static_cast<ZafEventType>(message);
}

// Places an extent of `size` pixels inside [first, last] as the justification says: 0 at the start, 1 at
// the end, 2 centred (halves rounded toward zero).
void Place(int32_t& first, int32_t& last, int32_t size, int32_t justification) {
  if (justification == 2) {
    first = first + (last - first + 1) / 2 - (size + 1) / 2;
    last = first + size;
  } else if (justification == 1) {
    first = last - (size + 1) + 1;
  } else {
    last = first + size;
  }
}

// The size of the text with a line under another for each line: the widest line, and the lines' height.
ZafRegionStruct LinesSize(ZafDisplay& display, const ZafIChar* text) {
  int32_t width = 0;
  const int32_t lines = ZafForEachLine(text, [&](const ZafIChar* line, int32_t length) {
    width = std::max(width, length > 0 ? display.TextSize(line, length).Width() : 0);
  });
  const int32_t lineHeight = display.TextSize(u"X", 1).Height();
  return {0, 0, width - 1, lines * lineHeight - 1, ZAF_PIXEL};
}

// Draws the text in the box; a text of several lines (ending in LF or CR LF) gets one band of the box for
// each line, so that every line shows.
void DrawLines(ZafDisplay& display, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const ZafIChar* text, int32_t justification, int32_t verticalJustification,
               int32_t hotKeyIndex) {
  const int32_t lines = ZafForEachLine(text, [](const ZafIChar*, int32_t) {});
  if (lines == 1) {
    display.Text(left, top, right, bottom, text, -1, justification, verticalJustification, hotKeyIndex,
                 false);
    return;
  }
  const int32_t band = (bottom - top + 1) / lines;
  int32_t line = 0;
  ZafForEachLine(text, [&](const ZafIChar* start, int32_t length) {
    const auto offset = static_cast<int32_t>(start - text);
    const int32_t hotKey = hotKeyIndex >= offset && hotKeyIndex < offset + length ? hotKeyIndex - offset : -1;
    if (length > 0) {
      display.Text(left, top + line * band, right, top + (line + 1) * band - 1, start, length, justification,
                   verticalJustification, hotKey, false);
    }
    ++line;
  });
}

}  // namespace

void ZafPrompt::CreateNative() {
  native::DWORD style = native::WS_CHILD | native::WS_CLIPSIBLINGS;
  if (visible) {
    style |= native::WS_VISIBLE;
  }
  if (justification == 2) {
    style |= native::SS_CENTER;
  } else if (justification == 1) {
    style |= native::SS_RIGHT;
  }
  if (IsDisabledUp() && !editMode) {
    style |= native::WS_DISABLED;
  }
  screenID = ZafCreateWindow(this, u"STATIC", style);
  if (!screenID) {
    return;
  }
  ZafSetControlFont(*this);
  UpdateNativeText();
}

int ZafPrompt::UpdateNativeText() {
  if (screenID && parent && parent->IsA(ID_ZAF_LIST) && parent->NativeDrawing()) {
    return ZafWindowObject::UpdateNativeText();
  }
  if (!screenID) {
    return 0;
  }
  if (autoSize) {
    Event(ZafEventRecord(FitEvent, 0));
    UpdateNative();
  }
  if (!ownNativeWindow || !nativeDrawing) {
    Event(ZafEventRecord(RedisplayEvent, 0));
    return 0;
  }
  const std::unique_ptr<ZafIChar[]> label = ZafMnemonicText(Text() ? Text() : u"", hotKeyIndex);
  native::SendMessage(screenID, native::WM_SETTEXT, 0, reinterpret_cast<native::LPARAM>(label.get()));
  return 0;
}

bool ZafPrompt::SetDisabled(bool flag) {
  const bool controlRedraws = nativeDrawing && autoSize && !transparentBackground;
  if (flag == disabled || !screenID || !automaticUpdate || controlRedraws) {
    return ZafWindowObject::SetDisabled(flag);
  }
  // The framework draws the prompt: the control must not paint the change first.
  native::SendMessage(screenID, native::WM_SETREDRAW, native::FALSE, 0);
  ZafWindowObject::SetDisabled(flag);
  native::SendMessage(screenID, native::WM_SETREDRAW, native::TRUE, 0);
  Event(ZafEventRecord(RedisplayEvent, 0));
  return disabled;
}

void ZafPrompt::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  if (type != ZAF_PM_TEXT) {
    ZafWindowObject::SetDisplayColors(palette, type, state);
    return;
  }
  const bool disabledState = (state & ZAF_PM_DISABLED) != 0;
  ZafFillSystemColors(palette,
                      native::GetSysColor(disabledState ? native::COLOR_BTNSHADOW : native::COLOR_WINDOWTEXT),
                      native::GetSysColor(disabledState ? native::COLOR_BTNHIGHLIGHT : native::COLOR_WINDOW));
}

ZafEventType ZafPrompt::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case HotKeyEvent: {
      if (hotKey == 0 || ZafToUpper(static_cast<ZafIChar>(event.Key().value)) != hotKey) {
        return UnknownEventResult;
      }
      // The prompt labels the object after it, which takes the focus in its place.
      if (auto* next = static_cast<ZafWindowObject*>(Next())) {
        next->SetFocus(true);
      }
      return HotKeyEvent;
    }
    case SizedEvent:
      Event(ZafEventRecord(RedisplayEvent, 0));
      return code;
    case FitEvent:
      return FitToText(event);
    case RedisplayRegionEvent:
    case RedisplayEvent:
      if (!screenID || !IsAutomaticUpdateUp()) {
        return code;
      }
      return transparentBackground ? RedisplayThroughParent(event) : ZafWindowObject::Event(event);
    default:
      return ZafWindowObject::Event(event);
  }
}

ZafEventType ZafPrompt::FitToText(const ZafEventRecord& event) {
  ZafRegionStruct start = givenRegion;
  ConvertRegion(start, region.coordinateType);
  region = start;
  const ZafEventType result = ZafWindowObject::Event(event);
  if (!autoSize || editMode || !screenID || !display || region.coordinateType != ZAF_PIXEL) {
    return result;
  }
  // Measured on the control's own device context, in the font of its text palette.
  const native::HDC context = native::GetDC(screenID);
  const ZafRegionStruct area{0, 0, region.Width() - 1, region.Height() - 1, ZAF_PIXEL};
  display->BeginDraw(context, screenID, area, area);
  display->SetPalette(LogicalPalette(ZAF_PM_TEXT, 0));
  const ZafRegionStruct size = LinesSize(*display, Text() ? Text() : u"");
  display->EndDraw();
  native::ReleaseDC(screenID, context);
  const int32_t width = size.Width();
  const int32_t height = size.Height();
  if (verticalJustification == 0 && bordered) {
    region.top += kBorderedTextDrop;
  }
  Place(region.top, region.bottom, height, verticalJustification);
  Place(region.left, region.right, width, justification);
  return result;
}

ZafEventType ZafPrompt::RedisplayThroughParent(const ZafEventRecord& event) {
  if (!parent) {
    return ZafWindowObject::Event(event);
  }
  const ZafRegionStruct given = event.Region();
  ZafEventRecord below(RedisplayRegionEvent, 0);
  below.SetRegion(parent->RegionToNative(this, event.type == RedisplayRegionEvent ? &given : nullptr));
  return parent->Event(below);
}

bool ZafPrompt::ControlPaints() const {
  return nativeDrawing && autoSize && !transparentBackground && verticalJustification == 0 && !editMode;
}

ZafEventType ZafPrompt::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (editMode && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return ZafWindowObject::Event(event);
  }
  switch (message.message) {
    case native::WM_PAINT:
    case native::WM_ERASEBKGND:
      return ControlPaints() ? ZafWindowObjectDrag::DefaultProcedure(event)
                             : ZafWindowObject::NativeEvent(event);
    case native::WM_NCHITTEST:
      return native::HTCLIENT;
    case native::WM_LBUTTONDOWN:
    case native::WM_RBUTTONDOWN:
      // A press on a label brings its window to the front; the label itself takes nothing.
      native::SetForegroundWindow(RootObject()->ScreenID(2));
      return MessageResult(message.message);
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}

ZafEventType ZafPrompt::Draw(const ZafEventRecord&, ZafEventType drawType) {
  if (!display) {
    return drawType;
  }
  ZafRegionStruct area = BeginDraw();
  display->SetClipRegion(area);
  if (!transparentBackground || editMode) {
    DrawBackground(area, drawType == DrawNowEvent ? RedisplayEvent : drawType);
  }
  if (editMode) {
    display->SetLineStyle(1);
    display->SetForeground(0);
    display->Rectangle(area.left, area.top, area.right, area.bottom, 1, false);
  }
  ZafRegionStruct box = area;
  if ((!autoSize || editMode) && bordered) {
    box.top += kBorderedTextDrop;
  }
  if (drawType == RedisplayEvent || drawType == RedisplayRegionEvent || drawType == DrawNowEvent) {
    const ZafIChar* text = Text() ? Text() : u"";
    const ZafPaletteStruct palette = LogicalPalette(ZAF_PM_TEXT, PaletteState());
    if (IsDisabledUp()) {
      // Etched: the text in the background colour, one pixel right and down, under the text itself.
      ZafPaletteStruct etched = palette;
      etched.colorForeground = etched.colorBackground;
      etched.osForeground = etched.osBackground;
      display->SetPalette(etched);
      DrawLines(*display, box.left, box.top, box.right, box.bottom, text, justification, 2, hotKeyIndex);
      DrawLines(*display, box.left + 1, box.top + 1, box.right, box.bottom, text, justification,
                verticalJustification, hotKeyIndex);
    }
    display->SetPalette(palette);
    DrawLines(*display, box.left, box.top, box.right - 1, box.bottom - 1, text, justification,
              verticalJustification, hotKeyIndex);
  }
  EndDraw();
  return drawType;
}
