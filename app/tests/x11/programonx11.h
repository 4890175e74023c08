// The built program copied into a test's program folder, beside its data files, and started there on the
// virtual X server, its X window shown. Include it after every header of ours (Xlib's macros).
#ifndef APP_TESTS_X11_PROGRAMONX11_H
#define APP_TESTS_X11_PROGRAMONX11_H

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "native/tests/x11/x11testprogram.h"

class ProgramOnX11 {
 public:
  // `programPath` is where the copy goes; `desktopSize` as for X11TestProgram. The test has failed or
  // skipped when the program is not Running() after this.
  ProgramOnX11(const std::string& programPath, const char* desktopSize) {
    std::filesystem::copy_file(KESTROVE_PROGRAM, programPath);
    native::test::OpenDisplayWithXTest(display);
    if (display == nullptr) {
      return;
    }
    program.emplace(programPath.c_str(), desktopSize);
    if (!program->started()) {
      ADD_FAILURE() << "the program did not start";
      return;
    }
    window = native::test::WaitForWindowNamed(display, "Kestrove");
    EXPECT_NE(window, 0u) << "no X window of the program";
  }
  ~ProgramOnX11() {
    if (display != nullptr) {
      XCloseDisplay(display);
    }
  }
  ProgramOnX11(const ProgramOnX11&) = delete;
  ProgramOnX11& operator=(const ProgramOnX11&) = delete;

  bool Running() const { return window != 0; }

  Display* display = nullptr;
  std::optional<native::test::X11TestProgram> program;
  Window window = 0;
};

#endif  // APP_TESTS_X11_PROGRAMONX11_H
