#pragma once
// Shows the desktop in one X window and feeds the window's X input to it: damaged areas of the composed
// desktop are copied to the window before the message loop waits, all of one picture in one request (the
// window never shows half of it), key presses and releases become virtual keys with the characters the
// display's keymap types (see X11Typing), pointer motion and buttons become mouse input, the window's close
// button asks the front window to close, the desktop follows the window's size, the pointer takes the shape
// the program sets (see X11Pointer), a beep rings the display's bell, and the program's clipboard is shared
// with other X programs (see X11Clipboard). Input carries the time the X server gave it (see ServerTimeMap).
// The X connection's descriptor wakes a waiting loop. X11 itself stays inside the host's source files.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "native/host/servertimemap.h"
#include "native/user/nativetypes.h"

namespace native {

class WindowSystem;
class X11Clipboard;
class X11Pointer;
class X11Typing;

class X11Host {
 public:
  // A host for the system on the display that DISPLAY names; none when DISPLAY is not set, the display does
  // not open, or KESTROVE_HEADLESS is set to anything but "0".
  static std::unique_ptr<X11Host> openFromEnvironment(WindowSystem& system);
  ~X11Host();
  X11Host(const X11Host&) = delete;
  X11Host& operator=(const X11Host&) = delete;

  static constexpr const char* kTitle = "Kestrove";

  // The display's bell, at its usual volume.
  void ringBell();

 private:
  struct Connection;
  X11Host(WindowSystem& system, std::unique_ptr<Connection> connection);

  // Takes the events the connection holds; answers whether any was taken.
  bool takeEvents();
  // Copies what was composed since the last time to the window.
  void present();
  void closeFrontWindow();
  // An event's server time on the program's clock; none for an event another program sent, whose stamp is
  // whatever it chose: such input counts as made when it is read.
  std::optional<DWORD> programTime(bool sent, std::uint32_t serverMs);

  WindowSystem& system_;
  std::unique_ptr<Connection> x_;
  std::unique_ptr<X11Clipboard> clipboard_;  // after the connection: it goes first
  std::unique_ptr<X11Typing> typing_;        // likewise
  std::unique_ptr<X11Pointer> pointer_;      // likewise
  ServerTimeMap serverTime_;
};

}  // namespace native
