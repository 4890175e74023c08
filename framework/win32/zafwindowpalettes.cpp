// A window's background and its answers to the palette messages: the background is filled with the
// window's background colours, and the display's palette is realized when the window comes to the front
// or another window changed the system's colours.
#include "framework/core/zafdisplay.h"
#include "framework/core/zafwindow.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafgdidisplay.h"
#include "native/native.h"

namespace {

// Selects the display's palette into the window's device context, realizes it and gives the context
// back; answers how many colours changed (0 without a palette or a context).
native::UINT RealizeDisplayPalette(native::HWND window, bool background) {
  const ZafDisplay* display = ZafWindowObject::display;
  if (!display || !display->logicalPalette || !window) {
    return 0;
  }
  const native::HDC context = native::GetDC(window);
  if (!context) {
    return 0;
  }
  const native::HPALETTE previous =
      native::SelectPalette(context, display->logicalPalette, background ? native::TRUE : native::FALSE);
  const native::UINT changed = native::RealizePalette(context);
  native::SelectPalette(context, previous, native::TRUE);
  native::ReleaseDC(window, context);
  return changed;
}

}  // namespace

ZafEventType ZafWindow::EraseBackground(const ZafEventRecord& event) {
  auto* gdi = dynamic_cast<ZafGdiDisplay*>(display);
  const auto context = reinterpret_cast<native::HDC>(event.osEvent.wParam);
  if (!gdi || !context) {
    return 1;
  }
  const ZafPaletteStruct background = LogicalPalette(ZAF_PM_BACKGROUND, PaletteState());
  const native::HPALETTE previousPalette = native::SelectPalette(context, gdi->logicalPalette, native::FALSE);
  const native::COLORREF previousText =
      native::SetTextColor(context, gdi->ColorWord(background.colorForeground, background.osForeground));
  const native::COLORREF previousBack =
      native::SetBkColor(context, gdi->ColorWord(background.colorBackground, background.osBackground));
  const native::HBRUSH brush = gdi->GetBrush(background);
  const native::HGDIOBJ previousBrush = native::SelectObject(context, brush);
  native::RECT client{};
  native::GetClientRect(event.osEvent.hwnd, &client);
  native::PatBlt(context, client.left, client.top, client.right - client.left, client.bottom - client.top,
                 native::PATCOPY);
  native::SelectObject(context, previousBrush);
  native::SetBkColor(context, previousBack);
  native::SetTextColor(context, previousText);
  native::SelectPalette(context, previousPalette, native::FALSE);
  ZafGdiDisplay::ReleaseCachedObject(brush);
  return 1;
}

ZafEventType ZafWindow::QueryNewPalette(const ZafEventRecord& event) {
  // The current child first, so the colours of what the user works in win.
  ZafWindowObject* current = CurrentChild();
  ZafEventType answer = current ? current->Event(event) : 0;
  for (ZafList* list : {static_cast<ZafList*>(this), &support}) {
    for (ZafElement* element = list->First(); element; element = element->Next()) {
      if (element != current) {
        answer = static_cast<ZafWindowObject*>(element)->Event(event);
      }
    }
  }
  if (parent) {
    return answer;
  }
  const native::HWND outer = ZafFrameOrScreenID(this);
  if (const native::UINT changed = RealizeDisplayPalette(outer, false)) {
    native::InvalidateRect(screenID, nullptr, native::TRUE);
    return static_cast<ZafEventType>(changed);
  }
  // The other windows still realize theirs; this window's handler knows the message is its own.
  native::SendMessage(outer, native::WM_PALETTECHANGED, reinterpret_cast<native::WPARAM>(outer), 0);
  return 0;
}

ZafEventType ZafWindow::PaletteChanged(const ZafEventRecord& event) {
  BroadcastToChildren(event, 0);
  if (reinterpret_cast<native::HWND>(event.osEvent.wParam) == ZafFrameOrScreenID(this)) {
    return 0;
  }
  if (const native::UINT changed = RealizeDisplayPalette(screenID, true)) {
    native::InvalidateRect(screenID, nullptr, native::TRUE);
    return static_cast<ZafEventType>(changed);
  }
  return 0;
}
