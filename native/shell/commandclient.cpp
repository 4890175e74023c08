#include "native/shell/commandclient.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "native/shell/commandserver.h"
#include "native/shell/socketaddress.h"

namespace native {

namespace {

using Clock = std::chrono::steady_clock;

// Waits for the socket to be ready until the deadline; false when time ran out.
bool waitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      return false;
    }
    pollfd ready{fd, events, 0};
    int result = poll(&ready, 1, static_cast<int>(left));
    if (result > 0) {
      return true;
    }
    if (result < 0 && errno != EINTR) {
      return false;
    }
  }
}

bool sendAll(int fd, std::string_view bytes, Clock::time_point deadline) {
  while (!bytes.empty()) {
    if (!waitFor(fd, POLLOUT, deadline)) {
      return false;
    }
    ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0) {
      if (errno == EAGAIN || errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

// The answer line: everything until the service closes, at most a few bytes.
std::string readAnswer(int fd, Clock::time_point deadline) {
  std::string line;
  char bytes[16];
  while (line.size() < 16 && waitFor(fd, POLLIN, deadline)) {
    ssize_t count = recv(fd, bytes, sizeof bytes, MSG_DONTWAIT);
    if (count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR)) {
      break;
    }
    if (count > 0) {
      line.append(bytes, static_cast<std::size_t>(count));
    }
  }
  return line;
}

}  // namespace

CommandClient::Result CommandClient::send(std::string_view service, std::string_view topic,
                                          std::string_view command, int timeoutMs) {
  std::optional<std::string> request = CommandWire::request(topic, command);
  if (!request.has_value()) {
    return Result{std::nullopt, Failure::TooLong};
  }
  std::optional<std::string> path = CommandServer::socketPath(service);
  if (!path.has_value()) {
    return Result{std::nullopt, Failure::NoService};
  }
  return sendBytes(*path, *request, timeoutMs);
}

CommandClient::Result CommandClient::sendBytes(const std::string& path, std::string_view bytes,
                                               int timeoutMs) {
  const SocketAddress address(path);
  int fd = address.valid() ? socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0) : -1;
  if (fd < 0) {
    return Result{std::nullopt, Failure::NoService};
  }
  // A local connect does not wait for the service: it succeeds into the backlog or fails at once.
  if (connect(fd, address.get(), address.size()) != 0) {
    close(fd);
    return Result{std::nullopt, Failure::NoService};
  }
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  Result result;
  if (sendAll(fd, bytes, deadline)) {
    shutdown(fd, SHUT_WR);  // the request ends here, also when it has no final 0 byte
  }
  // Also after a failed send: a service that refused a request part-way has answered before closing.
  result.answer = CommandWire::parseAnswer(readAnswer(fd, deadline));
  close(fd);
  return result;
}

}  // namespace native
