#include "native/controls/scrollbarcontrol.h"

#include "native/controls/controlconstants.h"
#include "native/controls/controllook.h"
#include "native/gdi/dcapi.h"
#include "native/user/cursortable.h"
#include "native/user/focusmanager.h"
#include "native/user/messageapi.h"
#include "native/user/paintapi.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowpos.h"

namespace native {

namespace {

// The SB_* code of a key, -1 for keys the bar leaves alone.
int keyCode(UINT key) {
  switch (key) {
    case VK_UP:
    case VK_LEFT:
      return SB_LINEUP;
    case VK_DOWN:
    case VK_RIGHT:
      return SB_LINEDOWN;
    case VK_PRIOR:
      return SB_PAGEUP;
    case VK_NEXT:
      return SB_PAGEDOWN;
    case VK_HOME:
      return SB_TOP;
    case VK_END:
      return SB_BOTTOM;
    default:
      return -1;
  }
}

}  // namespace

bool ScrollBarControl::vertical() const {
  return (style() & SBS_VERT) != 0;
}

ScrollBarLayout ScrollBarControl::layout() const {
  ScrollBarState shown = state_;
  if (!enabled()) {
    shown.disabledArrows = ESB_DISABLE_BOTH;
  }
  return ScrollBarLayout::compute(clientRect(), vertical(), shown);
}

LRESULT ScrollBarControl::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      press(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      follow(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      release();
      return 0;
    case WM_CAPTURECHANGED:
      if (heldPart_ >= 0 && reinterpret_cast<HWND>(lParam) != window()) {
        cancel();
      }
      return 0;
    case WM_TIMER:
      if (repeater_.takeTick(wParam)) {
        repeat();
        return 0;
      }
      return handleCommon(message, wParam, lParam);
    case WM_KEYDOWN:
      keyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_KEYUP:
      if (keyCode(static_cast<UINT>(wParam)) >= 0) {
        report(SB_ENDSCROLL);
      }
      return 0;
    default:
      return handleScrollMessage(message, wParam, lParam);
  }
}

LRESULT ScrollBarControl::handleScrollMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case SBM_SETSCROLLINFO: {
      const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
      if (info == nullptr || info->cbSize != sizeof(SCROLLINFO)) {
        return 0;
      }
      return setInfo(*info, wParam != 0);
    }
    case SBM_GETSCROLLINFO: {
      auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
      if (info == nullptr || info->cbSize != sizeof(SCROLLINFO)) {
        return FALSE;
      }
      readScrollInfo(state_, *info);
      return TRUE;
    }
    case SBM_SETPOS: {
      int previous = state_.position;
      setInfo(SCROLLINFO{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, static_cast<int>(wParam), 0}, lParam != 0);
      return previous;
    }
    case SBM_GETPOS:
      return state_.position;
    case SBM_SETRANGE: {
      int previous = state_.position;
      setInfo(SCROLLINFO{sizeof(SCROLLINFO), SIF_RANGE, static_cast<int>(wParam), static_cast<int>(lParam), 0,
                         0, 0},
              false);
      return previous;
    }
    case SBM_GETRANGE:
      if (auto* minimum = reinterpret_cast<int*>(wParam)) {
        *minimum = state_.minimum;
      }
      if (auto* maximum = reinterpret_cast<int*>(lParam)) {
        *maximum = state_.maximum;
      }
      return 0;
    default:
      return handleCommon(message, wParam, lParam);
  }
}

int ScrollBarControl::setInfo(const SCROLLINFO& info, bool redraw) {
  int position = applyScrollInfo(state_, info);
  if (redraw) {
    invalidate();
  }
  return position;
}

void ScrollBarControl::press(POINT point) {
  ScrollBarLayout parts = layout();
  int part = parts.partAt(point);
  if (part < 0) {
    return;
  }
  SetCapture(window());
  heldPart_ = part;
  if (part == SB_THUMBTRACK) {
    grabOffset_ = parts.vertical ? point.y - parts.thumb.top : point.x - parts.thumb.left;
    state_.tracking = true;
    state_.trackPosition = state_.position;
    return;
  }
  report(static_cast<WORD>(part));
  repeater_.start();
}

void ScrollBarControl::follow(POINT point) {
  if (heldPart_ != SB_THUMBTRACK) {
    return;
  }
  ScrollBarLayout parts = layout();
  int leading = (parts.vertical ? point.y - parts.track.top : point.x - parts.track.left) - grabOffset_;
  int position = parts.positionForThumbAt(leading);
  if (position != state_.trackPosition) {
    state_.trackPosition = position;
    invalidate();
    report(SB_THUMBTRACK, position);
  }
}

void ScrollBarControl::release() {
  if (heldPart_ < 0) {
    return;
  }
  int part = heldPart_;
  heldPart_ = -1;
  repeater_.stop();
  ReleaseCapture();
  if (part == SB_THUMBTRACK) {
    state_.tracking = false;
    invalidate();
    report(SB_THUMBPOSITION, state_.trackPosition);
  }
  report(SB_ENDSCROLL);
}

// The capture went elsewhere: the drag ends without its final messages.
void ScrollBarControl::cancel() {
  heldPart_ = -1;
  repeater_.stop();
  state_.tracking = false;
  invalidate();
}

void ScrollBarControl::repeat() {
  // Only while the pointer stays on the pressed part: a page press stops once the thumb reaches the pointer.
  POINT pointer{};
  GetCursorPos(&pointer);
  ScreenToClient(window(), &pointer);
  if (heldPart_ >= 0 && layout().partAt(pointer) == heldPart_) {
    report(static_cast<WORD>(heldPart_));
  }
}

void ScrollBarControl::keyDown(UINT key) {
  int code = keyCode(key);
  if (code >= 0 && enabled()) {
    report(static_cast<WORD>(code));
  }
}

void ScrollBarControl::report(WORD code, int position) const {
  scrollParent(vertical(), code, position);
}

void ScrollBarControl::paint(HDC dc) {
  ControlLook::scrollBar(dc, clientRect(), vertical(), layout().state);
}

}  // namespace native
