#include "native/user/caret.h"

#include "native/user/metrics.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// The compositor shows the caret as it is now.
void showMark(WindowSystem& system) {
  system.compositor().markCaret(system.windows(), system.caret().mark());
}

// Changes the system's caret and shows the result; the blink starts over.
template <typename Change>
BOOL changeCaret(Change change) {
  WindowSystem& system = WindowSystem::get();
  if (!change(system.caret())) {
    return FALSE;
  }
  system.caret().restartBlink(system.clock().nowMs());
  showMark(system);
  return TRUE;
}

}  // namespace

void Caret::create(HWND owner, HBITMAP shape, int width, int height) {
  owner_ = owner;
  shape_ = shape;
  // A width or height of 0 asks for the system's thin line.
  width_ = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  height_ = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  position_ = POINT{0, 0};
  hideLevel_ = 1;
}

bool Caret::show(HWND window) {
  if (!ownedBy(window)) {
    return false;
  }
  if (hideLevel_ > 0) {
    --hideLevel_;
  }
  return true;
}

bool Caret::hide(HWND window) {
  if (!ownedBy(window)) {
    return false;
  }
  ++hideLevel_;
  return true;
}

bool Caret::setPosition(int x, int y) {
  if (owner_ == nullptr) {
    return false;
  }
  position_ = POINT{x, y};
  return true;
}

void Caret::restartBlink(std::uint64_t nowMs) {
  blinkOn_ = true;
  blinkSinceMs_ = nowMs;
}

bool Caret::blink(std::uint64_t nowMs) {
  std::optional<std::uint64_t> due = nextBlinkMs();
  if (!due || nowMs < *due) {
    return false;
  }
  blinkOn_ = !blinkOn_;
  blinkSinceMs_ = nowMs;
  return true;
}

std::optional<std::uint64_t> Caret::nextBlinkMs() const {
  if (!visible() || blinkTimeMs_ == 0) {
    return std::nullopt;
  }
  return blinkSinceMs_ + blinkTimeMs_;
}

std::optional<CaretMark> Caret::mark() const {
  if (!visible() || !blinkOn_) {
    return std::nullopt;
  }
  return CaretMark{owner_, rect()};
}

void blinkCaretWhenDue(WindowSystem& system) {
  if (system.caret().blink(system.clock().nowMs())) {
    showMark(system);
  }
}

BOOL CreateCaret(HWND window, HBITMAP shape, int width, int height) {
  return changeCaret([&](Caret& caret) {
    if (WindowSystem::get().windows().find(window) == nullptr) {
      return false;
    }
    caret.create(window, shape, width, height);
    return true;
  });
}

BOOL DestroyCaret() {
  return changeCaret([](Caret& caret) {
    if (caret.owner() == nullptr) {
      return false;
    }
    caret.destroy();
    return true;
  });
}

BOOL ShowCaret(HWND window) {
  return changeCaret([&](Caret& caret) { return caret.show(window); });
}
BOOL HideCaret(HWND window) {
  return changeCaret([&](Caret& caret) { return caret.hide(window); });
}
BOOL SetCaretPos(int x, int y) {
  return changeCaret([&](Caret& caret) { return caret.setPosition(x, y); });
}

BOOL GetCaretPos(POINT* position) {
  if (position == nullptr) {
    return FALSE;
  }
  *position = WindowSystem::get().caret().position();
  return TRUE;
}

UINT GetCaretBlinkTime() {
  return WindowSystem::get().caret().blinkTimeMs();
}

BOOL SetCaretBlinkTime(UINT milliseconds) {
  return changeCaret([&](Caret& caret) {
    caret.setBlinkTimeMs(milliseconds);
    return true;
  });
}

}  // namespace native
