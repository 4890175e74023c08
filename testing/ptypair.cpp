#include "testing/ptypair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace ktest {

namespace {

[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

PtyPair::PtyPair() {
  controller = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (controller < 0) {
    Fail("posix_openpt");
  }
  char name[128];
  if (grantpt(controller) != 0 || unlockpt(controller) != 0 ||
      ptsname_r(controller, name, sizeof name) != 0) {
    close(controller);
    Fail("pseudo-terminal set-up");
  }
  devicePath = name;
  deviceKeeper = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (deviceKeeper < 0) {
    close(controller);
    Fail("opening the device side");
  }
  // The controller side moves bytes unchanged, whatever the device side's settings.
  termios raw{};
  tcgetattr(controller, &raw);
  cfmakeraw(&raw);
  tcsetattr(controller, TCSANOW, &raw);
  tcgetattr(deviceKeeper, &raw);
  cfmakeraw(&raw);
  tcsetattr(deviceKeeper, TCSANOW, &raw);
}

PtyPair::~PtyPair() {
  if (!mappedVariable.empty()) {
    if (hadPreviousValue) {
      setenv(mappedVariable.c_str(), previousValue.c_str(), 1);
    } else {
      unsetenv(mappedVariable.c_str());
    }
  }
  close(deviceKeeper);
  close(controller);
}

void PtyPair::MapToPort(int32_t port) {
  mappedVariable = "KESTROVE_COM" + std::to_string(port);
  const char* previous = getenv(mappedVariable.c_str());
  hadPreviousValue = previous != nullptr;
  previousValue = previous != nullptr ? previous : "";
  setenv(mappedVariable.c_str(), devicePath.c_str(), 1);
}

void PtyPair::Send(std::string_view bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    ssize_t n = write(controller, bytes.data() + sent, bytes.size() - sent);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      Fail("writing to the pseudo-terminal");
    }
    sent += static_cast<size_t>(n);
  }
}

std::string PtyPair::Receive(size_t count, int timeoutMs) {
  std::string received;
  while (received.size() < count) {
    pollfd waiting{controller, POLLIN, 0};
    int ready = poll(&waiting, 1, timeoutMs);
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready <= 0 || (waiting.revents & POLLIN) == 0) {
      break;
    }
    char buffer[256];
    ssize_t n = read(controller, buffer, std::min(sizeof buffer, count - received.size()));
    if (n <= 0) {
      break;
    }
    received.append(buffer, static_cast<size_t>(n));
  }
  return received;
}

bool PtyPair::NothingReceived(int timeoutMs) {
  pollfd waiting{controller, POLLIN, 0};
  return poll(&waiting, 1, timeoutMs) == 0;
}

termios PtyPair::DeviceSettings() const {
  termios settings{};
  tcgetattr(deviceKeeper, &settings);
  return settings;
}

}  // namespace ktest
