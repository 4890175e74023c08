#include "framework/win32/zafnativecontrol.h"

#include <algorithm>
#include <string>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/native.h"

namespace {

// Palette state of the font a new control is given: active and enabled.
constexpr uint16_t kFontState = ZAF_PM_ACTIVE | ZAF_PM_ENABLED;

}  // namespace

void ZafEditStyles(ZafWindowObject& field, native::DWORD& style, native::DWORD& extendedStyle) {
  if (field.IsDisabledUp() && !field.EditMode()) {
    style |= native::WS_DISABLED;
  }
  if (field.Visible()) {
    style |= native::WS_VISIBLE;
  }
  if (field.Bordered() && field.NativeDrawing()) {
    if (ZafMSWindowsApp::system.threeD) {
      extendedStyle |= native::WS_EX_CLIENTEDGE;
    } else {
      style |= native::WS_BORDER;
    }
  }
}

void ZafSetControlFont(ZafWindowObject& field) {
  ZafDisplay* display = ZafWindowObject::display;
  const uint8_t font = field.LogicalPalette(ZAF_PM_TEXT, kFontState).font;
  if (display && font < display->fontTable.size()) {
    native::SendMessage(field.ScreenID(), native::WM_SETFONT,
                        reinterpret_cast<native::WPARAM>(display->fontTable[font]), native::FALSE);
  }
}

void ZafRefontListControl(ZafWindowObject& control) {
  const native::HWND window = control.ScreenID();
  if (!window) {
    return;
  }
  native::SendMessage(window, native::WM_SETREDRAW, native::FALSE, 0);
  ZafSetControlFont(control);
  if (control.AutomaticUpdate() && control.Visible()) {
    native::SendMessage(window, native::WM_SETREDRAW, native::TRUE, 0);
  }
  control.Event(ZafEventRecord(RedisplayEvent, 0));
}

void ZafPrepareEditControl(ZafWindowObject& field, const ZafStringData& data) {
  const int maximum = data.MaxLength();
  native::SendMessage(field.ScreenID(), native::EM_LIMITTEXT,
                      maximum > 0 ? static_cast<native::WPARAM>(maximum) : 0, 0);
  ZafSetControlFont(field);
}

void ZafShowControlText(native::HWND control, const ZafStringData& data) {
  const ZafIChar* text = data.Text();
  native::SendMessage(control, native::WM_SETTEXT, 0, reinterpret_cast<native::LPARAM>(text ? text : u""));
}

void ZafPlaceCaret(native::HWND control, int position) {
  native::SendMessage(control, native::EM_SETSEL, static_cast<native::WPARAM>(position), position);
  native::SendMessage(control, native::EM_SCROLLCARET, 0, 0);
}

void ZafSelectAll(native::HWND control) {
  native::SendMessage(control, native::EM_SETSEL, 0, -1);
  native::SendMessage(control, native::EM_SCROLLCARET, 0, 0);
}

bool ZafSendClipboardRequest(native::HWND control, ZafEventType request) {
  const native::UINT message = request == CutEvent     ? native::WM_CUT
                               : request == CopyEvent  ? native::WM_COPY
                               : request == PasteEvent ? native::WM_PASTE
                                                       : 0;
  if (message == 0) {
    return false;
  }
  native::SendMessage(control, message, 0, 0);
  return true;
}

ZafEventType ZafEditKeyAnswer(ZafEventType answer, native::WPARAM key) {
  if (answer != UnknownEventResult) {
    return answer;
  }
  return ZafControlKeepsKey(key) ? 0 : UnknownEventResult;
}

void ZafTakeControlText(native::HWND control, ZafStringData& data, ZafElement* observer) {
  const auto length = native::SendMessage(control, native::WM_GETTEXTLENGTH, 0, 0);
  if (length < 0) {
    return;
  }
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const auto copied =
      native::SendMessage(control, native::WM_GETTEXT, static_cast<native::WPARAM>(text.size()),
                          reinterpret_cast<native::LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::clamp<native::LRESULT>(copied, 0, length)));
  const ZafULong wanted = data.Data(observer);
  data.SetData(observer, 0);
  data.SetText(text.c_str());
  data.SetData(observer, wanted);
}

bool ZafControlKeepsKey(native::WPARAM key) {
  const native::UINT character =
      native::MapVirtualKey(static_cast<native::UINT>(key), native::MAPVK_VK_TO_CHAR);
  const bool letterOrDigit =
      (character >= u'0' && character <= u'9') || (character >= u'A' && character <= u'Z');
  const bool numberPad = key >= native::VK_NUMPAD0 && key <= native::VK_DIVIDE;
  const bool spaceToArrows = key >= native::VK_SPACE && key <= native::VK_DOWN;
  return letterOrDigit || numberPad || spaceToArrows || key == native::VK_BACK;
}

void ZafFillSystemColor(uint8_t colorByte, uint32_t& nativeColor, native::COLORREF systemColor) {
  if (colorByte == ZAF_COLOR_SYSTEM && nativeColor == ZAF_OS_COLOR_NOT_SET) {
    nativeColor = systemColor;
  }
}

void ZafFillSystemColors(ZafPaletteStruct& palette, native::COLORREF foreground,
                         native::COLORREF background) {
  ZafFillSystemColor(palette.colorForeground, palette.osForeground, foreground);
  ZafFillSystemColor(palette.colorBackground, palette.osBackground, background);
}

void ZafFillWindowColor(ZafPaletteStruct& palette) {
  const native::COLORREF window = native::GetSysColor(native::COLOR_WINDOW);
  ZafFillSystemColors(palette, window, window);
}

ZafEventType ZafCallUserCallback(ZafWindowObject& object, const ZafEventRecord& event, ZafEventType code) {
  ZafEventRecord copy = event;
  const ZafWindowObject::UserCallback callback = object.userCallback;
  return (object.*callback)(&object, copy, code);
}
