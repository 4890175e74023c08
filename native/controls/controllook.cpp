#include "native/controls/controllook.h"

#include <algorithm>

#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/gdi/drawtext.h"
#include "native/gdi/objectapi.h"
#include "native/gdi/textapi.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/nonclientpainter.h"
#include "native/user/rects.h"
#include "native/user/windowapi.h"

namespace native {

namespace {

// Edit fields and lists sit on the window colour; everything else on the button face.
bool onWindowColor(UINT ctlColorMessage) {
  return ctlColorMessage == WM_CTLCOLOREDIT || ctlColorMessage == WM_CTLCOLORLISTBOX;
}

void line(HDC dc, int x1, int y1, int x2, int y2, int colorIndex) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colorIndex));
  HGDIOBJ previous = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

// The top and left edges in one colour, the bottom and right edges in another.
void edges(HDC dc, const RECT& r, int topLeft, int bottomRight) {
  line(dc, r.left, r.bottom - 1, r.left, r.top, topLeft);
  line(dc, r.left, r.top, r.right - 1, r.top, topLeft);
  line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, bottomRight);
  line(dc, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1, bottomRight);
}

}  // namespace

HBRUSH ControlLook::defaultColors(HDC dc, UINT ctlColorMessage) {
  bool window = onWindowColor(ctlColorMessage);
  SetTextColor(dc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
  return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE);
}

HBRUSH ControlLook::askColors(HWND control, HDC dc, UINT ctlColorMessage) {
  return askColors(control, dc, ctlColorMessage, GetParent(control));
}

HBRUSH ControlLook::askColors(HWND control, HDC dc, UINT ctlColorMessage, HWND asked) {
  if (asked == nullptr) {
    asked = control;
  }
  auto answer = reinterpret_cast<HBRUSH>(
      SendMessage(asked, ctlColorMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  return answer != nullptr ? answer : defaultColors(dc, ctlColorMessage);
}

HFONT ControlLook::fontOrDefault(HFONT font) {
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int ControlLook::lineHeight(HWND control, HFONT font) {
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, fontOrDefault(font));
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return std::max(static_cast<int>(metrics.tmHeight), 1);
}

void ControlLook::fill(HDC dc, const RECT& rect, int colorIndex) {
  FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

void ControlLook::bevel(HDC dc, const RECT& rect, bool raised) {
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  if (raised) {
    edges(dc, rect, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
    edges(dc, inner, COLOR_3DLIGHT, COLOR_BTNSHADOW);
  } else {
    edges(dc, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    edges(dc, inner, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  }
}

RECT ControlLook::pushFrame(HDC dc, const RECT& bounds, bool pushed, bool isDefault) {
  RECT frame = bounds;
  if (isDefault) {
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&frame, -1, -1);
  }
  if (pushed) {
    // A pushed button shows a flat shadow line all round, so the face seems to sink.
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    bevel(dc, frame, true);
  }
  InflateRect(&frame, -2, -2);
  return frame;
}

void ControlLook::checkBox(HDC dc, const RECT& box, bool checked, bool pushed, bool enabled) {
  fill(dc, box, pushed || !enabled ? COLOR_BTNFACE : COLOR_WINDOW);
  bevel(dc, box, false);
  if (!checked) {
    return;
  }
  // A tick of three-pixel-thick strokes: down to the lowest point, then up to the right.
  int colour = enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT;
  int x = box.left + 3;
  int y = box.top + 5;
  for (int row = 0; row < 3; ++row) {
    line(dc, x, y + row, x + 2, y + 2 + row, colour);
    line(dc, x + 2, y + 2 + row, x + 7, y - 3 + row, colour);
  }
}

void ControlLook::radioButton(HDC dc, const RECT& box, bool checked, bool pushed, bool enabled) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HBRUSH face = GetSysColorBrush(pushed || !enabled ? COLOR_BTNFACE : COLOR_WINDOW);
  HGDIOBJ previousPen = SelectObject(dc, pen);
  HGDIOBJ previousBrush = SelectObject(dc, face);
  Ellipse(dc, box.left, box.top, box.right, box.bottom);
  if (checked) {
    // The dot: a third of the circle, centred.
    HBRUSH dot = GetSysColorBrush(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    SelectObject(dc, dot);
    SelectObject(dc, GetStockObject(NULL_PEN));
    int inset = (box.right - box.left) / 3;
    Ellipse(dc, box.left + inset, box.top + inset, box.right - inset + 1, box.bottom - inset + 1);
  }
  SelectObject(dc, previousBrush);
  SelectObject(dc, previousPen);
  DeleteObject(pen);
}

void ControlLook::groupFrame(HDC dc, const RECT& frame) {
  RECT inner = frame;
  OffsetRect(&inner, 1, 1);
  FrameRect(dc, &inner, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  RECT outer{frame.left, frame.top, frame.right - 1, frame.bottom - 1};
  FrameRect(dc, &outer, GetSysColorBrush(COLOR_BTNSHADOW));
}

void ControlLook::focusMark(HDC dc, const RECT& rect) {
  DrawFocusRect(dc, &rect);
}

void ControlLook::label(HDC dc, const std::u16string& text, RECT rect, UINT format, bool enabled) {
  int previousMode = SetBkMode(dc, TRANSPARENT);
  COLORREF previousColor = enabled ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  SetTextColor(dc, previousColor);
  SetBkMode(dc, previousMode);
}

void ControlLook::listItem(HDC dc, const RECT& rect, const std::u16string& text, bool selected,
                           bool enabled) {
  COLORREF previousColor = GetTextColor(dc);
  if (selected) {
    fill(dc, rect, COLOR_HIGHLIGHT);
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  RECT textArea = rect;
  textArea.left += kListTextInset;
  label(dc, text, textArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, enabled);
  SetTextColor(dc, previousColor);
}

void ControlLook::dropButton(HDC dc, const RECT& button, bool pushed, bool enabled) {
  fill(dc, button, COLOR_BTNFACE);
  if (pushed) {
    FrameRect(dc, &button, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    bevel(dc, button, true);
  }
  // A small downward triangle in the middle, one pixel lower while pushed.
  int shift = pushed ? 1 : 0;
  int centreX = (button.left + button.right) / 2 + shift;
  int top = (button.top + button.bottom) / 2 - 2 + shift;
  int colour = enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
  for (int row = 0; row < 4; ++row) {
    line(dc, centreX - 3 + row, top + row, centreX + 4 - row, top + row, colour);
  }
}

void ControlLook::workspace(HDC dc, const RECT& area) {
  fill(dc, area, COLOR_APPWORKSPACE);
}

void ControlLook::scrollBar(HDC dc, const RECT& bar, bool vertical, const ScrollBarState& state) {
  NonClientPainter::paintScrollBar(dc, bar, vertical, state);
}

void ControlLook::trackbarChannel(HDC dc, const RECT& channel) {
  fill(dc, channel, COLOR_WINDOW);
  bevel(dc, channel, false);
}

void ControlLook::trackbarThumb(HDC dc, const RECT& thumb, bool pushed, bool enabled) {
  fill(dc, thumb, pushed || !enabled ? COLOR_3DLIGHT : COLOR_BTNFACE);
  bevel(dc, thumb, true);
}

void ControlLook::tick(HDC dc, const RECT& mark) {
  fill(dc, mark, COLOR_BTNTEXT);
}

}  // namespace native
