#include "native/user/scrollbarapi.h"

#include <algorithm>

#include "native/controls/controlconstants.h"
#include "native/user/messageapi.h"
#include "native/user/painting.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

WindowRecord* windowOf(HWND handle) {
  return WindowSystem::get().windows().find(handle);
}

ScrollBarState* barOf(WindowRecord* window, int bar) {
  if (window == nullptr) {
    return nullptr;
  }
  if (bar == SB_HORZ) {
    return &window->horizontalBar;
  }
  return bar == SB_VERT ? &window->verticalBar : nullptr;
}

DWORD styleOf(int bar) {
  return bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL | WS_VSCROLL;
}

// Shows or hides bars by their style bits; the client area is worked out again when that changes anything.
void setBarsShown(HWND handle, DWORD bars, bool show) {
  WindowRecord* window = windowOf(handle);
  DWORD style = show ? window->style | bars : window->style & ~bars;
  if (style == window->style) {
    frameChanged(handle);
    return;
  }
  window->style = style;
  SetWindowPos(handle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void clampPosition(ScrollBarState* state) {
  state->position = std::clamp(state->position, state->minimum, state->maximumPosition());
}

}  // namespace

int applyScrollInfo(ScrollBarState& state, const SCROLLINFO& info) {
  if ((info.fMask & SIF_RANGE) != 0) {
    state.minimum = info.nMin;
    state.maximum = std::max(info.nMin, info.nMax);
  }
  if ((info.fMask & SIF_PAGE) != 0) {
    long long range = static_cast<long long>(state.maximum) - state.minimum + 1;
    state.page = static_cast<UINT>(std::min<long long>(info.nPage, range));
  }
  if ((info.fMask & SIF_POS) != 0) {
    state.position = info.nPos;
  }
  clampPosition(&state);
  return state.position;
}

void readScrollInfo(const ScrollBarState& state, SCROLLINFO& info) {
  if ((info.fMask & SIF_RANGE) != 0) {
    info.nMin = state.minimum;
    info.nMax = state.maximum;
  }
  if ((info.fMask & SIF_PAGE) != 0) {
    info.nPage = state.page;
  }
  if ((info.fMask & SIF_POS) != 0) {
    info.nPos = state.position;
  }
  if ((info.fMask & SIF_TRACKPOS) != 0) {
    info.nTrackPos = state.tracking ? state.trackPosition : state.position;
  }
}

int SetScrollInfo(HWND handle, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (bar == SB_CTL) {
    return static_cast<int>(
        SendMessage(handle, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw), reinterpret_cast<LPARAM>(info)));
  }
  WindowRecord* window = windowOf(handle);
  ScrollBarState* state = barOf(window, bar);
  if (state == nullptr || info == nullptr || info->cbSize != sizeof(SCROLLINFO)) {
    return 0;
  }
  int position = applyScrollInfo(*state, *info);
  if ((info->fMask & (SIF_RANGE | SIF_PAGE)) != 0) {
    state->disableNoScroll = (info->fMask & SIF_DISABLENOSCROLL) != 0;
    bool shown = state->scrollable() || state->disableNoScroll;
    setBarsShown(handle, styleOf(bar), shown);
  } else if (redraw != FALSE) {
    frameChanged(handle);
  }
  return position;
}

BOOL GetScrollInfo(HWND handle, int bar, SCROLLINFO* info) {
  if (bar == SB_CTL) {
    return static_cast<BOOL>(SendMessage(handle, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
  }
  const ScrollBarState* state = barOf(windowOf(handle), bar);
  if (state == nullptr || info == nullptr || info->cbSize != sizeof(SCROLLINFO)) {
    return FALSE;
  }
  readScrollInfo(*state, *info);
  return TRUE;
}

int GetScrollPos(HWND handle, int bar) {
  if (bar == SB_CTL) {
    return static_cast<int>(SendMessage(handle, SBM_GETPOS, 0, 0));
  }
  const ScrollBarState* state = barOf(windowOf(handle), bar);
  return state == nullptr ? 0 : state->position;
}

int SetScrollPos(HWND handle, int bar, int position, BOOL redraw) {
  if (bar == SB_CTL) {
    return static_cast<int>(SendMessage(handle, SBM_SETPOS, static_cast<WPARAM>(position), redraw));
  }
  ScrollBarState* state = barOf(windowOf(handle), bar);
  if (state == nullptr) {
    return 0;
  }
  int previous = state->position;
  state->position = position;
  clampPosition(state);
  if (redraw != FALSE) {
    frameChanged(handle);
  }
  return previous;
}

BOOL SetScrollRange(HWND handle, int bar, int minimum, int maximum, BOOL redraw) {
  if (bar == SB_CTL) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minimum, maximum, 0, 0, 0};
    SendMessage(handle, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw), reinterpret_cast<LPARAM>(&info));
    return IsWindow(handle);
  }
  if (barOf(windowOf(handle), bar) == nullptr) {
    return FALSE;
  }
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minimum, maximum, 0, 0, 0};
  SetScrollInfo(handle, bar, &info, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND handle, int bar, int* minimum, int* maximum) {
  if (bar == SB_CTL) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    if (minimum == nullptr || maximum == nullptr || GetScrollInfo(handle, SB_CTL, &info) == FALSE) {
      return FALSE;
    }
    *minimum = info.nMin;
    *maximum = info.nMax;
    return TRUE;
  }
  const ScrollBarState* state = barOf(windowOf(handle), bar);
  if (state == nullptr || minimum == nullptr || maximum == nullptr) {
    return FALSE;
  }
  *minimum = state->minimum;
  *maximum = state->maximum;
  return TRUE;
}

BOOL ShowScrollBar(HWND handle, int bar, BOOL show) {
  if (windowOf(handle) == nullptr || bar < SB_HORZ || bar > SB_BOTH || bar == SB_CTL) {
    return FALSE;
  }
  setBarsShown(handle, styleOf(bar), show != FALSE);
  return TRUE;
}

BOOL EnableScrollBar(HWND handle, UINT bar, UINT arrows) {
  WindowRecord* window = windowOf(handle);
  if (window == nullptr || arrows > ESB_DISABLE_BOTH || bar == static_cast<UINT>(SB_CTL) ||
      bar > static_cast<UINT>(SB_BOTH)) {
    return FALSE;
  }
  if (bar != static_cast<UINT>(SB_VERT)) {
    window->horizontalBar.disabledArrows = arrows;
  }
  if (bar != static_cast<UINT>(SB_HORZ)) {
    window->verticalBar.disabledArrows = arrows;
  }
  frameChanged(handle);
  return TRUE;
}

}  // namespace native
