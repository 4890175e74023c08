#include "native/user/nonclientpainter.h"

#include <algorithm>

#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/gdi/drawtext.h"
#include "native/gdi/iconapi.h"
#include "native/gdi/objectapi.h"
#include "native/gdi/textapi.h"
#include "native/user/menubar.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/nonclientlayout.h"
#include "native/user/rects.h"
#include "native/user/scrollbarapi.h"
#include "native/user/scrollbarlayout.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// The caption title's gap after the system box, and the glyphs' inset in the boxes, in pixels.
constexpr int kTitleGap = 4;
constexpr int kGlyphInset = 4;
// The title's character height.
constexpr int kTitleHeight = -12;

void fill(HDC dc, const RECT& rect, int colorIndex) {
  FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

void outline(HDC dc, const RECT& rect, int colorIndex) {
  FrameRect(dc, &rect, GetSysColorBrush(colorIndex));
}

// A flat box with a one-pixel shadow outline, as the caption boxes, arrows and thumbs are drawn.
void box(HDC dc, const RECT& rect) {
  fill(dc, rect, COLOR_BTNFACE);
  outline(dc, rect, COLOR_BTNSHADOW);
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// The glyph area inside a box.
RECT glyphArea(const RECT& rect) {
  RECT inner = rect;
  InflateRect(&inner, -kGlyphInset, -kGlyphInset);
  return inner;
}

void drawCloseGlyph(HDC dc, const RECT& rect) {
  RECT g = glyphArea(rect);
  int size = std::min(g.right - g.left, g.bottom - g.top);
  for (int shift = 0; shift < 2; ++shift) {
    line(dc, g.left + shift, g.top, g.left + size + shift, g.top + size);
    line(dc, g.left + shift, g.top + size - 1, g.left + size + shift, g.top - 1);
  }
}

void drawMinimizeGlyph(HDC dc, const RECT& rect) {
  RECT g = glyphArea(rect);
  RECT bar{g.left, g.bottom - 2, g.right, g.bottom};
  fill(dc, bar, COLOR_BTNTEXT);
}

void drawWindowGlyph(HDC dc, RECT g) {
  outline(dc, g, COLOR_BTNTEXT);
  RECT top{g.left, g.top + 1, g.right, g.top + 2};
  fill(dc, top, COLOR_BTNTEXT);
}

void drawMaximizeGlyph(HDC dc, const RECT& rect, bool maximized) {
  RECT g = glyphArea(rect);
  if (!maximized) {
    drawWindowGlyph(dc, g);
    return;
  }
  // Restore: two overlapping small windows.
  int step = (g.right - g.left) / 3;
  drawWindowGlyph(dc, RECT{g.left + step, g.top, g.right, g.bottom - step});
  RECT front{g.left, g.top + step, g.right - step, g.bottom};
  fill(dc, front, COLOR_BTNFACE);
  drawWindowGlyph(dc, front);
}

void drawArrow(HDC dc, const RECT& rect, bool vertical, bool forward, bool enabled) {
  box(dc, rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  int cx = rect.left + width / 2;
  int cy = rect.top + height / 2;
  int half = std::max(1, std::min(width, height) / 4);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  HGDIOBJ previous = SelectObject(dc, pen);
  // A solid triangle of lines, one pixel shorter on each side per row.
  for (int i = 0; i < half; ++i) {
    int reach = half - 1 - i;
    int step = forward ? i - half / 2 : half / 2 - i;
    if (vertical) {
      line(dc, cx - reach, cy + step, cx + reach + 1, cy + step);
    } else {
      line(dc, cx + step, cy - reach, cx + step, cy + reach + 1);
    }
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
}

void drawScrollBar(HDC dc, const RECT& bar, bool vertical, const ScrollBarState& state) {
  if (IsRectEmpty(&bar)) {
    return;
  }
  ScrollBarLayout layout = ScrollBarLayout::compute(bar, vertical, state);
  fill(dc, layout.track, COLOR_3DLIGHT);
  bool backEnabled = layout.enabled && (state.disabledArrows & ESB_DISABLE_LTUP) == 0;
  bool forwardEnabled = layout.enabled && (state.disabledArrows & ESB_DISABLE_RTDN) == 0;
  drawArrow(dc, layout.backArrow, vertical, false, backEnabled);
  drawArrow(dc, layout.forwardArrow, vertical, true, forwardEnabled);
  if (!IsRectEmpty(&layout.thumb)) {
    box(dc, layout.thumb);
  }
}

// The part of the caption the title is drawn in: between the system box and the other boxes.
RECT titleRoom(const NonClientLayout& layout) {
  LONG titleLeft = layout.caption.left + kTitleGap;
  if (!IsRectEmpty(&layout.systemBox)) {
    titleLeft = layout.systemBox.right + kTitleGap;
  }
  LONG titleRight = layout.caption.right - kTitleGap;
  for (const RECT* boxRect : {&layout.closeBox, &layout.maximizeBox, &layout.minimizeBox}) {
    if (!IsRectEmpty(boxRect)) {
      titleRight = std::min(titleRight, boxRect->left - kTitleGap);
    }
  }
  return RECT{titleLeft, layout.caption.top, titleRight, layout.caption.bottom};
}

HFONT createTitleFont() {
  return CreateFont(kTitleHeight, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, u"MS Shell Dlg");
}

void drawCaption(HDC dc, const WindowRecord& window, const NonClientLayout& layout, bool active) {
  fill(dc, layout.caption, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  RECT separator{layout.caption.left, layout.caption.bottom, layout.caption.right, layout.caption.bottom + 1};
  fill(dc, separator, COLOR_BTNFACE);
  if (!IsRectEmpty(&layout.systemBox)) {
    HICON icon = window.smallIcon != nullptr           ? window.smallIcon
                 : window.bigIcon != nullptr           ? window.bigIcon
                 : window.windowClass->icon != nullptr ? window.windowClass->icon
                                                       : LoadIcon(nullptr, IDI_APPLICATION);
    DrawIconInRect(dc, &layout.systemBox, icon);
  }
  HFONT font = createTitleFont();
  HGDIOBJ previousFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  RECT title = titleRoom(layout);
  DrawText(dc, window.text.c_str(), static_cast<int>(window.text.size()), &title,
           DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, previousFont);
  DeleteObject(font);
  const struct {
    const RECT& rect;
    WPARAM command;
    LRESULT hit;
  } boxes[] = {{layout.closeBox, SC_CLOSE, HTCLOSE},
               {layout.maximizeBox, window.isMaximized() ? SC_RESTORE : SC_MAXIMIZE, HTMAXBUTTON},
               {layout.minimizeBox, window.isMinimized() ? SC_RESTORE : SC_MINIMIZE, HTMINBUTTON}};
  const LRESULT pushed = WindowSystem::get().tracker().pushedBox(window.handle);
  for (const auto& entry : boxes) {
    if (!IsRectEmpty(&entry.rect)) {
      NonClientPainter::paintCaptionBox(dc, entry.rect, entry.command, entry.hit == pushed);
    }
  }
}

void drawFrame(HDC dc, const WindowRecord& window, const NonClientLayout& layout) {
  if (layout.frame == 0) {
    return;
  }
  RECT outer = layout.window;
  if (layout.frame == 1) {
    outline(dc, outer, COLOR_WINDOWFRAME);
    return;
  }
  fill(dc, outer, window.isChild() && !layout.sizing ? COLOR_BTNFACE : COLOR_ACTIVEBORDER);
  outline(dc, outer, COLOR_BTNSHADOW);
}

void drawClientEdge(HDC dc, const NonClientLayout& layout) {
  int edge = GetSystemMetrics(SM_CXEDGE);
  RECT outer = layout.client;
  // The edge surrounds the client area and its scroll bars.
  UnionRect(&outer, &outer, &layout.verticalScroll);
  UnionRect(&outer, &outer, &layout.horizontalScroll);
  InflateRect(&outer, edge, edge);
  outline(dc, outer, COLOR_BTNSHADOW);
  InflateRect(&outer, -1, -1);
  outline(dc, outer, COLOR_3DLIGHT);
}

}  // namespace

void NonClientPainter::paintCaptionBox(HDC dc, const RECT& rect, WPARAM command, bool pushed) {
  box(dc, rect);
  RECT glyph = rect;
  if (pushed) {
    // Sunk in: a dark outline, the glyph a pixel down and to the right.
    outline(dc, rect, COLOR_BTNTEXT);
    OffsetRect(&glyph, 1, 1);
  }
  switch (command) {
    case SC_CLOSE:
      drawCloseGlyph(dc, glyph);
      break;
    case SC_MINIMIZE:
      drawMinimizeGlyph(dc, glyph);
      break;
    default:
      drawMaximizeGlyph(dc, glyph, command == SC_RESTORE);
      break;
  }
}

void NonClientPainter::paintScrollBar(HDC dc, const RECT& bar, bool vertical, const ScrollBarState& state) {
  drawScrollBar(dc, bar, vertical, state);
}

int NonClientPainter::clientWidthShowingTitle(DWORD style, DWORD exStyle, const std::u16string& title) {
  // A window wide enough for any caption: what it lacks for this one comes off it.
  constexpr LONG kWide = 1 << 16;
  const NonClientLayout layout = NonClientLayout::compute(style, exStyle, RECT{0, 0, kWide, kWide}, 0);
  if (IsRectEmpty(&layout.caption)) {
    return 0;
  }
  const RECT room = titleRoom(layout);
  HDC dc = GetDC(nullptr);
  HFONT font = createTitleFont();
  HGDIOBJ previousFont = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32(dc, title.c_str(), static_cast<int>(title.size()), &size);
  SelectObject(dc, previousFont);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return static_cast<int>(layout.client.right - layout.client.left - (room.right - room.left) + size.cx);
}

void NonClientPainter::paint(HWND handle) {
  WindowSystem& system = WindowSystem::get();
  const WindowRecord* window = system.windows().find(handle);
  if (window == nullptr) {
    return;
  }
  RECT whole{0, 0, window->width(), window->height()};
  NonClientLayout layout =
      NonClientLayout::compute(window->style, window->exStyle, whole, MenuBar::heightOf(*window, whole));
  RECT client = window->clientRect;
  OffsetRect(&client, -window->rect.left, -window->rect.top);
  HDC dc = GetWindowDC(handle);
  if (dc == nullptr) {
    return;
  }
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  drawFrame(dc, *window, layout);
  if (!IsRectEmpty(&layout.caption)) {
    drawCaption(dc, *window, layout, window->captionActive);
  }
  MenuBar::paint(dc, *window, layout.menuBar);
  if ((window->exStyle & WS_EX_CLIENTEDGE) != 0) {
    drawClientEdge(dc, layout);
  }
  drawScrollBar(dc, layout.verticalScroll, true, window->verticalBar);
  drawScrollBar(dc, layout.horizontalScroll, false, window->horizontalBar);
  if (!IsRectEmpty(&layout.verticalScroll) && !IsRectEmpty(&layout.horizontalScroll)) {
    // The square where the two bars meet.
    RECT corner{layout.verticalScroll.left, layout.horizontalScroll.top, layout.verticalScroll.right,
                layout.horizontalScroll.bottom};
    fill(dc, corner, COLOR_BTNFACE);
  }
  ReleaseDC(handle, dc);
}

}  // namespace native
