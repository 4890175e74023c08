#include "native/host/desktop.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "native/user/clock.h"
#include "native/user/keyboard.h"
#include "native/user/messagequeue.h"
#include "native/user/virtualkeys.h"

namespace native {

namespace {

constexpr int kMinSide = DesktopOptions::kMinSide;
constexpr int kMaxSide = DesktopOptions::kMaxSide;
constexpr int kMinDpi = 48;
constexpr int kMaxDpi = 480;

bool parseWhole(const char* begin, const char* end, int low, int high, int* out) {
  int value = 0;
  auto [next, error] = std::from_chars(begin, end, value);
  if (error != std::errc{} || next != end || value < low || value > high) {
    return false;
  }
  *out = value;
  return true;
}

}  // namespace

DesktopOptions DesktopOptions::parse(const char* size, const char* dpi) {
  DesktopOptions options;
  if (size != nullptr) {
    const char* end = size + std::strlen(size);
    const char* cross = std::find(size, end, 'x');
    int width = 0;
    int height = 0;
    if (cross != end && parseWhole(size, cross, kMinSide, kMaxSide, &width) &&
        parseWhole(cross + 1, end, kMinSide, kMaxSide, &height)) {
      options.width = width;
      options.height = height;
      options.sizeGiven = true;
    }
  }
  if (dpi != nullptr) {
    parseWhole(dpi, dpi + std::strlen(dpi), kMinDpi, kMaxDpi, &options.dpi);
  }
  return options;
}

DesktopOptions DesktopOptions::fromEnvironment() {
  return parse(std::getenv("KESTROVE_DESKTOP_SIZE"), std::getenv("KESTROVE_DESKTOP_DPI"));
}

Desktop::Desktop(const DesktopOptions& options, MessageQueue& queue, Keyboard& keyboard, const Clock& clock)
    : options_(options), queue_(queue), keyboard_(keyboard), clock_(clock) {}

void Desktop::resize(int width, int height) {
  options_.width = std::clamp(width, kMinSide, kMaxSide);
  options_.height = std::clamp(height, kMinSide, kMaxSide);
  cursor_ =
      POINT{std::min<LONG>(cursor_.x, options_.width - 1), std::min<LONG>(cursor_.y, options_.height - 1)};
}

DWORD Desktop::timeOf(std::optional<DWORD> time) const {
  return time.value_or(static_cast<DWORD>(clock_.nowMs()));
}

void Desktop::moveMouse(POINT screen, std::optional<DWORD> time) {
  cursor_ = POINT{std::clamp<LONG>(screen.x, 0, options_.width - 1),
                  std::clamp<LONG>(screen.y, 0, options_.height - 1)};
  queue_.pushInput(HostInput{HostInput::Kind::MouseMove, cursor_, 0, 0, timeOf(time)});
}

void Desktop::leaveMouse() {
  cursor_ = POINT{-1, -1};
}

void Desktop::pressButton(int button, bool down, std::optional<DWORD> time) {
  static constexpr UINT kButtonKeys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  if (button < 0 || button > 2) {
    return;
  }
  keyboard_.hostKey(kButtonKeys[button], down);
  queue_.pushInput(HostInput{down ? HostInput::Kind::ButtonDown : HostInput::Kind::ButtonUp, cursor_, button,
                             0, timeOf(time)});
}

void Desktop::pressKey(UINT virtualKey, bool down, char32_t typed, std::optional<DWORD> time) {
  if (virtualKey == 0 || virtualKey > 0xFF) {
    return;
  }
  queueKey(virtualKey, down, down ? typed : 0, false, time);
}

void Desktop::releaseHeldKeys() {
  for (UINT key = 1; key <= 0xFF; ++key) {
    bool button = key == VK_LBUTTON || key == VK_RBUTTON || key == VK_MBUTTON;
    // A generic Shift, Ctrl or Alt is down through its left or right key, which is let go instead.
    bool keptBySides = Keyboard::sidedKey(key) != key;
    if (!button && !keptBySides && keyboard_.isDownNow(key)) {
      queueKey(key, false, 0, true, std::nullopt);
    }
  }
}

void Desktop::queueKey(UINT virtualKey, bool down, char32_t typed, bool focusLost,
                       std::optional<DWORD> time) {
  keyboard_.hostKey(virtualKey, down);
  queue_.pushInput(HostInput{down ? HostInput::Kind::KeyDown : HostInput::Kind::KeyUp, cursor_, 0, virtualKey,
                             timeOf(time), typed, focusLost});
}

}  // namespace native
