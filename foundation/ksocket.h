#pragma once
// KSocket: the network links a settings text can name in place of a serial port ("-1,address,port" a TCP
// connection, "-2,address,port" a TCP listener, "-3,address,port" UDP). Holds what the TCP and UDP
// streams share: IPv4 addresses as text, the settings fields, and waiting with a time-out.

#include <netinet/in.h>

#include <cstdint>

#include "foundation/kdeadline.h"
#include "foundation/kstream.h"

class KString;

// Addresses are IPv4 in host order: "1.2.3.4" is 0x01020304; 0 is any address, 0xFFFFFFFF broadcast.
// No call waits longer than the time-out: reads throw KXSerialPort 5002 when nothing came in time.
class KSocket : public KStream {
 public:
  static constexpr int32_t kDefaultTimeoutMs = 1000;

  ~KSocket() override;

  // Dotted IPv4 text (blanks around it ignored) to an address; false, leaving the address, when the text
  // is not four decimal numbers of 0-255 separated by dots.
  static bool TextToAddress(const KString& text, uint32_t& address);
  // Appends the dotted form.
  static void AddressToText(KString& text, uint32_t address);
  // Field 1 of a network settings text, the address; false (address 0) when missing or not dotted IPv4.
  // A lone "0" is address 0, as in the default link text "-1,0,1950": the loopback address for a
  // connection, every local address for a listener.
  static bool ParseAddress(const KString& text, uint32_t& address);
  // Field 2, the IP port 0-65535; false (port 0) when missing or not a port number.
  static bool ParsePort(const KString& text, int32_t& port);

  // Closes what the socket holds, then opens the link the settings text names. Throws KXSerialPort: 5000
  // for a text of another link type or fields that do not parse, or a refused connection or address (errno
  // as detail); 5002 when a connection is not made within the time-out.
  virtual void OpenSettings(const KString& settings) = 0;
  // Harmless when closed.
  virtual void Close();
  bool IsOpen() const { return descriptor >= 0; }
  // The longest wait of one call in ms (negative waits for ever).
  void SetTimeout(int32_t milliseconds) { timeoutMs = milliseconds; }
  int32_t Timeout() const { return timeoutMs; }
  // The local port of the socket (what a listener or UDP socket opened on port 0 was given); 0 when closed.
  int32_t LocalPort() const;

 protected:
  KSocket() = default;

  // Throws the link failure with its code and detail word (errno or a byte count).
  [[noreturn]] static void Fail(int32_t code, int32_t detail = 0);
  // Replaces the text with "type,address,port"; false (text unchanged) for a port outside 0-65535.
  static bool FormatNetwork(KString& text, int32_t type, uint32_t address, int32_t port);
  // Reads the settings of a network link of the given type; throws KXSerialPort 5000 when they do not fit.
  static sockaddr_in ParseEndpoint(const KString& settings, int32_t type);
  // Creates the socket's descriptor (non-blocking); throws KXSerialPort 5000.
  void CreateDescriptor(int type);
  using Deadline = KDeadline;
  // The moment one time-out from now; a call that waits more than once (for a peer, then for its bytes)
  // shares one deadline, so that the whole call ends within the time-out.
  Deadline StartWaiting() const;
  // Sends all bytes on a connected socket, or as one datagram to `target`; KXSerialPort 5003 when the
  // system refuses, 5004 when not all bytes are taken by the deadline.
  void SendAll(int fd, const uint8_t* bytes, int32_t count, Deadline deadline,
               const sockaddr_in* target = nullptr);

  int descriptor = -1;

 private:
  int32_t timeoutMs = kDefaultTimeoutMs;
};

// Class-level set-up and clean-up of networking, called by the start routine. Linux sockets need no
// set-up; writing to a peer that went away is reported as an error of that call, never as a signal, since
// every send asks for that.
bool KSocketStartup();
void KSocketCleanup();
