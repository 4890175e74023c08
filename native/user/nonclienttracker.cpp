#include "native/user/nonclienttracker.h"

#include <algorithm>

#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/nonclientlayout.h"
#include "native/user/rects.h"
#include "native/user/scrollbarapi.h"
#include "native/user/scrollbarlayout.h"
#include "native/user/timerlist.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

WindowRecord* windowOf(HWND handle) {
  return WindowSystem::get().windows().find(handle);
}

NonClientLayout layoutOnScreen(const WindowRecord& window) {
  return NonClientLayout::compute(window.style, window.exStyle,
                                  WindowSystem::get().windows().screenRect(window));
}

struct BarOnScreen {
  ScrollBarLayout layout;
  ScrollBarState* state = nullptr;
  UINT message = 0;
};

BarOnScreen barOf(WindowRecord& window, LRESULT hit) {
  NonClientLayout frame = layoutOnScreen(window);
  bool vertical = hit == HTVSCROLL;
  BarOnScreen bar;
  bar.state = vertical ? &window.verticalBar : &window.horizontalBar;
  bar.layout = ScrollBarLayout::compute(vertical ? frame.verticalScroll : frame.horizontalScroll, vertical,
                                        *bar.state);
  bar.message = vertical ? WM_VSCROLL : WM_HSCROLL;
  return bar;
}

// A child window is moved by a point that stays inside its parent's client area, so that its caption stays
// where the pointer can take it again.
POINT insideParent(const WindowRecord& window, POINT screen) {
  if (!window.isChild()) {
    return screen;
  }
  RECT area{};
  GetClientRect(window.parent, &area);
  MapWindowPoints(window.parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
  return POINT{std::clamp(screen.x, area.left, std::max(area.left, area.right - 1)),
               std::clamp(screen.y, area.top, std::max(area.top, area.bottom - 1))};
}

void postScroll(HWND window, UINT message, WORD code, int position) {
  // The position travels as a signed 16-bit word; GetScrollInfo gives the full value.
  PostMessage(window, message, MAKEWPARAM(code, static_cast<WORD>(static_cast<SHORT>(position))), 0);
}

}  // namespace

void NonClientTracker::startMove(HWND window, POINT screen) {
  WindowRecord* record = windowOf(window);
  if (record == nullptr || record->isMaximized()) {
    return;  // a maximised window stays where it is
  }
  mode_ = Mode::Move;
  window_ = window;
  start_ = screen;
  startRect_ = record->rect;
}

void NonClientTracker::startSize(HWND window, LRESULT edge, POINT screen) {
  WindowRecord* record = windowOf(window);
  if (record == nullptr || record->isMaximized() || record->isMinimized() || edge < HTLEFT ||
      edge > HTBOTTOMRIGHT) {
    return;
  }
  mode_ = Mode::Size;
  window_ = window;
  part_ = edge;
  start_ = screen;
  startRect_ = record->rect;
}

void NonClientTracker::startBox(HWND window, LRESULT hit, POINT screen) {
  if (windowOf(window) == nullptr) {
    return;
  }
  mode_ = Mode::Box;
  window_ = window;
  part_ = hit;
  start_ = screen;
}

void NonClientTracker::startScroll(HWND window, LRESULT hit, POINT screen) {
  WindowRecord* record = windowOf(window);
  if (record == nullptr || (hit != HTVSCROLL && hit != HTHSCROLL)) {
    return;
  }
  BarOnScreen bar = barOf(*record, hit);
  int part = bar.layout.partAt(screen);
  if (part < 0) {
    return;
  }
  window_ = window;
  part_ = hit;
  start_ = screen;
  if (part == SB_THUMBTRACK) {
    mode_ = Mode::Thumb;
    grabOffset_ = (bar.layout.vertical ? screen.y - bar.layout.thumb.top : screen.x - bar.layout.thumb.left);
    bar.state->tracking = true;
    bar.state->trackPosition = bar.state->position;
    return;
  }
  mode_ = Mode::Scroll;
  scrollCode_ = part;
  postScroll(window, bar.message, static_cast<WORD>(part), 0);
  repeatTimer_ = SetTimer(nullptr, 0, kRepeatDelayMs, onRepeatTimer);
}

void NonClientTracker::onRepeatTimer(HWND, UINT, UINT_PTR, DWORD) {
  WindowSystem::get().tracker().repeatScroll();
}

void NonClientTracker::repeatScroll() {
  WindowRecord* record = windowOf(window_);
  if (mode_ != Mode::Scroll || record == nullptr) {
    stopRepeating();
    return;
  }
  // The part under the pointer now: a page press stops once the thumb has come up to the pointer.
  BarOnScreen bar = barOf(*record, part_);
  if (bar.layout.partAt(WindowSystem::get().desktop().cursorPosition()) == scrollCode_) {
    postScroll(window_, bar.message, static_cast<WORD>(scrollCode_), 0);
  }
  repeatTimer_ = SetTimer(nullptr, repeatTimer_, kRepeatPeriodMs, onRepeatTimer);
}

void NonClientTracker::stopRepeating() {
  if (repeatTimer_ != 0) {
    KillTimer(nullptr, repeatTimer_);
    repeatTimer_ = 0;
  }
}

void NonClientTracker::cancel() {
  stopRepeating();
  if (WindowRecord* record = windowOf(window_)) {
    record->horizontalBar.tracking = false;
    record->verticalBar.tracking = false;
  }
  mode_ = Mode::None;
  window_ = nullptr;
}

bool NonClientTracker::handle(const HostInput& input) {
  if (mode_ == Mode::None) {
    return false;
  }
  if (windowOf(window_) == nullptr) {
    cancel();
    return false;
  }
  if (input.kind == HostInput::Kind::MouseMove) {
    follow(input.point);
    return true;
  }
  if (input.kind == HostInput::Kind::ButtonUp && input.button == 0) {
    finish(input.point);
    return true;
  }
  return input.kind == HostInput::Kind::ButtonDown || input.kind == HostInput::Kind::ButtonUp;
}

void NonClientTracker::follow(POINT screen) {
  WindowRecord* record = windowOf(window_);
  int dx = screen.x - start_.x;
  int dy = screen.y - start_.y;
  switch (mode_) {
    case Mode::Move: {
      POINT to = insideParent(*record, screen);
      SetWindowPos(window_, nullptr, startRect_.left + to.x - start_.x, startRect_.top + to.y - start_.y, 0,
                   0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case Mode::Size: {
      RECT rect = startRect_;
      bool left = part_ == HTLEFT || part_ == HTTOPLEFT || part_ == HTBOTTOMLEFT;
      bool right = part_ == HTRIGHT || part_ == HTTOPRIGHT || part_ == HTBOTTOMRIGHT;
      bool top = part_ == HTTOP || part_ == HTTOPLEFT || part_ == HTTOPRIGHT;
      bool bottom = part_ == HTBOTTOM || part_ == HTBOTTOMLEFT || part_ == HTBOTTOMRIGHT;
      // Top-level windows keep the smallest size the system allows; the moving edge stops there.
      int minWidth = record->isChild() ? 0 : GetSystemMetrics(SM_CXMIN);
      int minHeight = record->isChild() ? 0 : GetSystemMetrics(SM_CYMIN);
      if (left) {
        rect.left = std::min<LONG>(rect.left + dx, rect.right - minWidth);
      }
      if (right) {
        rect.right = std::max<LONG>(rect.right + dx, rect.left + minWidth);
      }
      if (top) {
        rect.top = std::min<LONG>(rect.top + dy, rect.bottom - minHeight);
      }
      if (bottom) {
        rect.bottom = std::max<LONG>(rect.bottom + dy, rect.top + minHeight);
      }
      SetWindowPos(window_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case Mode::Thumb: {
      BarOnScreen bar = barOf(*record, part_);
      int leading =
          (bar.layout.vertical ? screen.y - bar.layout.track.top : screen.x - bar.layout.track.left) -
          grabOffset_;
      int position = bar.layout.positionForThumbAt(leading);
      if (position != bar.state->trackPosition) {
        bar.state->trackPosition = position;
        record->frameDirty = true;
        postScroll(window_, bar.message, SB_THUMBTRACK, position);
      }
      break;
    }
    default:
      break;
  }
}

void NonClientTracker::finish(POINT screen) {
  HWND window = window_;
  Mode mode = mode_;
  WindowRecord* record = windowOf(window);
  stopRepeating();
  mode_ = Mode::None;
  window_ = nullptr;
  switch (mode) {
    case Mode::Box: {
      NonClientLayout layout = layoutOnScreen(*record);
      if (layout.hitTest(screen) != part_) {
        break;  // let go elsewhere: no command
      }
      // A minimised window offers Restore in its Minimise box's place.
      bool restores = part_ == HTMINBUTTON ? record->isMinimized() : record->isMaximized();
      WPARAM command = part_ == HTCLOSE       ? SC_CLOSE
                       : restores             ? SC_RESTORE
                       : part_ == HTMINBUTTON ? SC_MINIMIZE
                                              : SC_MAXIMIZE;
      PostMessage(window, WM_SYSCOMMAND, command, MAKELPARAM(screen.x, screen.y));
      break;
    }
    case Mode::Scroll:
      postScroll(window, part_ == HTVSCROLL ? WM_VSCROLL : WM_HSCROLL, SB_ENDSCROLL, 0);
      break;
    case Mode::Thumb: {
      BarOnScreen bar = barOf(*record, part_);
      bar.state->tracking = false;
      record->frameDirty = true;
      postScroll(window, bar.message, SB_THUMBPOSITION, bar.state->trackPosition);
      postScroll(window, bar.message, SB_ENDSCROLL, 0);
      break;
    }
    default:
      break;
  }
}

}  // namespace native
