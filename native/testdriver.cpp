#include "native/testdriver.h"

#include <memory>
#include <stdexcept>

#include "native/host/snapshot.h"
#include "native/user/clock.h"
#include "native/user/keyboard.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

// Moves only when the driver advances it; the loop never waits on it.
class TestClock : public Clock {
 public:
  std::uint64_t nowMs() const override { return now_; }
  int waitMs(std::uint64_t) const override { return -1; }
  void advance(std::uint64_t milliseconds) { now_ += milliseconds; }

 private:
  // Starts well away from 0 so that times before the first event are representable.
  std::uint64_t now_ = 1000000;
};

namespace {

void destroyEveryWindow() {
  WindowSystem* system = WindowSystem::current();
  if (system == nullptr) {
    return;
  }
  for (HWND window : std::vector<HWND>(system->windows().desktop().children)) {
    DestroyWindow(window);
  }
}

Desktop& desktop() {
  return WindowSystem::get().desktop();
}

}  // namespace

TestDriver::TestDriver(const DesktopOptions& options) {
  destroyEveryWindow();
  auto clock = std::make_unique<TestClock>();
  clock_ = clock.get();
  WindowSystem::install(std::make_unique<WindowSystem>(options, std::move(clock)));
}

TestDriver::~TestDriver() {
  destroyEveryWindow();
  WindowSystem::install(std::make_unique<WindowSystem>(DesktopOptions{}, std::make_unique<MonotonicClock>()));
}

void TestDriver::mouseMove(int x, int y) {
  desktop().moveMouse(POINT{x, y});
}
void TestDriver::mouseLeave() {
  desktop().leaveMouse();
}
void TestDriver::mouseDown(Button button) {
  desktop().pressButton(button, true);
}
void TestDriver::mouseUp(Button button) {
  desktop().pressButton(button, false);
}

void TestDriver::click(int x, int y, Button button) {
  mouseMove(x, y);
  mouseDown(button);
  mouseUp(button);
}

void TestDriver::doubleClick(int x, int y, Button button) {
  click(x, y, button);
  mouseDown(button);
  mouseUp(button);
}

void TestDriver::keyDown(UINT virtualKey) {
  desktop().pressKey(virtualKey, true);
}
void TestDriver::keyUp(UINT virtualKey) {
  desktop().pressKey(virtualKey, false);
}

void TestDriver::pressKey(UINT virtualKey) {
  keyDown(virtualKey);
  keyUp(virtualKey);
}

bool TestDriver::typeText(std::u16string_view text) {
  struct Stroke {
    UINT key;
    bool shifted;
  };
  std::vector<Stroke> strokes;
  bool capsLock = WindowSystem::get().keyboard().isToggledNow(VK_CAPITAL);
  for (char16_t character : text) {
    if (character == u'\n') {
      character = u'\r';
    }
    bool found = false;
    for (UINT key = 1; key <= 0xFF && !found; ++key) {
      for (bool shifted : {false, true}) {
        if (usLayoutCharacter(key, shifted) == character) {
          bool letter = key >= 'A' && key <= 'Z';
          strokes.push_back(Stroke{key, letter && capsLock ? !shifted : shifted});
          found = true;
          break;
        }
      }
    }
    if (!found) {
      return false;
    }
  }
  for (const Stroke& stroke : strokes) {
    if (stroke.shifted) {
      keyDown(VK_SHIFT);
    }
    pressKey(stroke.key);
    if (stroke.shifted) {
      keyUp(VK_SHIFT);
    }
  }
  return true;
}

void TestDriver::advanceClock(std::uint64_t milliseconds) {
  clock_->advance(milliseconds);
}
std::uint64_t TestDriver::now() const {
  return clock_->nowMs();
}

int TestDriver::pumpUntilIdle(int limit) {
  int count = 0;
  MSG message{};
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    if (++count > limit) {
      throw std::runtime_error("the message loop does not go idle");
    }
    if (message.message == WM_QUIT) {
      // The quit request stays for the program's own loop to see.
      PostQuitMessage(static_cast<int>(message.wParam));
      return count - 1;
    }
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  return count;
}

HWND TestDriver::windowAt(int x, int y) const {
  return WindowFromPoint(POINT{x, y});
}

RECT TestDriver::screenRect(HWND window) const {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

std::u16string TestDriver::text(HWND window) const {
  const WindowRecord* record = WindowSystem::get().windows().find(window);
  return record == nullptr ? std::u16string() : record->text;
}

std::vector<HWND> TestDriver::topLevelWindows() const {
  return WindowSystem::get().windows().desktop().children;
}

unsigned TestDriver::beepCount() const {
  return WindowSystem::get().beepCount;
}

COLORREF TestDriver::pixel(int x, int y) const {
  return GetDesktopPixel(x, y);
}

std::vector<COLORREF> TestDriver::pixels(const RECT& area) const {
  std::vector<COLORREF> shown;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      shown.push_back(pixel(x, y));
    }
  }
  return shown;
}

bool TestDriver::snapshot(const std::string& path) const {
  return SaveDesktopSnapshot(path) != FALSE;
}

bool TestDriver::snapshot(HWND window, const std::string& path) const {
  return SaveWindowSnapshot(window, path) != FALSE;
}

std::vector<RECT> TestDriver::takeDamage() const {
  WindowSystem& system = WindowSystem::get();
  system.compositor().compose(system.windows());
  return system.compositor().takeDamage();
}

TestDriver::Paints TestDriver::takePaints() const {
  WindowSystem& system = WindowSystem::get();
  Paints paints{system.painted.paints, system.painted.pixels, system.painted.textMaskPixels};
  system.painted = WindowSystem::PaintTally{};
  return paints;
}

}  // namespace native
