#include "bench/x11program.h"

#include <filesystem>
#include <string>

#include <X11/extensions/XTest.h>

X11Program::X11Program(Display* display) {
  const std::string folder = runtime_.programFolder();
  std::filesystem::create_directories(folder);
  for (const char* name : {"kestrove.znc", "kestrove.tgs", "English.lng"}) {
    std::filesystem::copy_file(std::string(KESTROVE_PROGRAM_DIR) + "/" + name, folder + "/" + name);
  }
  std::filesystem::copy_file(KESTROVE_PROGRAM, folder + "/kestrove");
  program_ = std::make_unique<native::test::X11TestProgram>((folder + "/kestrove").c_str(), nullptr);
  if (program_->started()) {
    window_ = native::test::WaitForWindowNamed(display, "Kestrove");
  }
}

void PressKeys(Display* display, const std::vector<KeySym>& keys) {
  for (KeySym key : keys) {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, CurrentTime);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, *key), False, CurrentTime);
  }
  XFlush(display);
}
