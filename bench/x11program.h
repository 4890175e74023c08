#pragma once
// The built program for the benchmarks on an X server (run them under xvfb-run): started afresh in a program
// folder of its own with the program's data beside it, and keys pressed for it through XTest.
// Include it after every header of ours: Xlib's macros (None, True, False) clash with our names.

#include <memory>
#include <vector>

#include "native/tests/runtimefolder.h"
#include "native/tests/x11/x11testprogram.h"

#include <X11/Xlib.h>

class X11Program {
 public:
  // Starts the program on the display and waits until its window shows.
  explicit X11Program(Display* display);

  // The program started and its window shows.
  bool shown() const { return window_ != 0; }
  pid_t pid() const { return program_->pid(); }
  Window window() const { return window_; }

 private:
  native::test::RuntimeFolder runtime_;
  std::unique_ptr<native::test::X11TestProgram> program_;
  Window window_ = 0;
};

// Presses the keys in order and lets them go in the opposite order.
void PressKeys(Display* display, const std::vector<KeySym>& keys);
