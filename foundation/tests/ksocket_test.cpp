#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <string>

#include "foundation/kstring.h"
#include "foundation/ktcpsocket.h"
#include "foundation/kudpsocket.h"
#include "foundation/kx.h"

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

int32_t KxCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const KX& failure) {
    return failure.Code();
  }
  return 0;
}

std::string Narrow(const KString& text) {
  return text.ToUtf8();
}

KString Settings(int32_t type, int32_t port) {
  KString text;
  KTCPSocket::FormatSettings(text, type, kLoopback, port) ||
      KUDPSocket::FormatSettings(text, type, kLoopback, port);
  return text;
}

void Send(KStream& stream, std::string_view bytes) {
  stream.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
}

std::string Receive(KStream& stream, int32_t count) {
  std::string bytes(static_cast<size_t>(count), '\0');
  stream.ReadExact(bytes.data(), count);
  return bytes;
}

// ---- addresses and settings -----------------------------------------------------------------------------

TEST(KSocket, DottedTextConvertsBothWays) {
  struct Case {
    const char* text;
    uint32_t address;
  } cases[] = {{"1.2.3.4", 0x01020304}, {"127.0.0.1", kLoopback},        {" 10.0.200.7 ", 0x0A00C807},
               {"0.0.0.0", 0},          {"255.255.255.255", 0xFFFFFFFF}, {"001.002.003.004", 0x01020304}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    uint32_t address = 99;
    ASSERT_TRUE(KSocket::TextToAddress(KString(c.text), address));
    EXPECT_EQ(address, c.address);
    KString text("@");
    KSocket::AddressToText(text, address);
    uint32_t again = 0;
    EXPECT_TRUE(KSocket::TextToAddress(KString(Narrow(text).substr(1).c_str()), again));
    EXPECT_EQ(again, c.address);
  }
  KString text;
  KSocket::AddressToText(text, 0xC0A80001);
  EXPECT_EQ(Narrow(text), "192.168.0.1");
}

TEST(KSocket, TextThatIsNotDottedIpv4IsRefused) {
  for (const char* text : {"", "256.1.1.1", "1.2.3", "1.2.3.4.5", "1..2.3", "a.b.c.d", "1.2.3.4 x",
                           "1234.1.1.1", ".1.2.3", "1.2.3.", "-1.2.3.4", "1.2.3.4,", "localhost"}) {
    SCOPED_TRACE(text);
    uint32_t address = 99;
    EXPECT_FALSE(KSocket::TextToAddress(KString(text), address));
    EXPECT_EQ(address, 99u);
  }
}

TEST(KSocket, NetworkSettingsFormatAndParse) {
  struct Case {
    bool udp;
    int32_t type;
    uint32_t address;
    int32_t port;
    const char* text;  // null when refused
  } cases[] = {
      {false, -1, kLoopback, 2000, "-1,127.0.0.1,2000"},
      {false, -2, 0, 80, "-2,0.0.0.0,80"},
      {true, -3, 0xFFFFFFFF, 65535, "-3,255.255.255.255,65535"},
      {false, -3, kLoopback, 1, nullptr},
      {true, -1, kLoopback, 1, nullptr},
      {false, -1, kLoopback, 65536, nullptr},
      {true, -3, kLoopback, -1, nullptr},
      {false, 3, kLoopback, 1, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.port);
    KString text("unchanged");
    bool written = c.udp ? KUDPSocket::FormatSettings(text, c.type, c.address, c.port)
                         : KTCPSocket::FormatSettings(text, c.type, c.address, c.port);
    EXPECT_EQ(written, c.text != nullptr);
    if (c.text == nullptr) {
      EXPECT_EQ(Narrow(text), "unchanged");
      continue;
    }
    EXPECT_EQ(Narrow(text), c.text);
    uint32_t address = 0;
    int32_t port = 0;
    EXPECT_TRUE(KTCPSocket::ParseAddress(text, address));
    EXPECT_EQ(address, c.address);
    EXPECT_TRUE(KUDPSocket::ParsePort(text, port));
    EXPECT_EQ(port, c.port);
  }
}

TEST(KSocket, FieldParsersRefuseMissingOrBadFields) {
  struct Case {
    const char* text;
    bool addressOk;
    bool portOk;
  } cases[] = {{"-1", false, false},
               {"-1,10.0.0.1", true, false},
               {"-1,,2000", false, true},
               {"-1,host,2000", false, true},
               {"-1,10.0.0.1,70000", true, false},
               {"-1,10.0.0.1,-5", true, false},
               {"-1,10.0.0.1, 2000 ", true, true},
               {"-1,0,1950", true, true},
               {"-1,00,1950", false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    uint32_t address = 99;
    int32_t port = 99;
    EXPECT_EQ(KSocket::ParseAddress(KString(c.text), address), c.addressOk);
    EXPECT_EQ(KSocket::ParsePort(KString(c.text), port), c.portOk);
    if (!c.addressOk) {
      EXPECT_EQ(address, 0u);
    }
    if (!c.portOk) {
      EXPECT_EQ(port, 0);
    }
  }
}

TEST(KSocket, OpenRefusesSettingsOfAnotherLink) {
  struct Case {
    bool udp;
    const char* text;
  } cases[] = {{false, "-3,127.0.0.1,5000"},
               {false, "5,9600,8,N,1.0"},
               {false, "-1,host,80"},
               {false, "-1,127.0.0.1"},
               {false, ""},
               {true, "-1,127.0.0.1,5000"},
               {true, "-3,127.0.0.1,port"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    KTCPSocket tcp;
    KUDPSocket udp;
    KSocket& socket = c.udp ? static_cast<KSocket&>(udp) : tcp;
    EXPECT_EQ(KxCode([&] { socket.OpenSettings(KString(c.text)); }), kErrSerial);
    EXPECT_FALSE(socket.IsOpen());
  }
}

// ---- TCP on loopback --------------------------------------------------------------------------------------

class TcpLoopback : public testing::Test {
 protected:
  void SetUp() override {
    listener.SetTimeout(2000);
    listener.OpenSettings(Settings(-2, 0));
    ASSERT_TRUE(listener.IsListener());
    port = listener.LocalPort();
    ASSERT_GT(port, 0);
  }
  void Connect(KTCPSocket& client) {
    client.SetTimeout(2000);
    client.OpenSettings(Settings(-1, port));
  }

  KTCPSocket listener;
  int32_t port = 0;
};

TEST_F(TcpLoopback, ConnectAndListenRoundTrip) {
  KTCPSocket client;
  Connect(client);
  Send(client, "hello");
  EXPECT_EQ(Receive(listener, 5), "hello");
  EXPECT_TRUE(listener.HasPeer());
  Send(listener, "world!");
  EXPECT_EQ(Receive(client, 6), "world!");
}

TEST_F(TcpLoopback, ConnectionToAddressZeroReachesThisMachine) {
  KTCPSocket client;
  client.SetTimeout(2000);
  KString settings("-1,0,");
  settings.AppendInt(port);
  client.OpenSettings(settings);
  Send(client, "zero");
  EXPECT_EQ(Receive(listener, 4), "zero");
}

TEST_F(TcpLoopback, ListenerServesOnePeerAtATime) {
  KTCPSocket first;
  KTCPSocket second;
  Connect(first);
  Send(first, "1");
  EXPECT_EQ(Receive(listener, 1), "1");
  Connect(second);  // waits in the listener's queue
  Send(listener, "to first");
  EXPECT_EQ(Receive(first, 8), "to first");
  second.SetTimeout(30);
  EXPECT_EQ(KxCode([&] { Receive(second, 1); }), kErrSerialTimeout);

  first.Close();
  char byte;
  EXPECT_EQ(listener.Read(&byte, 1), 0) << "the first peer hung up";
  EXPECT_FALSE(listener.HasPeer());
  Send(listener, "to second");
  second.SetTimeout(2000);
  EXPECT_EQ(Receive(second, 9), "to second");
}

TEST_F(TcpLoopback, NothingWaitsPastTheTimeOut) {
  listener.SetTimeout(20);
  char byte;
  EXPECT_EQ(KxCode([&] { listener.Read(&byte, 1); }), kErrSerialTimeout) << "nobody called";
  EXPECT_EQ(KxCode([&] { Send(listener, "x"); }), kErrSerialBusy) << "nobody to write to";

  KTCPSocket client;
  Connect(client);
  client.SetTimeout(20);
  EXPECT_EQ(KxCode([&] { client.Read(&byte, 1); }), kErrSerialTimeout);
}

TEST_F(TcpLoopback, ConnectionRefusedIsAnOpenError) {
  listener.Close();
  KTCPSocket client;
  client.SetTimeout(500);
  EXPECT_EQ(KxCode([&] { client.OpenSettings(Settings(-1, port)); }), kErrSerial);
  EXPECT_FALSE(client.IsOpen());
  EXPECT_EQ(KxCode([&] { Send(client, "x"); }), kErrSerialNotOpen);
}

TEST_F(TcpLoopback, ReadNeverWritesPastItsBuffer) {
  KTCPSocket client;
  Connect(client);
  Send(client, std::string(300, 'z'));
  char buffer[24];
  std::memset(buffer, '#', sizeof buffer);
  int32_t got = listener.Read(buffer, 8);
  EXPECT_GE(got, 1);
  EXPECT_LE(got, 8);
  for (size_t i = static_cast<size_t>(got); i < sizeof buffer; ++i) {
    EXPECT_EQ(buffer[i], '#');
  }
}

// ---- UDP on loopback
// ---------------------------------------------------------------------------------------

// A plain UDP socket bound to a loopback port, playing the other end.
class UdpPeer {
 public:
  UdpPeer() {
    fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(kLoopback);
    bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
    socklen_t length = sizeof local;
    getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
    port = ntohs(local.sin_port);
    timeval wait{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  }
  ~UdpPeer() { close(fd); }
  // Receives one datagram and remembers its sender.
  std::string Receive() {
    char buffer[2048];
    socklen_t length = sizeof sender;
    ssize_t n = recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &length);
    return n < 0 ? std::string() : std::string(buffer, static_cast<size_t>(n));
  }
  void Reply(std::string_view bytes) {
    sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&sender), sizeof sender);
  }

  int fd;
  int32_t port;
  sockaddr_in sender{};
};

TEST(KUDPSocket, DatagramsRoundTripOnLoopback) {
  UdpPeer peer;
  KUDPSocket socket;
  socket.SetTimeout(2000);
  socket.OpenSettings(Settings(-3, peer.port));
  Send(socket, "first");
  Send(socket, "second");
  EXPECT_EQ(peer.Receive(), "first");
  EXPECT_EQ(peer.Receive(), "second");
  peer.Reply("answer");
  EXPECT_EQ(Receive(socket, 6), "answer");
}

TEST(KUDPSocket, LongDatagramsComeOutInPiecesWithoutOverrun) {
  UdpPeer peer;
  KUDPSocket socket;
  socket.SetTimeout(2000);
  socket.OpenSettings(Settings(-3, peer.port));
  Send(socket, "go");
  ASSERT_EQ(peer.Receive(), "go");
  std::string reply;
  for (int i = 0; i < 100; ++i) {
    reply += static_cast<char>('a' + i % 26);
  }
  peer.Reply(reply);
  std::string collected;
  while (collected.size() < reply.size()) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    int32_t got = socket.Read(buffer, 10);
    ASSERT_GE(got, 1);
    ASSERT_LE(got, 10);
    for (size_t i = static_cast<size_t>(got); i < sizeof buffer; ++i) {
      ASSERT_EQ(buffer[i], '#');
    }
    collected.append(buffer, static_cast<size_t>(got));
  }
  EXPECT_EQ(collected, reply);
}

TEST(KUDPSocket, TimeOutsAndLimits) {
  UdpPeer peer;
  KUDPSocket socket;
  socket.SetTimeout(20);
  char byte;
  EXPECT_EQ(KxCode([&] { socket.Read(&byte, 1); }), kErrSerialNotOpen);
  socket.OpenSettings(Settings(-3, peer.port));
  EXPECT_EQ(KxCode([&] { socket.Read(&byte, 1); }), kErrSerialTimeout);
  std::string tooLong(KUDPSocket::kMaxDatagram + 1, 'x');
  EXPECT_EQ(KxCode([&] { Send(socket, tooLong); }), kErrSerialTransmit);
  socket.Close();
  socket.Close();
  EXPECT_FALSE(socket.IsOpen());
}

}  // namespace
