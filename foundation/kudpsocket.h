#pragma once
// KUDPSocket: a UDP link named by a settings text "-3,address,port": every write goes out as one datagram
// to the address and port (255.255.255.255 broadcasts on the local network), and reads give the datagrams
// that come back to the socket.

#include <memory>

#include "foundation/ksocket.h"

// A datagram longer than a read's buffer is handed out over several reads, never cut and never written
// past the buffer.
class KUDPSocket : public KSocket {
 public:
  // The largest datagram UDP carries over IPv4.
  static constexpr int32_t kMaxDatagram = 65507;

  KUDPSocket() = default;
  ~KUDPSocket() override;

  // Replaces the text with "-3,address,port"; false (text unchanged) for another type or a port outside
  // 0-65535.
  static bool FormatSettings(KString& text, int32_t type, uint32_t address, int32_t port);

  void OpenSettings(const KString& settings) override;
  void Close() override;

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override;
  void WriteRaw(const void* buffer, int32_t count) override;

 private:
  sockaddr_in target{};
  std::unique_ptr<uint8_t[]> datagram;  // the datagram being handed out
  int32_t datagramLength = 0;
  int32_t datagramOffset = 0;
};
