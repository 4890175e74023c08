#include "native/controls/staticcontrol.h"

#include "native/controls/controlconstants.h"
#include "native/controls/controllook.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/gdi/drawtext.h"
#include "native/user/paintapi.h"

namespace native {

namespace {

// The alignment styles are the low bits.
constexpr DWORD kAlignmentMask = 0x3;

}  // namespace

LRESULT StaticControl::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  return handleCommon(message, wParam, lParam);
}

UINT StaticControl::textFormat() const {
  DWORD alignment = style() & kAlignmentMask;
  UINT format = DT_WORDBREAK | (alignment == SS_CENTER  ? DT_CENTER
                                : alignment == SS_RIGHT ? DT_RIGHT
                                                        : DT_LEFT);
  if ((style() & SS_NOPREFIX) != 0) {
    format |= DT_NOPREFIX;
  }
  return format;
}

void StaticControl::paint(HDC dc) {
  RECT client = clientRect();
  HGDIOBJ previousFont = SelectObject(dc, ControlLook::fontOrDefault(font()));
  HBRUSH background = ControlLook::askColors(window(), dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &client, background);
  ControlLook::label(dc, text(), client, textFormat(), enabled());
  SelectObject(dc, previousFont);
}

}  // namespace native
