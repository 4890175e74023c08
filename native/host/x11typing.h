#pragma once
// The characters keys type on an X display, as its keymap and input method give them for the key and its
// modifiers. Opening it takes the program's character-type locale (LC_CTYPE only) from the environment and
// Xlib's input method with the environment's locale modifiers (XMODIFIERS), or else Xlib's own, so that dead
// keys and compose sequences work; without any input method a key types the character its key symbol
// stands for. Only printable characters are typed: control characters, and keys pressed with Ctrl, are
// left to the keys' own handling.
// Include it after every header of ours: Xlib's macros (None, True, False) clash with our names.

#include <string>

#include <X11/Xlib.h>

namespace native {

class X11Typing {
 public:
  // Adds the events the input method needs to those the window already selects.
  X11Typing(Display* display, Window window);
  ~X11Typing();
  X11Typing(const X11Typing&) = delete;
  X11Typing& operator=(const X11Typing&) = delete;

  // Whether the input method took the event (a dead key, a key of a compose sequence): it goes no further.
  bool filter(XEvent& event);
  // The characters a key press typed, in order; none when it typed nothing printable.
  std::u32string typedBy(XKeyEvent& press);
  // The window gained or lost the keyboard focus.
  void focus(bool in);

 private:
  static void methodGone(XIM method, XPointer self, XPointer);
  std::u32string typedThroughMethod(XKeyEvent& press);

  XIM method_ = nullptr;
  XIC context_ = nullptr;
};

}  // namespace native
