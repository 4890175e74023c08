#include "native/controls/trackbar.h"

#include <algorithm>
#include <utility>

#include "native/controls/controlconstants.h"
#include "native/controls/controllook.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/user/cursortable.h"
#include "native/user/focusmanager.h"
#include "native/user/messageapi.h"
#include "native/user/paintapi.h"
#include "native/user/rects.h"
#include "native/user/scrollbarapi.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowpos.h"

namespace native {

namespace {

// Geometry in pixels: the thumb's length along the axis and its thickness across it, the channel's
// thickness, the gap kept at the ends and above the channel, and the tick marks.
constexpr int kThumbLength = 11;
constexpr int kThumbThickness = 20;
constexpr int kChannelThickness = 4;
constexpr int kEndMargin = 8;
constexpr int kSideMargin = 4;
constexpr int kTickLength = 4;
constexpr int kTickGap = 2;

// The halves of TBM_SETRANGE's lParam are signed 16-bit numbers.
int signedLow(LPARAM value) {
  return static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(value)));
}
int signedHigh(LPARAM value) {
  return static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(value)));
}

// A rectangle given along and across the axis.
RECT oriented(bool vertical, int alongStart, int alongEnd, int acrossStart, int acrossEnd) {
  return vertical ? RECT{acrossStart, alongStart, acrossEnd, alongEnd}
                  : RECT{alongStart, acrossStart, alongEnd, acrossEnd};
}

}  // namespace

bool Trackbar::vertical() const {
  return (style() & TBS_VERT) != 0;
}

Trackbar::Geometry Trackbar::geometry() const {
  RECT client = clientRect();
  bool down = vertical();
  int start = down ? client.top : client.left;
  int end = down ? client.bottom : client.right;
  int acrossStart = down ? client.left : client.top;
  int acrossEnd = down ? client.right : client.bottom;
  Geometry parts;
  parts.first = start + kEndMargin;
  parts.last = std::max(parts.first, static_cast<int>(end) - kEndMargin - 1);
  int thickness = std::min(kThumbThickness, std::max(0, acrossEnd - acrossStart - 2 * kSideMargin));
  int thumbStart = acrossStart + kSideMargin;
  parts.across = thumbStart + thickness / 2;
  parts.channel = oriented(down, parts.first - kThumbLength / 2, parts.last + kThumbLength / 2 + 1,
                           parts.across - kChannelThickness / 2, parts.across + kChannelThickness / 2);
  int centre = centreOf(parts, position_);
  parts.thumb = oriented(down, centre - kThumbLength / 2, centre + kThumbLength / 2 + 1, thumbStart,
                         thumbStart + thickness);
  return parts;
}

int Trackbar::centreOf(const Geometry& parts, int position) const {
  long long span = static_cast<long long>(maximum_) - minimum_;
  if (span <= 0) {
    return parts.first;
  }
  return parts.first + static_cast<int>(static_cast<long long>(parts.last - parts.first) *
                                        (static_cast<long long>(position) - minimum_) / span);
}

int Trackbar::positionAt(const Geometry& parts, int coordinate) const {
  int room = parts.last - parts.first;
  long long span = static_cast<long long>(maximum_) - minimum_;
  if (room <= 0 || span <= 0) {
    return minimum_;
  }
  int offset = std::clamp(coordinate - parts.first, 0, room);
  // Rounded to the nearest position.
  return static_cast<int>(minimum_ + (static_cast<long long>(offset) * span + room / 2) / room);
}

LRESULT Trackbar::handle(UINT message, WPARAM wParam, LPARAM lParam) {
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
      if (held_ != Held::Nothing && reinterpret_cast<HWND>(lParam) != window()) {
        held_ = Held::Nothing;
        repeater_.stop();
      }
      return 0;
    case WM_TIMER:
      if (repeater_.takeTick(wParam)) {
        pageTowardPointer();
        return 0;
      }
      return handleCommon(message, wParam, lParam);
    case WM_KEYDOWN:
      keyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_KEYUP:
      scrollParent(vertical(), SB_ENDSCROLL, 0);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      invalidate();
      return 0;
    default:
      return handleTrackbarMessage(message, wParam, lParam);
  }
}

LRESULT Trackbar::handleTrackbarMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TBM_GETPOS:
      return position_;
    case TBM_SETPOS:
      setPosition(static_cast<int>(lParam), wParam != 0);
      return 0;
    case TBM_SETRANGE:
      minimum_ = signedLow(lParam);
      maximum_ = std::max(minimum_, signedHigh(lParam));
      setPosition(position_, false);
      if (wParam != 0) {
        invalidate();
      }
      return 0;
    case TBM_GETRANGEMIN:
      return minimum_;
    case TBM_GETRANGEMAX:
      return maximum_;
    case TBM_SETPAGESIZE:
      return std::exchange(pageSize_, static_cast<int>(lParam));
    case TBM_GETPAGESIZE:
      return pageSize_;
    case TBM_SETLINESIZE:
      return std::exchange(lineSize_, static_cast<int>(lParam));
    case TBM_GETLINESIZE:
      return lineSize_;
    default:
      return handleCommon(message, wParam, lParam);
  }
}

bool Trackbar::setPosition(long long wanted, bool redraw) {
  int position = static_cast<int>(std::clamp<long long>(wanted, minimum_, maximum_));
  bool moved = position != position_;
  position_ = position;
  if (moved && redraw) {
    invalidate();
  }
  return moved;
}

void Trackbar::step(WORD code, long long position) {
  setPosition(position, true);
  bool reportsPosition = code == SB_THUMBTRACK || code == SB_THUMBPOSITION;
  scrollParent(vertical(), code, reportsPosition ? position_ : 0);
}

void Trackbar::press(POINT point) {
  SetFocus(window());
  SetCapture(window());
  Geometry parts = geometry();
  if (PtInRect(&parts.thumb, point) != FALSE) {
    held_ = Held::Thumb;
    grabOffset_ = along(point) - centreOf(parts, position_);
    return;
  }
  held_ = Held::Channel;
  pageTowardPointer();
  repeater_.start();
}

void Trackbar::follow(POINT point) {
  if (held_ != Held::Thumb) {
    return;
  }
  int position = positionAt(geometry(), along(point) - grabOffset_);
  if (position != position_) {
    step(SB_THUMBTRACK, position);
  }
}

void Trackbar::release() {
  Held held = held_;
  if (held == Held::Nothing) {
    return;
  }
  held_ = Held::Nothing;
  repeater_.stop();
  ReleaseCapture();
  if (held == Held::Thumb) {
    step(SB_THUMBPOSITION, position_);
  }
  scrollParent(vertical(), SB_ENDSCROLL, 0);
}

// A press on the channel pages toward the pointer until the thumb reaches it.
void Trackbar::pageTowardPointer() {
  POINT pointer{};
  GetCursorPos(&pointer);
  ScreenToClient(window(), &pointer);
  Geometry parts = geometry();
  int target = positionAt(parts, along(pointer));
  if (target < position_) {
    step(SB_PAGEUP, std::max<long long>(target, static_cast<long long>(position_) - pageSize_));
  } else if (target > position_) {
    step(SB_PAGEDOWN, std::min<long long>(target, static_cast<long long>(position_) + pageSize_));
  }
}

void Trackbar::keyDown(UINT key) {
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      step(SB_LINEUP, static_cast<long long>(position_) - lineSize_);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      step(SB_LINEDOWN, static_cast<long long>(position_) + lineSize_);
      break;
    case VK_PRIOR:
      step(SB_PAGEUP, static_cast<long long>(position_) - pageSize_);
      break;
    case VK_NEXT:
      step(SB_PAGEDOWN, static_cast<long long>(position_) + pageSize_);
      break;
    case VK_HOME:
      step(SB_TOP, minimum_);
      break;
    case VK_END:
      step(SB_BOTTOM, maximum_);
      break;
    default:
      break;
  }
}

void Trackbar::paint(HDC dc) {
  RECT client = clientRect();
  HBRUSH background = ControlLook::askColors(window(), dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &client, background);
  Geometry parts = geometry();
  ControlLook::trackbarChannel(dc, parts.channel);
  if ((style() & TBS_NOTICKS) == 0) {
    // Marks at the two ends, beyond the thumb's far side.
    int tickStart = (vertical() ? parts.thumb.right : parts.thumb.bottom) + kTickGap;
    for (int at : {parts.first, parts.last}) {
      ControlLook::tick(dc, oriented(vertical(), at, at + 1, tickStart, tickStart + kTickLength));
    }
  }
  ControlLook::trackbarThumb(dc, parts.thumb, held_ == Held::Thumb, enabled());
  if (focused()) {
    ControlLook::focusMark(dc, client);
  }
}

}  // namespace native
