#pragma once
// KTCPSocket: a TCP link named by a settings text, either connecting to a peer ("-1,address,port") or
// listening for one ("-2,address,port"; address 0 listens on every interface).

#include "foundation/ksocket.h"

// A listener serves one peer at a time: a read or write without a peer waits (within the time-out) for the
// next connection, and a peer that hangs up is let go so that the next one can come. Reads give what has
// arrived; 0 means the peer has closed its side.
class KTCPSocket : public KSocket {
 public:
  KTCPSocket() = default;
  ~KTCPSocket() override;

  // Replaces the text with "-1,address,port" or "-2,address,port"; false (text unchanged) for another type
  // or a port outside 0-65535.
  static bool FormatSettings(KString& text, int32_t type, uint32_t address, int32_t port);

  void OpenSettings(const KString& settings) override;
  void Close() override;
  bool IsListener() const { return listening; }
  bool HasPeer() const { return peer >= 0; }

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override;
  void WriteRaw(const void* buffer, int32_t count) override;

 private:
  void Connect(const sockaddr_in& endpoint);
  void Listen(const sockaddr_in& endpoint);
  // The descriptor that carries bytes: the connection, or the listener's current peer (accepted now when
  // there is none, by the deadline; -1 when none came).
  int Carrier(Deadline deadline);
  void DropPeer();

  bool listening = false;
  int peer = -1;  // a listener's accepted connection
};
