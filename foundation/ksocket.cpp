#include "foundation/ksocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "foundation/kstreammenu.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"

namespace {

constexpr int32_t kAddressField = 1;
constexpr int32_t kPortField = 2;

}  // namespace

void KSocket::Fail(int32_t code, int32_t detail) {
  throw KXSerialPort(code, detail);
}

KSocket::~KSocket() {
  KSocket::Close();
}

bool KSocket::TextToAddress(const KString& text, uint32_t& address) {
  KString trimmed(text);
  trimmed.Trim();
  uint32_t result = 0;
  int32_t parts = 0;
  int32_t digits = 0;
  uint32_t part = 0;
  for (int32_t i = 0; i <= trimmed.Length(); ++i) {
    char16_t c = i < trimmed.Length() ? trimmed[i] : u'.';
    if (c >= u'0' && c <= u'9') {
      part = part * 10 + (c - u'0');
      if (++digits > 3 || part > 255) {
        return false;
      }
    } else if (c == u'.' && digits > 0 && parts < 4) {
      result = (result << 8) | part;
      ++parts;
      digits = 0;
      part = 0;
    } else {
      return false;
    }
  }
  if (parts != 4) {
    return false;
  }
  address = result;
  return true;
}

void KSocket::AddressToText(KString& text, uint32_t address) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    text.AppendInt((address >> shift) & 0xFF);
    if (shift > 0) {
      text.AppendChar(u'.');
    }
  }
}

bool KSocket::ParseAddress(const KString& text, uint32_t& address) {
  KString field;
  address = 0;
  if (!field.GetField(text, kAddressField, u',')) {
    return false;
  }
  field.Trim();
  return KString::Equals(field, KString(u"0")) || TextToAddress(field, address);
}

bool KSocket::ParsePort(const KString& text, int32_t& port) {
  KString field;
  int32_t value = 0;
  port = 0;
  if (!field.GetField(text, kPortField, u',')) {
    return false;
  }
  field.Trim();
  if (!field.ParseInt(value) || value < 0 || value > 65535) {
    return false;
  }
  port = value;
  return true;
}

bool KSocket::FormatNetwork(KString& text, int32_t type, uint32_t address, int32_t port) {
  if (port < 0 || port > 65535) {
    return false;
  }
  text.Clear();
  text.AppendInt(type).AppendChar(u',');
  AddressToText(text, address);
  text.AppendChar(u',').AppendInt(port);
  return true;
}

sockaddr_in KSocket::ParseEndpoint(const KString& settings, int32_t type) {
  int32_t givenType = 0;
  uint32_t address = 0;
  int32_t port = 0;
  if (!KStreamMenu::ParseType(settings, givenType) || givenType != type || !ParseAddress(settings, address) ||
      !ParsePort(settings, port)) {
    Fail(kErrSerial);
  }
  if (address == 0 && type == KStreamMenu::kTcpConnect) {
    address = INADDR_LOOPBACK;  // nothing listens on "any address": a connection to 0 means this machine
  }
  sockaddr_in endpoint{};
  endpoint.sin_family = AF_INET;
  endpoint.sin_addr.s_addr = htonl(address);
  endpoint.sin_port = htons(static_cast<uint16_t>(port));
  return endpoint;
}

void KSocket::CreateDescriptor(int type) {
  descriptor = socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (descriptor < 0) {
    Fail(kErrSerial, errno);
  }
}

void KSocket::Close() {
  if (descriptor >= 0) {
    close(descriptor);
    descriptor = -1;
  }
}

int32_t KSocket::LocalPort() const {
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (descriptor < 0 || getsockname(descriptor, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
    return 0;
  }
  return ntohs(local.sin_port);
}

KSocket::Deadline KSocket::StartWaiting() const {
  return KDeadline::After(timeoutMs);
}

void KSocket::SendAll(int fd, const uint8_t* bytes, int32_t count, Deadline deadline,
                      const sockaddr_in* target) {
  int32_t sent = 0;
  do {
    if (!deadline.WaitFor(fd, POLLOUT)) {
      Fail(kErrSerialBusy, sent);
    }
    ssize_t written =
        sendto(fd, bytes + sent, static_cast<size_t>(count - sent), MSG_NOSIGNAL,
               reinterpret_cast<const sockaddr*>(target), target != nullptr ? sizeof *target : 0);
    if (written < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    }
    if (written < 0) {
      Fail(kErrSerialTransmit, errno);
    }
    sent += static_cast<int32_t>(written);
  } while (sent < count);
}

bool KSocketStartup() {
  return true;
}

void KSocketCleanup() {}
