#include "devices/tcpendpoint.h"

#include <arpa/inet.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "foundation/ksocket.h"
#include "foundation/kstreammenu.h"

namespace {

int NewSocket() {
  return socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

void SendAtOnce(int fd) {
  // Requests and answers are small; each goes out as soon as it is written.
  int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// The address field: dotted IPv4, or a plain "0" for address 0 as the default settings text writes it.
bool ParseAddress(const KString& settings, uint32_t& address) {
  KString field;
  if (field.GetField(settings, 1, u',')) {
    field.Trim();
    if (field == KString(u"0")) {
      address = 0;
      return true;
    }
  }
  return KSocket::ParseAddress(settings, address);
}

}  // namespace

TcpEndpoint::~TcpEndpoint() {
  Close();
}

bool TcpEndpoint::Open(const KString& settings) {
  Close();
  int32_t linkType = 0;
  uint32_t address = 0;
  int32_t port = 0;
  if (!KStreamMenu::ParseType(settings, linkType) ||
      (linkType != KStreamMenu::kTcpConnect && linkType != KStreamMenu::kTcpListen) ||
      !ParseAddress(settings, address) || !KSocket::ParsePort(settings, port) || port == 0) {
    return false;
  }
  if (linkType == KStreamMenu::kTcpConnect && address == 0) {
    address = INADDR_LOOPBACK;
  }
  endpoint = sockaddr_in{};
  endpoint.sin_family = AF_INET;
  endpoint.sin_addr.s_addr = htonl(address);
  endpoint.sin_port = htons(static_cast<uint16_t>(port));
  type = linkType;
  if (linkType == KStreamMenu::kTcpListen) {
    listener = NewSocket();
    int on = 1;
    // A program restarted at once may listen on its port again while old connections linger.
    if (listener < 0 || setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        bind(listener, reinterpret_cast<const sockaddr*>(&endpoint), sizeof endpoint) != 0 ||
        listen(listener, 4) != 0) {
      Close();
      return false;
    }
  }
  return true;
}

void TcpEndpoint::Close() {
  DropPeer();
  if (listener >= 0) {
    close(listener);
    listener = -1;
  }
  type = 0;
}

bool TcpEndpoint::IsListener() const {
  return type == KStreamMenu::kTcpListen;
}

void TcpEndpoint::DropPeer() {
  if (peer >= 0) {
    close(peer);
    peer = -1;
  }
  connecting = false;
}

bool TcpEndpoint::StartConnect() {
  if (type != KStreamMenu::kTcpConnect || peer >= 0) {
    return peer >= 0;
  }
  peer = NewSocket();
  if (peer < 0) {
    return false;
  }
  SendAtOnce(peer);
  // Even a connection made at once is reported by the next Service, like one that takes its time.
  if (connect(peer, reinterpret_cast<const sockaddr*>(&endpoint), sizeof endpoint) == 0 ||
      errno == EINPROGRESS) {
    connecting = true;
    return true;
  }
  DropPeer();
  return false;
}

bool TcpEndpoint::Service() {
  if (connecting) {
    pollfd ready{peer, POLLOUT, 0};
    if (poll(&ready, 1, 0) <= 0) {
      return false;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(peer, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
      DropPeer();
      return false;
    }
    connecting = false;
    return true;
  }
  if (listener >= 0) {
    const int caller = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (caller >= 0) {
      DropPeer();
      peer = caller;
      SendAtOnce(peer);
      return true;
    }
  }
  return false;
}

int32_t TcpEndpoint::Receive(uint8_t* bytes, int32_t count) {
  if (!HasPeer()) {
    return 0;
  }
  const ssize_t got = recv(peer, bytes, static_cast<size_t>(count), MSG_DONTWAIT);
  if (got > 0) {
    return static_cast<int32_t>(got);
  }
  if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
    return 0;
  }
  return -1;  // closed by the peer (0) or broken
}

int32_t TcpEndpoint::Send(const uint8_t* bytes, int32_t count) {
  if (!HasPeer()) {
    return -1;
  }
  const ssize_t sent = send(peer, bytes, static_cast<size_t>(count), MSG_DONTWAIT | MSG_NOSIGNAL);
  if (sent >= 0) {
    return static_cast<int32_t>(sent);
  }
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
    return 0;
  }
  DropPeer();
  return -1;
}
