#pragma once
// The virtual desktop every top-level window lives on: its size and resolution, the pointer, and the door
// through which a host hands in mouse and key input. Without a display this is the whole host; the test
// driver feeds it, and a display connection will feed it the same way.

#include <optional>

#include "native/user/nativetypes.h"

namespace native {

class Clock;
class Keyboard;
class MessageQueue;

struct DesktopOptions {
  int width = 1280;
  int height = 1024;
  int dpi = 96;
  // The size came from KESTROVE_DESKTOP_SIZE: a display host keeps it instead of fitting the desktop to its
  // screen.
  bool sizeGiven = false;

  // The defaults, overridden by KESTROVE_DESKTOP_SIZE ("1024x768") and KESTROVE_DESKTOP_DPI ("120"); values
  // that do not parse or lie outside sane limits are ignored.
  static DesktopOptions fromEnvironment();
  static DesktopOptions parse(const char* size, const char* dpi);

  static constexpr int kMinSide = 64;
  static constexpr int kMaxSide = 16384;
};

class Desktop {
 public:
  Desktop(const DesktopOptions& options, MessageQueue& queue, Keyboard& keyboard, const Clock& clock);

  int width() const { return options_.width; }
  int height() const { return options_.height; }
  int dpi() const { return options_.dpi; }
  POINT cursorPosition() const { return cursor_; }
  // A display host's window changed size: the desktop takes it, within the limits DesktopOptions accepts.
  void resize(int width, int height);

  // Input comes with the time the user made it on the program's clock, when the host knows it; without
  // one it counts as made now.

  // The pointer moves to a point (kept on the desktop); a move queues even when the point does not change.
  void moveMouse(POINT screen, std::optional<DWORD> time = std::nullopt);
  // The pointer left the host's window with no button held: it is over none of the program's windows (at
  // (-1, -1)) until it moves on the desktop again.
  void leaveMouse();
  // Button 0 left, 1 right, 2 middle.
  void pressButton(int button, bool down, std::optional<DWORD> time = std::nullopt);
  // A host with a keymap of its own hands in the character a press typed (see HostInput).
  void pressKey(UINT virtualKey, bool down, char32_t typed = 0, std::optional<DWORD> time = std::nullopt);
  // The host's window lost the keyboard focus: every key still down is let go, as a release that enters no
  // menu (its key may be let go in another window, or never, as far as the program can tell).
  void releaseHeldKeys();

 private:
  void queueKey(UINT virtualKey, bool down, char32_t typed, bool focusLost, std::optional<DWORD> time);
  DWORD timeOf(std::optional<DWORD> time) const;

  DesktopOptions options_;
  MessageQueue& queue_;
  Keyboard& keyboard_;
  const Clock& clock_;
  POINT cursor_{};
};

}  // namespace native
