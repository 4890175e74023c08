#include "tools/pty/rawpseudoterminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const char* what, int controller) {
  const std::string reason = std::string(what) + ": " + std::strerror(errno);
  if (controller >= 0) {
    close(controller);
  }
  throw std::runtime_error(reason);
}

void MakeRaw(int descriptor) {
  termios raw{};
  tcgetattr(descriptor, &raw);
  cfmakeraw(&raw);
  tcsetattr(descriptor, TCSANOW, &raw);
}

}  // namespace

RawPseudoTerminal::RawPseudoTerminal() {
  controller = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (controller < 0) {
    Fail("posix_openpt", -1);
  }
  char name[128];
  if (grantpt(controller) != 0 || unlockpt(controller) != 0 ||
      ptsname_r(controller, name, sizeof name) != 0) {
    Fail("pseudo-terminal set-up", controller);
  }
  devicePath = name;
  deviceKeeper = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (deviceKeeper < 0) {
    Fail("opening the device side", controller);
  }
  MakeRaw(controller);
  MakeRaw(deviceKeeper);
}

RawPseudoTerminal::~RawPseudoTerminal() {
  close(deviceKeeper);
  close(controller);
}
