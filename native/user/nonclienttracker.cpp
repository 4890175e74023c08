#include "native/user/nonclienttracker.h"

#include "native/user/cursortable.h"
#include "native/user/dragplacement.h"
#include "native/user/keyboard.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/nonclientlayout.h"
#include "native/user/painting.h"
#include "native/user/placement.h"
#include "native/user/rects.h"
#include "native/user/scrollbarapi.h"
#include "native/user/scrollbarlayout.h"
#include "native/user/timerlist.h"
#include "native/user/virtualkeys.h"
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

// How far one press of an arrow key moves a window or a border; nothing for any other key.
POINT arrowStep(UINT key) {
  constexpr int step = NonClientTracker::kKeyStep;
  switch (key) {
    case VK_LEFT:
      return POINT{-step, 0};
    case VK_RIGHT:
      return POINT{step, 0};
    case VK_UP:
      return POINT{0, -step};
    case VK_DOWN:
      return POINT{0, step};
    default:
      return POINT{};
  }
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

void NonClientTracker::startKeys(HWND window, bool size) {
  WindowRecord* record = windowOf(window);
  if (record == nullptr || record->isMaximized() || (size && record->isMinimized())) {
    return;
  }
  mode_ = size ? Mode::KeySize : Mode::KeyMove;
  window_ = window;
  startRect_ = record->rect;
  sideEdge_ = endEdge_ = 0;
  showKeyCursor();
}

void NonClientTracker::startBox(HWND window, LRESULT hit, POINT screen) {
  if (windowOf(window) == nullptr) {
    return;
  }
  mode_ = Mode::Box;
  window_ = window;
  part_ = hit;
  start_ = screen;
  showBoxPushed(true);
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
  showBoxPushed(false);
  if (WindowRecord* record = windowOf(window_)) {
    record->horizontalBar.tracking = false;
    record->verticalBar.tracking = false;
  }
  bool byKeys = mode_ == Mode::KeyMove || mode_ == Mode::KeySize;
  bool moved = mode_ == Mode::Move || mode_ == Mode::KeyMove;
  HWND window = window_;
  mode_ = Mode::None;
  window_ = nullptr;
  if (moved) {
    settleIcon(window);
  }
  POINT pointer{};
  GetCursorPos(&pointer);
  if (byKeys && pointer.x >= 0 && pointer.y >= 0) {
    // The pointer takes the shape of what lies under it again (when it is over the desktop at all).
    WindowSystem::get().input().showCursorAt(pointer);
  }
}

LRESULT NonClientTracker::pushedBox(HWND window) const {
  return mode_ == Mode::Box && boxPushed_ && window == window_ ? part_ : 0;
}

void NonClientTracker::showBoxPushed(bool pushed) {
  if (boxPushed_ != pushed) {
    boxPushed_ = pushed;
    frameChanged(window_);
  }
}

HCURSOR NonClientTracker::partCursor(LRESULT part) {
  LPCWSTR shape = IDC_ARROW;
  switch (part) {
    case HTLEFT:
    case HTRIGHT:
      shape = IDC_SIZEWE;
      break;
    case HTTOP:
    case HTBOTTOM:
      shape = IDC_SIZENS;
      break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      shape = IDC_SIZENWSE;
      break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      shape = IDC_SIZENESW;
      break;
    default:
      break;
  }
  return LoadCursor(nullptr, shape);
}

void NonClientTracker::showKeyCursor() const {
  if (mode_ == Mode::KeyMove || (sideEdge_ == 0 && endEdge_ == 0)) {
    SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
    return;
  }
  // Both borders picked: the corner where they meet (HTTOPLEFT follows HTTOP, HTBOTTOMLEFT HTBOTTOM).
  LRESULT part = endEdge_ == 0    ? sideEdge_
                 : sideEdge_ == 0 ? endEdge_
                                  : endEdge_ + (sideEdge_ == HTLEFT ? 1 : 2);
  SetCursor(partCursor(part));
}

bool NonClientTracker::handle(const HostInput& input) {
  if (mode_ == Mode::None) {
    return false;
  }
  if (windowOf(window_) == nullptr) {
    cancel();
    return false;
  }
  bool key = input.kind == HostInput::Kind::KeyDown || input.kind == HostInput::Kind::KeyUp;
  if (mode_ == Mode::KeyMove || mode_ == Mode::KeySize) {
    if (input.kind == HostInput::Kind::KeyDown) {
      followKey(Keyboard::genericKey(input.virtualKey));
    } else if (input.kind == HostInput::Kind::ButtonDown) {
      cancel();  // a click keeps the place
    }
    return true;
  }
  if (key) {
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
    case Mode::Move:
    case Mode::Size:
      place(DragPlacement::dragged(*record, mode_ == Mode::Move ? HTCAPTION : part_, startRect_,
                                   POINT{dx, dy}));
      break;
    case Mode::Box:
      showBoxPushed(layoutOnScreen(*record).hitTest(screen) == part_);
      break;
    case Mode::Thumb: {
      BarOnScreen bar = barOf(*record, part_);
      int leading =
          (bar.layout.vertical ? screen.y - bar.layout.track.top : screen.x - bar.layout.track.left) -
          grabOffset_;
      int position = bar.layout.positionForThumbAt(leading);
      if (position != bar.state->trackPosition) {
        bar.state->trackPosition = position;
        frameChanged(window_);
        postScroll(window_, bar.message, SB_THUMBTRACK, position);
      }
      break;
    }
    default:
      break;
  }
}

void NonClientTracker::followKey(UINT key) {
  if (key == VK_RETURN || key == VK_ESCAPE) {
    if (key == VK_ESCAPE) {
      place(startRect_);
    }
    cancel();
    return;
  }
  POINT by = arrowStep(key);
  if (by.x == 0 && by.y == 0) {
    return;
  }
  LRESULT part = HTCAPTION;
  if (mode_ == Mode::KeySize) {
    LRESULT& edge = by.x != 0 ? sideEdge_ : endEdge_;
    if (edge == 0) {
      edge = by.x < 0 ? HTLEFT : by.x > 0 ? HTRIGHT : by.y < 0 ? HTTOP : HTBOTTOM;
      showKeyCursor();
    }
    part = edge;
  }
  place(DragPlacement::dragged(*windowOf(window_), part, windowOf(window_)->rect, by));
}

void NonClientTracker::place(const RECT& rect) {
  const WindowRecord* record = windowOf(window_);
  if (record != nullptr && EqualRect(&record->rect, &rect)) {
    return;  // held at a limit: nothing changes
  }
  SetWindowPos(window_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void NonClientTracker::finish(POINT screen) {
  HWND window = window_;
  Mode mode = mode_;
  WindowRecord* record = windowOf(window);
  stopRepeating();
  showBoxPushed(false);
  mode_ = Mode::None;
  window_ = nullptr;
  switch (mode) {
    case Mode::Move:
      settleIcon(window);
      break;
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
      frameChanged(window);
      postScroll(window, bar.message, SB_THUMBPOSITION, bar.state->trackPosition);
      postScroll(window, bar.message, SB_ENDSCROLL, 0);
      break;
    }
    default:
      break;
  }
}

}  // namespace native
