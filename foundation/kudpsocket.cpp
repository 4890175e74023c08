#include "foundation/kudpsocket.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "foundation/kstreammenu.h"
#include "foundation/kx.h"

KUDPSocket::~KUDPSocket() {
  KUDPSocket::Close();
}

bool KUDPSocket::FormatSettings(KString& text, int32_t type, uint32_t address, int32_t port) {
  return type == KStreamMenu::kUdp && FormatNetwork(text, type, address, port);
}

void KUDPSocket::OpenSettings(const KString& settings) {
  Close();
  target = ParseEndpoint(settings, KStreamMenu::kUdp);
  CreateDescriptor(SOCK_DGRAM);
  int on = 1;
  setsockopt(descriptor, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  datagram = std::make_unique<uint8_t[]>(kMaxDatagram);
}

void KUDPSocket::Close() {
  datagram.reset();
  datagramLength = 0;
  datagramOffset = 0;
  KSocket::Close();
}

int32_t KUDPSocket::ReadRaw(void* buffer, int32_t count) {
  if (!IsOpen()) {
    Fail(kErrSerialNotOpen);
  }
  const Deadline deadline = StartWaiting();
  while (datagramOffset >= datagramLength) {
    if (!deadline.WaitFor(descriptor, POLLIN)) {
      Fail(kErrSerialTimeout);
    }
    ssize_t got = recv(descriptor, datagram.get(), kMaxDatagram, 0);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    }
    if (got < 0) {
      Fail(kErrSerialReceive, errno);
    }
    datagramLength = static_cast<int32_t>(got);
    datagramOffset = 0;
  }
  const int32_t n = std::min(count, datagramLength - datagramOffset);
  std::memcpy(buffer, datagram.get() + datagramOffset, static_cast<size_t>(n));
  datagramOffset += n;
  return n;
}

void KUDPSocket::WriteRaw(const void* buffer, int32_t count) {
  if (!IsOpen()) {
    Fail(kErrSerialNotOpen);
  }
  if (count > kMaxDatagram) {
    Fail(kErrSerialTransmit, count);
  }
  SendAll(descriptor, static_cast<const uint8_t*>(buffer), count, StartWaiting(), &target);
}
