#pragma once
// One end of a TCP link that never waits: it connects to a peer or listens for one, as a network settings
// text says ("-1,address,port" connect, "-2,address,port" listen), and every call returns at once with what
// the system can do now. The GUI thread drives it from its idle tick.

#include <netinet/in.h>

#include <cstdint>

#include "foundation/kstring.h"

class TcpEndpoint {
 public:
  TcpEndpoint() = default;
  TcpEndpoint(const TcpEndpoint&) = delete;
  TcpEndpoint& operator=(const TcpEndpoint&) = delete;
  ~TcpEndpoint();

  // Reads the settings text and, for a listener, starts listening. Address 0 means the loopback address for
  // a connection and every local address for a listener. False (and closed) for a text that is not a TCP
  // link with a port above 0, or a listening port the system refuses.
  bool Open(const KString& settings);
  void Close();
  bool IsOpen() const { return type != 0; }
  bool IsListener() const;

  // Connection side: starts a connection attempt when none is made or under way; false when the system
  // refused it at once.
  bool StartConnect();
  bool IsConnecting() const { return connecting; }
  // Completes a connection under way, or takes a waiting caller on a listener (a newer caller replaces the
  // current peer, so that a peer that went silent cannot lock the link). True when a new peer came.
  bool Service();
  bool HasPeer() const { return peer >= 0 && !connecting; }
  void DropPeer();

  // Takes up to `count` received bytes: how many, 0 when none are waiting, -1 when the peer sends nothing
  // more (it closed its sending side, or the connection broke). The peer stays until DropPeer, so that what
  // it is owed can still be sent.
  int32_t Receive(uint8_t* bytes, int32_t count);
  // Hands bytes to the system: how many it took now (maybe fewer than `count`), -1 when the peer went away.
  int32_t Send(const uint8_t* bytes, int32_t count);

  // The descriptors a message loop may wait on for this link's next event: the listening socket and the
  // peer's (or the connection under way); -1 when there is none.
  int ListenerDescriptor() const { return listener; }
  int PeerDescriptor() const { return peer; }

 private:
  int32_t type = 0;  // 0 closed, else the settings text's link type
  sockaddr_in endpoint{};
  int listener = -1;
  int peer = -1;
  bool connecting = false;
};
