// Sends the fuzzed bytes as a photo-finish system would over TCP to a reaction-time link listening on the
// loopback, closes its sending side, and polls the link while reading its answers, until the link has
// nothing more to do. Whatever the requests, the link answers each one it counts with exactly one RRP or RNR
// frame, never more than a frame can carry, and lets the peer go once it has answered them all.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "devices/databaseframe.h"
#include "devices/reactiontimelink.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// The whole input is sent before the link reads any of it, so it must fit the socket buffers: larger
// inputs are skipped.
constexpr size_t kMaxInput = 64 * 1024;
// Polls with nothing new in a row after which the link is taken to have read everything.
constexpr int32_t kQuietPolls = 2;
// A link that is still busy after this many polls does not keep up with what it is sent.
constexpr int32_t kMaxPolls = 100000;

sockaddr_in Loopback(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

// A loopback port free when the run starts; every input's link listens on it.
uint16_t ListenPort() {
  static const uint16_t port = [] {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    Check(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
          getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0);
    close(probe);
    return ntohs(address.sin_port);
  }();
  return port;
}

// Race 1 has results; race 9 has more than a frame carries; no other race has any.
bool Answer(const KString& event, const KString&, const KString&, std::vector<KString>& lines) {
  if (event == KString(u"1")) {
    lines = {KString(u"1,1,1,100 m"), KString(u"1,3,Berg,Ann,Club,,0,0.150,0,")};
    return true;
  }
  if (event == KString(u"9")) {
    lines.assign(1, KString());
    for (int32_t i = 0; i <= DatabaseFrame::kMaxPayloadBytes; ++i) {
      lines[0].AppendChar(u'x');
    }
    return true;
  }
  return false;
}

// The photo-finish side's connection to the link. The fuzzer's timer signal may interrupt the connect, which
// then goes on by itself: its end is waited for.
int ConnectedPeer() {
  const int peer = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(ListenPort());
  if (connect(peer, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    Check(errno == EINTR);
    pollfd done{peer, POLLOUT, 0};
    while (poll(&done, 1, -1) < 0) {
      Check(errno == EINTR);
    }
    int error = 0;
    socklen_t length = sizeof error;
    Check(getsockopt(peer, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0);
  }
  return peer;
}

// Sends the whole input, however often the timer signal interrupts the sending.
void SendAll(int peer, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t sent = send(peer, data, size, MSG_NOSIGNAL);
    Check(sent > 0 || (sent < 0 && errno == EINTR));
    if (sent > 0) {
      data += sent;
      size -= static_cast<size_t>(sent);
    }
  }
}

// The photo-finish side: reads whatever the link sent so far; false when nothing came.
bool ReadAnswers(int peer, DatabaseFrameReader& answers) {
  uint8_t bytes[4096];
  bool any = false;
  for (;;) {
    const ssize_t got = recv(peer, bytes, sizeof bytes, MSG_DONTWAIT);
    if (got <= 0) {
      return any;
    }
    answers.Feed(bytes, static_cast<size_t>(got));
    any = true;
  }
}

// Grows with every byte the link takes from the peer, whatever becomes of it.
int64_t Taken(const ReactionTimeLink& link) {
  const DatabaseFrameReader& reader = link.Reader();
  return int64_t{link.AnsweredRequests()} + link.OddFrames() + reader.IgnoredBytes() + reader.BrokenFrames() +
         reader.BadChecksums() + static_cast<int64_t>(reader.Pending());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) {
    return 0;
  }
  ReactionTimeLink link(Answer, [] { return int64_t{0}; });
  KString settings(u"-2,127.0.0.1,");
  Check(link.Open(settings.AppendInt(ListenPort()), 1));
  const int peer = ConnectedPeer();
  SendAll(peer, data, size);
  shutdown(peer, SHUT_WR);

  DatabaseFrameReader answers;
  int32_t frames = 0;
  int32_t polls = 0;
  for (int32_t quiet = 0; quiet < kQuietPolls; ++polls) {
    Check(polls < kMaxPolls);
    const int64_t before = Taken(link);
    link.Poll();
    const bool answered = ReadAnswers(peer, answers);
    quiet = answered || Taken(link) != before ? 0 : quiet + 1;
    DatabaseFrame answer;
    while (answers.Next(answer)) {
      Check(answer.code == "RRP" || answer.code == "RNR");
      ++frames;
    }
  }
  Check(!link.HasPeer());
  Check(frames == link.AnsweredRequests());
  Check(answers.BrokenFrames() == 0 && answers.BadChecksums() == 0 && answers.Pending() == 0);
  close(peer);
  return 0;
}
