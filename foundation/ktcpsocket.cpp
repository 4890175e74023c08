#include "foundation/ktcpsocket.h"

#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "foundation/kstreammenu.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"

KTCPSocket::~KTCPSocket() {
  KTCPSocket::Close();
}

bool KTCPSocket::FormatSettings(KString& text, int32_t type, uint32_t address, int32_t port) {
  if (type != KStreamMenu::kTcpConnect && type != KStreamMenu::kTcpListen) {
    return false;
  }
  return FormatNetwork(text, type, address, port);
}

void KTCPSocket::OpenSettings(const KString& settings) {
  Close();
  int32_t type = 0;
  if (!KStreamMenu::ParseType(settings, type) ||
      (type != KStreamMenu::kTcpConnect && type != KStreamMenu::kTcpListen)) {
    Fail(kErrSerial);
  }
  const sockaddr_in endpoint = ParseEndpoint(settings, type);
  try {
    if (type == KStreamMenu::kTcpConnect) {
      Connect(endpoint);
    } else {
      Listen(endpoint);
    }
  } catch (...) {
    Close();
    throw;
  }
}

void KTCPSocket::Connect(const sockaddr_in& endpoint) {
  CreateDescriptor(SOCK_STREAM);
  if (connect(descriptor, reinterpret_cast<const sockaddr*>(&endpoint), sizeof endpoint) != 0) {
    if (errno != EINPROGRESS) {
      Fail(kErrSerial, errno);
    }
    if (!StartWaiting().WaitFor(descriptor, POLLOUT)) {
      Fail(kErrSerialTimeout);
    }
    int error = 0;
    socklen_t length = sizeof error;
    getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &length);
    if (error != 0) {
      Fail(kErrSerial, error);
    }
  }
  // Commands and scoreboard lines are small; send each at once.
  int on = 1;
  setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

void KTCPSocket::Listen(const sockaddr_in& endpoint) {
  CreateDescriptor(SOCK_STREAM);
  int on = 1;
  // A program restarted at once may listen on its port again while old connections linger.
  setsockopt(descriptor, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (bind(descriptor, reinterpret_cast<const sockaddr*>(&endpoint), sizeof endpoint) != 0 ||
      listen(descriptor, 1) != 0) {
    Fail(kErrSerial, errno);
  }
  listening = true;
}

void KTCPSocket::Close() {
  DropPeer();
  listening = false;
  KSocket::Close();
}

void KTCPSocket::DropPeer() {
  if (peer >= 0) {
    close(peer);
    peer = -1;
  }
}

int KTCPSocket::Carrier(Deadline deadline) {
  if (!listening || peer >= 0) {
    return listening ? peer : descriptor;
  }
  if (!deadline.WaitFor(descriptor, POLLIN)) {
    return -1;
  }
  peer = accept4(descriptor, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (peer >= 0) {
    int on = 1;
    setsockopt(peer, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  }
  return peer;
}

int32_t KTCPSocket::ReadRaw(void* buffer, int32_t count) {
  if (!IsOpen()) {
    Fail(kErrSerialNotOpen);
  }
  const Deadline deadline = StartWaiting();
  const int fd = Carrier(deadline);
  if (fd < 0) {
    Fail(kErrSerialTimeout);
  }
  for (;;) {
    if (!deadline.WaitFor(fd, POLLIN)) {
      Fail(kErrSerialTimeout);
    }
    ssize_t got = recv(fd, buffer, static_cast<size_t>(count), 0);
    if (got > 0) {
      return static_cast<int32_t>(got);
    }
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    }
    if (got < 0 && fd == descriptor) {
      Fail(kErrSerialReceive, errno);
    }
    // The peer closed (or broke) its side: the stream ends for this peer, and a listener waits for the next.
    if (listening) {
      DropPeer();
    }
    return 0;
  }
}

void KTCPSocket::WriteRaw(const void* buffer, int32_t count) {
  if (!IsOpen()) {
    Fail(kErrSerialNotOpen);
  }
  const Deadline deadline = StartWaiting();
  const int fd = Carrier(deadline);
  if (fd < 0) {
    Fail(kErrSerialBusy);  // a listener that nobody has called
  }
  try {
    SendAll(fd, static_cast<const uint8_t*>(buffer), count, deadline);
  } catch (const KX&) {
    if (listening) {
      DropPeer();
    }
    throw;
  }
}
