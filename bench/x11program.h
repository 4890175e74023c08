#pragma once
// The built program for the benchmarks on an X server (run them under xvfb-run): started afresh in a program
// folder of its own with the program's data beside it and settings that keep a menu open while a case
// measures it, keys pressed for it through XTest, and its picture read back to wait until it settles.
// Include it after every header of ours: Xlib's macros (None, True, False) clash with our names.

#include <memory>
#include <vector>

#include "native/tests/runtimefolder.h"
#include "native/tests/x11/x11testprogram.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

class X11Program {
 public:
  // Starts the program on the display and waits until its window shows.
  explicit X11Program(Display* display);

  // The program started and its window shows.
  bool shown() const { return window_ != 0; }
  pid_t pid() const { return program_->pid(); }
  Window window() const { return window_; }

  // Waits until the start is over: the main window's caption shows at the top (the desktop and the splash
  // picture come first) and the picture stays the same for a settling time; false when that does not come.
  bool SettleStart() const;

 private:
  Display* display_;
  native::test::RuntimeFolder runtime_;
  std::unique_ptr<native::test::X11TestProgram> program_;
  Window window_ = 0;
};

// The window's pixels as the server has them.
class Picture {
 public:
  Picture(Display* display, Window window);

  unsigned long PixelAt(int x, int y) const { return image_ ? XGetPixel(image_.get(), x, y) : 0; }
  // The pixels of the bounding box of what differs from the other picture; -1 when the sizes differ.
  long ChangedArea(const Picture& other) const;

 private:
  struct Destroy {
    void operator()(XImage* image) const { XDestroyImage(image); }
  };
  std::unique_ptr<XImage, Destroy> image_;
};

// Whether the main window's caption shows it active, or inactive as a modal box in front of it leaves it (not
// the caption's colour at all: the window is elsewhere).
bool MainCaptionShows(const Picture& picture, bool active);

// Whether the main window's menu bar shows the entry at that point highlighted (open, or chosen by the keys).
bool BarEntryHighlighted(const Picture& picture, int x, int y);

// Waits until the window's picture stays the same for a settling time, for the program to have drawn what
// the last input changed; false when it does not within half a minute.
bool Settle(Display* display, Window window);

// Presses the keys in order and lets them go in the opposite order.
void PressKeys(Display* display, const std::vector<KeySym>& keys);

// Highlights About in the main window's Help menu with the arrows, the one road there that no other entry
// shares: F10 highlights the menu bar's first entry, Left goes round to the frame's system menu and on to
// the bar's last entry (Help), opening it, and Up goes round to its last entry (About). Return then chooses
// it; MainCaptionShows tells whether the box came.
void HighlightAbout(Display* display, Window window);
