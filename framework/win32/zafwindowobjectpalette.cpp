// The window object's palette on the native window system: which system colours stand for the palette
// bytes that ask for the system default, and how a palette change reaches the native window.
#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"

namespace {

// The native system colours of one palette type: foreground and background.
struct SystemColors {
  int foreground;
  int background;
};

// The 3-D light and dark-shadow colours exist from Windows 95 and Windows NT 4.00 on.
bool HasThreeDColors() {
  const ZafMSWindowsApp::SystemDecision& system = ZafMSWindowsApp::system;
  return system.platform == ZafMSWindowsApp::Windows95 ||
         (system.platform == ZafMSWindowsApp::WindowsNT && system.version > 399);
}

// False for a type that has no system colours.
bool SystemColorsOf(uint16_t type, uint16_t state, SystemColors& colors) {
  switch (type) {
    case ZAF_PM_TEXT:
      colors = (state & ZAF_PM_DISABLED) ? SystemColors{native::COLOR_BTNSHADOW, native::COLOR_BTNHIGHLIGHT}
                                         : SystemColors{native::COLOR_WINDOWTEXT, native::COLOR_BTNFACE};
      return true;
    case ZAF_PM_FOREGROUND:
      colors = {native::COLOR_WINDOWTEXT, native::COLOR_BTNFACE};
      return true;
    case ZAF_PM_BACKGROUND:
    case ZAF_PM_FOCUS:
      colors = {native::COLOR_BTNFACE, native::COLOR_BTNFACE};
      return true;
    case ZAF_PM_LIGHT_SHADOW:
      colors = {native::COLOR_BTNHIGHLIGHT,
                HasThreeDColors() ? native::COLOR_3DLIGHT : native::COLOR_BTNFACE};
      return true;
    case ZAF_PM_DARK_SHADOW:
      colors = {native::COLOR_BTNSHADOW,
                HasThreeDColors() ? native::COLOR_3DDKSHADOW : native::COLOR_BTNSHADOW};
      return true;
    default:
      return false;
  }
}

// Fills one native colour when its palette byte asks for the system colour and nothing filled it yet.
void FillSystemColor(uint8_t colorByte, uint32_t& nativeColor, int systemColor) {
  if (colorByte == ZAF_COLOR_SYSTEM && nativeColor == ZAF_OS_COLOR_NOT_SET) {
    nativeColor = native::GetSysColor(systemColor);
  }
}

}  // namespace

void ZafWindowObject::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  SystemColors colors{};
  if (!SystemColorsOf(type, state, colors)) {
    return;
  }
  FillSystemColor(palette.colorForeground, palette.osForeground, colors.foreground);
  FillSystemColor(palette.colorBackground, palette.osBackground, colors.background);
}

void ZafWindowObject::UpdatePalettes(uint16_t, uint16_t) {
  if (!screenID) {
    return;
  }
  if (ownNativeWindow && nativeDrawing) {
    // The native control draws its own text, so it is told the font of the object's text palette.
    const uint8_t font = LogicalPalette(ZAF_PM_TEXT, ZAF_PM_ACTIVE | ZAF_PM_ENABLED).font;
    if (display && font < display->fontTable.size()) {
      native::SendMessage(screenID, native::WM_SETREDRAW, native::FALSE, 0);
      native::SendMessage(screenID, native::WM_SETFONT,
                          reinterpret_cast<native::WPARAM>(display->fontTable[font]), 0);
      if (automaticUpdate && visible) {
        native::SendMessage(screenID, native::WM_SETREDRAW, native::TRUE, 0);
      }
    }
  }
  Event(ZafEventRecord(RedisplayEvent, 0));
}
