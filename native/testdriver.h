#pragma once
// Drives the window system without a display, for tests: a fresh headless desktop on a clock that moves only
// when told, mouse and key input at desktop points, a loop that runs until nothing is left to do, and a look
// at the windows. One driver at a time; it owns the window system while it lives.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "native/host/desktop.h"
#include "native/user/nativetypes.h"

namespace native {

class TestClock;

class TestDriver {
 public:
  explicit TestDriver(const DesktopOptions& options = DesktopOptions{});
  // Destroys the windows still there and leaves a fresh window system behind.
  ~TestDriver();
  TestDriver(const TestDriver&) = delete;
  TestDriver& operator=(const TestDriver&) = delete;

  enum Button { Left = 0, Right = 1, Middle = 2 };

  void mouseMove(int x, int y);
  // The pointer leaves the desktop's window, as it does when it goes to another program's window.
  void mouseLeave();
  void mouseDown(Button button = Left);
  void mouseUp(Button button = Left);
  // Moves there, then presses and releases.
  void click(int x, int y, Button button = Left);
  // Two clicks at the same point and time.
  void doubleClick(int x, int y, Button button = Left);

  void keyDown(UINT virtualKey);
  void keyUp(UINT virtualKey);
  void pressKey(UINT virtualKey);
  // Types each character with its US-layout key, Shift held where the character needs it (Caps Lock taken
  // into account). False, typing nothing, when a character has no key.
  bool typeText(std::u16string_view text);

  void advanceClock(std::uint64_t milliseconds);
  std::uint64_t now() const;

  // Takes and dispatches (after TranslateMessage) every message there is, host input, due timers and ready
  // descriptors included, until none is left; answers how many. Throws std::runtime_error after `limit`
  // messages: a program that keeps posting to itself never goes idle. A WM_QUIT ends the pumping and stays
  // in the queue.
  int pumpUntilIdle(int limit = 10000);

  HWND windowAt(int x, int y) const;
  RECT screenRect(HWND window) const;
  std::u16string text(HWND window) const;
  // Top-level windows, front first.
  std::vector<HWND> topLevelWindows() const;
  unsigned beepCount() const;

  // The desktop as composed now: one pixel (CLR_INVALID off the desktop), the pixels in a rectangle (right
  // and bottom excluded) row by row, or a PNG file.
  COLORREF pixel(int x, int y) const;
  std::vector<COLORREF> pixels(const RECT& area) const;
  bool snapshot(const std::string& path) const;
  // One window as its top-level surface holds it, frame included.
  bool snapshot(HWND window, const std::string& path) const;
  // The desktop areas whose pixels changed since the last call, as a display host would copy them.
  std::vector<RECT> takeDamage() const;
  // The paints since the last call: each WM_PAINT begun and WM_NCPAINT sent, the pixels of the windows they
  // let the program draw on, and the pixels of the masks lines of text were filled into (a line drawn again
  // as it was fills none).
  struct Paints {
    unsigned paints = 0;
    long long pixels = 0;
    long long textMaskPixels = 0;
  };
  Paints takePaints() const;

 private:
  TestClock* clock_;
};

}  // namespace native
