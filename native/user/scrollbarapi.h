#pragma once
// The built-in scroll bars of a window (WS_HSCROLL, WS_VSCROLL): their range, page and position, showing,
// hiding and disabling them. User action on a bar sends WM_HSCROLL or WM_VSCROLL to the window.

#include "native/user/nativetypes.h"
#include "native/user/scrollbarstate.h"

namespace native {

inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;

inline constexpr WORD SB_LINEUP = 0;
inline constexpr WORD SB_LINELEFT = 0;
inline constexpr WORD SB_LINEDOWN = 1;
inline constexpr WORD SB_LINERIGHT = 1;
inline constexpr WORD SB_PAGEUP = 2;
inline constexpr WORD SB_PAGELEFT = 2;
inline constexpr WORD SB_PAGEDOWN = 3;
inline constexpr WORD SB_PAGERIGHT = 3;
inline constexpr WORD SB_THUMBPOSITION = 4;
inline constexpr WORD SB_THUMBTRACK = 5;
inline constexpr WORD SB_TOP = 6;
inline constexpr WORD SB_LEFT = 6;
inline constexpr WORD SB_BOTTOM = 7;
inline constexpr WORD SB_RIGHT = 7;
inline constexpr WORD SB_ENDSCROLL = 8;

inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

inline constexpr UINT ESB_ENABLE_BOTH = 0;
inline constexpr UINT ESB_DISABLE_LTUP = 1;
inline constexpr UINT ESB_DISABLE_RTDN = 2;
inline constexpr UINT ESB_DISABLE_BOTH = 3;

struct SCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
};

// Puts what the mask names into a bar's state, the page held within the range and the position within the
// range less the page; answers the position. Built-in bars and scroll bar controls share it.
int applyScrollInfo(ScrollBarState& state, const SCROLLINFO& info);
// Fills what the mask asks for; the track position is the position unless the thumb is being dragged.
void readScrollInfo(const ScrollBarState& state, SCROLLINFO& info);

// Sets what the mask names; the page is held within the range and the position within the range less the
// page. When range or page are set, a bar with nothing to scroll is hidden, or shown disabled with
// SIF_DISABLENOSCROLL, and a bar with something to scroll is shown. Answers the position; 0 for a bad
// window, bar or record size. SB_CTL asks a scroll bar control (its SBM_* messages).
int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info);
int GetScrollPos(HWND window, int bar);
// Answers the previous position.
int SetScrollPos(HWND window, int bar, int position, BOOL redraw);
BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw);
BOOL GetScrollRange(HWND window, int bar, int* minimum, int* maximum);
BOOL ShowScrollBar(HWND window, int bar, BOOL show);
BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows);

}  // namespace native
