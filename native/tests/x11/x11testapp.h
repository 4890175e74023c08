#pragma once
// What the small programs of the X11 tests share: one frame on the desktop, which the X11 host shows when
// DISPLAY is set, lines reported on standard output as things happen, and a bounded life. Such a program
// ends when its frame is closed (status 0), and on its own after a minute with status 3, so that it never
// outlives a broken test and a close that never arrived shows as a failure.

#include "native/native.h"

namespace native::test {

// One line, flushed at once: the test reads it through a pipe.
void Report(const char* format, ...) __attribute__((format(printf, 1, 2)));

struct TestFrame {
  const char16_t* title;
  RECT place;  // left, top, width and height are right - left and bottom - top
  // The messages the program looks at; the frame's timers and its end are handled before.
  WNDPROC procedure;
  // Adds what the frame holds (menus, fields); false when it cannot.
  bool (*build)(HWND frame);
  // Reports that the program runs and takes input.
  void (*ready)();
  // The frame class's style: CS_DBLCLKS for a frame that takes double clicks in its client area.
  UINT classStyle = 0;
};

// Shows the frame and runs the message loop; the program's exit status (1 when the frame cannot be made).
int RunTestFrame(const TestFrame& description);

}  // namespace native::test
