#include "testing/ptypair.h"

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

PtyPair::~PtyPair() {
  if (!mappedVariable.empty()) {
    if (hadPreviousValue) {
      setenv(mappedVariable.c_str(), previousValue.c_str(), 1);
    } else {
      unsetenv(mappedVariable.c_str());
    }
  }
}

void PtyPair::MapToPort(int32_t port) {
  mappedVariable = "KESTROVE_COM" + std::to_string(port);
  const char* previous = getenv(mappedVariable.c_str());
  hadPreviousValue = previous != nullptr;
  previousValue = previous != nullptr ? previous : "";
  setenv(mappedVariable.c_str(), terminal.DevicePath().c_str(), 1);
}

void PtyPair::Send(std::string_view bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    ssize_t n = write(terminal.Controller(), bytes.data() + sent, bytes.size() - sent);
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
    pollfd waiting{terminal.Controller(), POLLIN, 0};
    int ready = poll(&waiting, 1, timeoutMs);
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready <= 0 || (waiting.revents & POLLIN) == 0) {
      break;
    }
    char buffer[256];
    ssize_t n = read(terminal.Controller(), buffer, std::min(sizeof buffer, count - received.size()));
    if (n <= 0) {
      break;
    }
    received.append(buffer, static_cast<size_t>(n));
  }
  return received;
}

bool PtyPair::NothingReceived(int timeoutMs) {
  pollfd waiting{terminal.Controller(), POLLIN, 0};
  return poll(&waiting, 1, timeoutMs) == 0;
}

termios PtyPair::DeviceSettings() const {
  termios settings{};
  tcgetattr(terminal.DeviceKeeper(), &settings);
  return settings;
}

}  // namespace ktest
