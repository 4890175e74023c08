#include "native/user/nonclientlayout.h"

#include <algorithm>

#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/rects.h"
#include "native/user/styles.h"

namespace native {

namespace {

// Gaps around the caption boxes, in pixels.
constexpr int kBoxInset = 2;
constexpr int kBoxGap = 2;

// A rectangle never turned inside out by a frame larger than the window.
RECT clampedRect(LONG left, LONG top, LONG right, LONG bottom) {
  return RECT{left, top, std::max(left, right), std::max(top, bottom)};
}

}  // namespace

int NonClientLayout::frameThickness(DWORD style, DWORD exStyle) {
  if ((style & WS_THICKFRAME) != 0) {
    return GetSystemMetrics(SM_CXFRAME);
  }
  if ((style & WS_DLGFRAME) != 0 || (exStyle & WS_EX_DLGMODALFRAME) != 0) {
    return GetSystemMetrics(SM_CXDLGFRAME);
  }
  return (style & WS_BORDER) != 0 ? GetSystemMetrics(SM_CXBORDER) : 0;
}

NonClientLayout NonClientLayout::compute(DWORD style, DWORD exStyle, const RECT& window, int menuBarHeight) {
  NonClientLayout layout;
  layout.window = window;
  layout.frame = frameThickness(style, exStyle);
  layout.sizing = (style & WS_THICKFRAME) != 0;
  RECT inside = clampedRect(window.left + layout.frame, window.top + layout.frame,
                            window.right - layout.frame, window.bottom - layout.frame);
  if ((style & WS_CAPTION) == WS_CAPTION) {
    // The caption's last line separates it from what lies below.
    int height = GetSystemMetrics(SM_CYCAPTION);
    layout.caption =
        clampedRect(inside.left, inside.top, inside.right, std::min(inside.bottom, inside.top + height - 1));
    inside.top = std::min(inside.bottom, inside.top + height);
    RECT box{0, 0, GetSystemMetrics(SM_CXSIZE) - 2, GetSystemMetrics(SM_CYSIZE) - 4};
    LONG top = layout.caption.top + kBoxInset;
    LONG right = layout.caption.right - kBoxInset;
    auto placeBox = [&](RECT* target) {
      *target = RECT{right - box.right, top, right, top + box.bottom};
      right = target->left;
    };
    if ((style & WS_SYSMENU) != 0) {
      placeBox(&layout.closeBox);
      right -= kBoxGap;
      if ((style & WS_MAXIMIZEBOX) != 0) {
        placeBox(&layout.maximizeBox);
      }
      if ((style & WS_MINIMIZEBOX) != 0) {
        placeBox(&layout.minimizeBox);
      }
      int icon = GetSystemMetrics(SM_CXSMICON);
      layout.systemBox = RECT{layout.caption.left + kBoxInset, layout.caption.top + 1,
                              layout.caption.left + kBoxInset + icon, layout.caption.top + 1 + icon};
    }
  }
  if (menuBarHeight > 0) {
    layout.menuBar = clampedRect(inside.left, inside.top, inside.right,
                                 std::min<LONG>(inside.bottom, inside.top + menuBarHeight));
    inside.top = layout.menuBar.bottom;
  }
  if ((exStyle & WS_EX_CLIENTEDGE) != 0) {
    int edge = GetSystemMetrics(SM_CXEDGE);
    inside = clampedRect(inside.left + edge, inside.top + edge, inside.right - edge, inside.bottom - edge);
  }
  if ((style & WS_VSCROLL) != 0) {
    LONG left = std::max(inside.left, inside.right - GetSystemMetrics(SM_CXVSCROLL));
    layout.verticalScroll = RECT{left, inside.top, inside.right, inside.bottom};
    inside.right = left;
  }
  if ((style & WS_HSCROLL) != 0) {
    LONG top = std::max(inside.top, inside.bottom - GetSystemMetrics(SM_CYHSCROLL));
    layout.horizontalScroll = RECT{inside.left, top, inside.right, inside.bottom};
    inside.bottom = top;
    // Where both bars meet, the vertical one stops at the horizontal one.
    if (!IsRectEmpty(&layout.verticalScroll)) {
      layout.verticalScroll.bottom = top;
    }
  }
  layout.client = inside;
  return layout;
}

LRESULT NonClientLayout::hitTest(POINT point) const {
  if (!PtInRect(&window, point)) {
    return HTNOWHERE;
  }
  if (PtInRect(&client, point)) {
    return HTCLIENT;
  }
  RECT inner = window;
  InflateRect(&inner, -frame, -frame);
  if (!PtInRect(&inner, point)) {
    if (!sizing) {
      return HTBORDER;
    }
    // Corners take in the frame plus a caption box's width along each edge.
    int grip = frame + GetSystemMetrics(SM_CXSIZE);
    bool left = point.x < window.left + grip;
    bool right = point.x >= window.right - grip;
    bool top = point.y < window.top + grip;
    bool bottom = point.y >= window.bottom - grip;
    bool onSide = point.x < inner.left || point.x >= inner.right;
    bool onEnd = point.y < inner.top || point.y >= inner.bottom;
    if ((onSide || onEnd) && top && left)
      return HTTOPLEFT;
    if ((onSide || onEnd) && top && right)
      return HTTOPRIGHT;
    if ((onSide || onEnd) && bottom && left)
      return HTBOTTOMLEFT;
    if ((onSide || onEnd) && bottom && right)
      return HTBOTTOMRIGHT;
    if (point.x < inner.left)
      return HTLEFT;
    if (point.x >= inner.right)
      return HTRIGHT;
    return point.y < inner.top ? HTTOP : HTBOTTOM;
  }
  if (PtInRect(&caption, point)) {
    if (PtInRect(&closeBox, point))
      return HTCLOSE;
    if (PtInRect(&maximizeBox, point))
      return HTMAXBUTTON;
    if (PtInRect(&minimizeBox, point))
      return HTMINBUTTON;
    if (PtInRect(&systemBox, point))
      return HTSYSMENU;
    return HTCAPTION;
  }
  if (PtInRect(&menuBar, point)) {
    return HTMENU;
  }
  if (PtInRect(&verticalScroll, point)) {
    return HTVSCROLL;
  }
  if (PtInRect(&horizontalScroll, point)) {
    return HTHSCROLL;
  }
  return HTBORDER;
}

}  // namespace native
