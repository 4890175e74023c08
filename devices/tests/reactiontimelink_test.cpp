#include "devices/reactiontimelink.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "devices/qvschedule.h"
#include "devices/tests/photofinishtestsupport.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/yleg.h"

namespace {

using pftest::Narrow;

// The connection side names address 0 as the default text does; the listener the loopback address.
KString Settings(int32_t type, int32_t port) {
  KString text;
  return text.AppendInt(type).Append(type == -1 ? ",0," : ",127.0.0.1,").AppendInt(port);
}

std::string Request(const std::string& payload, bool checksum = true, const std::string& code = "RRQ") {
  DatabaseFrame frame;
  frame.code = code;
  frame.payload = payload;
  return frame.Encode(checksum);
}

sockaddr_in Loopback(int32_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  return address;
}

// How many of the sockets a link waits on are ready within `timeoutMs`.
int ReadySockets(const LinkWait& wait, int timeoutMs) {
  std::vector<pollfd> sockets;
  for (const LinkWait::Socket& socket : wait.sockets) {
    sockets.push_back(pollfd{socket.descriptor, socket.events, 0});
  }
  return poll(sockets.data(), sockets.size(), timeoutMs);
}

// The photo-finish side of the link: a plain blocking socket.
class Peer {
 public:
  Peer() = default;
  explicit Peer(int fd) : fd(fd) {}
  ~Peer() {
    if (fd >= 0) {
      close(fd);
    }
  }
  // A small receive buffer (bytes; 0 the system's) makes the link's answers wait for the peer to read.
  bool Connect(int32_t port, int receiveBuffer = 0) {
    fd = socket(AF_INET, SOCK_STREAM, 0);
    if (receiveBuffer > 0) {
      setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    }
    const sockaddr_in address = Loopback(port);
    return connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  }
  void Send(const std::string& bytes) const {
    ASSERT_EQ(send(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
  }
  // Polls the link and collects answer frames until `count` came or a number of rounds passed.
  std::vector<DatabaseFrame> Answers(const std::function<void()>& pollLink, size_t count,
                                     int32_t rounds = 200) {
    std::vector<DatabaseFrame> frames;
    for (int32_t round = 0; round < rounds && frames.size() < count; ++round) {
      pollLink();
      pollfd ready{fd, POLLIN, 0};
      if (poll(&ready, 1, 5) > 0) {
        char buffer[4096];
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
          break;
        }
        reader.Feed(reinterpret_cast<const uint8_t*>(buffer), static_cast<size_t>(got));
      }
      DatabaseFrame frame;
      while (reader.Next(frame)) {
        frames.push_back(frame);
      }
    }
    return frames;
  }

  int fd = -1;
  DatabaseFrameReader reader;
};

// A link whose answers come from a table of races: race 1-1-1, and race 2-1-1 whose answer is nearly as
// long as a frame carries.
class LinkTest : public ::testing::Test {
 protected:
  LinkTest()
      : link(
            [](const KString& event, const KString& round, const KString& heat, std::vector<KString>& lines) {
              if (!(round == KString(u"1") && heat == KString(u"1"))) {
                return false;
              }
              if (event == KString(u"2")) {
                lines.assign(85, KString(std::u16string(700, u'x').c_str()));
                return true;
              }
              if (event != KString(u"1")) {
                return false;
              }
              lines = {u"1,1,1,Final", u"4,id4,M\u00fcller,Ann,Club,,0,0.145,0,"};
              return true;
            },
            [this] { return now; }) {}
  void PollLink() { link.Poll(); }

  int64_t now = 1000;
  ReactionTimeLink link;
};

TEST_F(LinkTest, ARequestIsAnsweredWithTheResultLinesOrNoResults) {
  const int32_t port = pftest::FreeLoopbackPort();
  ASSERT_TRUE(link.Open(Settings(-2, port), 1));
  Peer peer;
  ASSERT_TRUE(peer.Connect(port));
  // The last request holds a NUL, which no payload may hold: it is refused, not taken for the frame's end.
  peer.Send(Request("1,1,1\r\n") + Request("\"001\",1,2\r\n", false) + Request("\r\n") +
            Request("x", true, "XYZ") + Request("1,1,1\r\n", false) + "\x01RRQ\x02" +
            std::string("1,1\0,1\r\n", 8) + "\x04");
  // A peer that stops sending at once still gets every answer, and is then let go.
  ASSERT_EQ(shutdown(peer.fd, SHUT_WR), 0);
  const std::vector<DatabaseFrame> answers = peer.Answers([this] { PollLink(); }, 6);
  ASSERT_EQ(answers.size(), 5u);
  EXPECT_EQ(answers[0].code, "RRP");
  EXPECT_EQ(answers[0].payload, "1,1,1,Final\r\n4,id4,M\xc3\xbcller,Ann,Club,,0,0.145,0,\r\n");
  EXPECT_TRUE(answers[0].hasChecksum);
  EXPECT_EQ(answers[1].code, "RNR");
  EXPECT_EQ(answers[1].payload, "\"001\",1,2\r\n");
  EXPECT_FALSE(answers[1].hasChecksum);
  EXPECT_EQ(answers[2].code, "RNR");  // no event, round and heat
  EXPECT_EQ(answers[3].code, "RRP");
  EXPECT_FALSE(answers[3].hasChecksum);
  EXPECT_EQ(answers[4].code, "RNR");
  EXPECT_EQ(answers[4].payload, "1,1 ,1\r\n");
  EXPECT_EQ(link.AnsweredRequests(), 5);
  EXPECT_EQ(link.OddFrames(), 3);
  EXPECT_FALSE(link.HasPeer());
}

TEST_F(LinkTest, ARequestWithABadSumIsNotAnswered) {
  const int32_t port = pftest::FreeLoopbackPort();
  ASSERT_TRUE(link.Open(Settings(-2, port), 0));
  Peer peer;
  ASSERT_TRUE(peer.Connect(port));
  std::string bad = Request("1,1,1\r\n");
  bad[bad.size() - 2] ^= 1;
  peer.Send(bad + Request("1,1,1\r\n"));
  const std::vector<DatabaseFrame> answers = peer.Answers([this] { PollLink(); }, 2, 20);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(link.Reader().BadChecksums(), 1);
}

TEST_F(LinkTest, ConnectsToLoopbackForAddressZeroAndRetriesOnItsClock) {
  const int32_t port = pftest::FreeLoopbackPort();
  ASSERT_TRUE(link.Open(Settings(-1, port), 0));
  link.Poll();  // nobody listens yet: the attempt fails
  link.Poll();
  EXPECT_FALSE(link.HasPeer());

  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  int on = 1;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 1), 0);
  for (int32_t i = 0; i < 5; ++i) {
    link.Poll();
  }
  EXPECT_FALSE(link.HasPeer());  // the retry time has not come
  now += ReactionTimeLink::kRetryMs;
  for (int32_t i = 0; i < 50 && !link.HasPeer(); ++i) {
    link.Poll();
    pollfd ready{listener, POLLIN, 0};
    poll(&ready, 1, 5);
  }
  ASSERT_TRUE(link.HasPeer());
  Peer peer(accept(listener, nullptr, nullptr));
  close(listener);
  peer.Send(Request("1,1,1\r\n"));
  const std::vector<DatabaseFrame> answers = peer.Answers([this] { PollLink(); }, 1);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].code, "RRP");
}

TEST_F(LinkTest, ListensOnEveryAddressForAddressZero) {
  const int32_t port = pftest::FreeLoopbackPort();
  ASSERT_TRUE(link.Open(KString(u"-2, 0 ,").AppendInt(port), 0));
  Peer peer;
  ASSERT_TRUE(peer.Connect(port));
  peer.Send(Request("1,1,1\r\n"));
  EXPECT_EQ(peer.Answers([this] { PollLink(); }, 1).size(), 1u);
}

TEST_F(LinkTest, ASilentPeerGivesWayToTheNextOne) {
  const int32_t port = pftest::FreeLoopbackPort();
  ASSERT_TRUE(link.Open(Settings(-2, port), 0));
  Peer silent;
  ASSERT_TRUE(silent.Connect(port));
  for (int32_t i = 0; i < 3; ++i) {
    link.Poll();
  }
  EXPECT_TRUE(link.HasPeer());
  Peer next;
  ASSERT_TRUE(next.Connect(port));
  next.Send(Request("1,1,1\r\n"));
  EXPECT_EQ(next.Answers([this] { PollLink(); }, 1).size(), 1u);
}

TEST_F(LinkTest, AFloodingPeerIsServedABoundedAmountPerTick) {
  const int32_t port = pftest::FreeLoopbackPort();
  ASSERT_TRUE(link.Open(Settings(-2, port), 0));
  Peer peer;
  ASSERT_TRUE(peer.Connect(port, 4096));
  // Their answers are more than the system holds for a peer that does not read.
  constexpr int32_t kRequests = 100;
  std::string flood;
  for (int32_t i = 0; i < kRequests; ++i) {
    flood += Request("2,1,1\r\n");
  }
  peer.Send(flood);
  int32_t before = 0;
  for (int32_t tick = 0; tick < 20; ++tick) {
    link.Poll();
    EXPECT_LE(link.AnsweredRequests() - before, ReactionTimeLink::kMaxRequestsPerPoll);
    EXPECT_LE(link.Reader().Pending(), static_cast<size_t>(ReactionTimeLink::kReadChunk));
    before = link.AnsweredRequests();
  }
  // Sending nothing more, and reading its answers, the peer gets every one before it is let go.
  ASSERT_EQ(shutdown(peer.fd, SHUT_WR), 0);
  const std::vector<DatabaseFrame> answers = peer.Answers([this] { PollLink(); }, kRequests + 1, 5000);
  EXPECT_EQ(answers.size(), static_cast<size_t>(kRequests));
  EXPECT_FALSE(link.HasPeer());
}

TEST_F(LinkTest, APollReadsABoundedAmountWhateverThePeerSends) {
  // Units whose bytes the reader drops whole: plain noise, a frame broken by a second STX, a bad sum.
  std::string badSum = Request("1,1,1\r\n");
  badSum[badSum.size() - 2] ^= 1;
  struct Case {
    const char* name;
    std::string unit;
  } cases[] = {
      {"noise", "line noise "},
      {"broken frames", "\x01RRQ\x02x\x02"},
      {"bad sums", badSum},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int32_t port = pftest::FreeLoopbackPort();
    ASSERT_TRUE(link.Open(Settings(-2, port), 0));
    Peer peer;
    ASSERT_TRUE(peer.Connect(port));
    // As much as the system takes at once, far more than one Poll may read.
    std::string flood;
    while (flood.size() < 64 * 1024) {
      flood += c.unit;
    }
    size_t sent = 0;
    while (sent < (size_t{1} << 20)) {
      // Each send goes on where the last one stopped, so the bytes stay a run of whole units.
      const size_t at = sent % flood.size();
      const ssize_t got = send(peer.fd, flood.data() + at, flood.size() - at, MSG_DONTWAIT);
      if (got <= 0) {
        break;
      }
      sent += static_cast<size_t>(got);
    }
    ASSERT_GT(sent, 4u * ReactionTimeLink::kMaxReadPerPoll);
    const DatabaseFrameReader& reader = link.Reader();
    const auto consumed = [&] {
      return static_cast<size_t>(reader.IgnoredBytes()) +
             static_cast<size_t>(reader.BrokenFrames() + reader.BadChecksums()) * c.unit.size() +
             reader.Pending();
    };
    const int32_t answeredBefore = link.AnsweredRequests();
    link.Poll();
    EXPECT_GT(consumed(), 0u);
    EXPECT_LE(consumed(), static_cast<size_t>(ReactionTimeLink::kMaxReadPerPoll));
    // Read in later ticks, the flood ends and a request after it is answered.
    for (int32_t tick = 0; tick < 1000 && consumed() < sent; ++tick) {
      const size_t before = consumed();
      link.Poll();
      EXPECT_LE(consumed() - before, static_cast<size_t>(ReactionTimeLink::kMaxReadPerPoll));
    }
    EXPECT_EQ(consumed(), sent);
    EXPECT_EQ(link.AnsweredRequests(), answeredBefore);
    peer.Send(Request("1,1,1\r\n"));
    const std::vector<DatabaseFrame> answers = peer.Answers([this] { PollLink(); }, 1);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].code, "RRP");
    link.Close();
  }
}

TEST_F(LinkTest, AnAnswerTooLongForAFrameIsSentAsNoResults) {
  const int32_t port = pftest::FreeLoopbackPort();
  ReactionTimeLink wordy(
      [](const KString&, const KString&, const KString&, std::vector<KString>& lines) {
        // 101 result lines of 700 characters: more than one frame may carry.
        lines.assign(101, KString(std::u16string(700, u'x').c_str()));
        return true;
      },
      [this] { return now; });
  ASSERT_TRUE(wordy.Open(Settings(-2, port), 0));
  Peer peer;
  ASSERT_TRUE(peer.Connect(port));
  // A request line that fits its frame only without its line end cannot be sent back either.
  const std::string longLine = "1,1," + std::string(DatabaseFrame::kMaxPayloadBytes - 4, '7');
  peer.Send(Request("1,1,1\r\n") + Request(longLine));
  const std::vector<DatabaseFrame> answers = peer.Answers([&] { wordy.Poll(); }, 2);
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0].code, "RNR");
  EXPECT_EQ(answers[0].payload, "1,1,1\r\n");
  EXPECT_EQ(answers[1].code, "RNR");
  EXPECT_EQ(answers[1].payload, "");
  EXPECT_EQ(peer.reader.BrokenFrames(), 0);
}

TEST_F(LinkTest, AConnectionAttemptWithoutReplyIsMadeAgainAfterItsLimit) {
  // A listener whose queue is full drops further attempts without a word, as a host that is down does.
  const int32_t port = pftest::FreeLoopbackPort();
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 0), 0);
  std::vector<int> fillers;
  for (int32_t i = 0; i < 3; ++i) {
    fillers.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
    connect(fillers.back(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }
  // The socket of the attempt under way: a new attempt has a new one.
  const auto attempt = [this] {
    struct stat status {};
    const LinkWait wait = link.NextWait();
    return wait.sockets.size() == 1 && fstat(wait.sockets[0].descriptor, &status) == 0 ? status.st_ino
                                                                                       : ino_t{0};
  };
  ASSERT_TRUE(link.Open(Settings(-1, port), 0));
  link.Poll();
  const ino_t first = attempt();
  ASSERT_NE(first, ino_t{0});
  for (int32_t i = 0; i < 5; ++i) {
    link.Poll();
  }
  ASSERT_FALSE(link.HasPeer());
  now += ReactionTimeLink::kConnectLimitMs - 1;
  link.Poll();
  EXPECT_EQ(attempt(), first);
  now += 1;
  link.Poll();
  const ino_t second = attempt();
  EXPECT_NE(second, ino_t{0});
  EXPECT_NE(second, first);
  for (int fd : fillers) {
    close(fd);
  }
  close(listener);
}

TEST_F(LinkTest, APeerThatLeavesMakesRoomForTheNext) {
  const int32_t port = pftest::FreeLoopbackPort();
  ASSERT_TRUE(link.Open(Settings(-2, port), 0));
  {
    Peer first;
    ASSERT_TRUE(first.Connect(port));
    first.Send("\x01RRQ\x02half a request");
    link.Poll();
  }
  link.Poll();
  Peer second;
  ASSERT_TRUE(second.Connect(port));
  second.Send(Request("1,1,1\r\n"));
  const std::vector<DatabaseFrame> answers = second.Answers([this] { PollLink(); }, 1);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(link.Reader().BrokenFrames(), 0);
}

TEST_F(LinkTest, TheSocketsItWaitsOnWakeAMessageLoopWhenACallerOrARequestComes) {
  const int32_t port = pftest::FreeLoopbackPort();
  ASSERT_TRUE(link.Open(Settings(-2, port), 0));
  EXPECT_EQ(link.NextWait().sockets.size(), 1u) << "the listener";
  Peer peer;
  ASSERT_TRUE(peer.Connect(port));
  EXPECT_EQ(ReadySockets(link.NextWait(), 1000), 1);  // a caller waits
  link.Poll();
  EXPECT_EQ(link.NextWait().sockets.size(), 2u) << "the listener and the peer";
  EXPECT_EQ(ReadySockets(link.NextWait(), 0), 0);
  peer.Send(Request("1,1,1\r\n"));
  EXPECT_EQ(ReadySockets(link.NextWait(), 1000), 1);
  EXPECT_FALSE(link.NextWait().withinMs) << "a listener has no times";
}

// A connecting link waits on its attempt until the attempt's limit, and between attempts for the next.
TEST_F(LinkTest, AConnectingLinkIsDueAgainAtTheNextAttemptOrTheAttemptsLimit) {
  const int32_t port = pftest::FreeLoopbackPort();  // nothing listens: the attempt fails
  ASSERT_TRUE(link.Open(Settings(-1, port), 0));
  EXPECT_EQ(link.NextWait().withinMs, 0) << "the first attempt is due at once";
  // Whether the refusal is already known or the attempt is still under way, the link is due again when
  // the attempt's limit and the next attempt come, both 5 s on.
  link.Poll();
  EXPECT_EQ(link.NextWait().withinMs, 5000);
  now += 1200;
  link.Poll();
  EXPECT_EQ(link.NextWait().withinMs, 3800);
}

TEST_F(LinkTest, TextsThatNameNoTcpLinkAreRefused) {
  for (const char16_t* text : {u"0,0,0", u"3,9600,8,N,1.0", u"-3,127.0.0.1,1950", u"-1,0,0",
                               u"-1,localhost,1950", u"-2,0,70000", u""}) {
    SCOPED_TRACE(Narrow(KString(text)));
    EXPECT_FALSE(link.Open(text, 0));
    EXPECT_FALSE(link.IsOpen());
    link.Poll();
  }
}

class ScheduleLinkTest : public pftest::SettingsTest {
 protected:
  void SetLink(const KString& settings) {
    AddSetting(u"\\Database\\QXF\\SerialPort:String=" + std::u16string(settings.Data(), settings.Length()));
  }
};

TEST_F(ScheduleLinkTest, ALinkThatCannotOpenIsLoggedAndOneSwitchedOffIsNot) {
  SetLink(u"0,0,0");
  {
    QvSchedule off;
    EXPECT_TRUE(off.NextWait().sockets.empty());
  }
  EXPECT_EQ(LogText().find("reaction-time link"), std::string::npos);

  const int32_t port = pftest::FreeLoopbackPort();
  const int taken = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  ASSERT_EQ(bind(taken, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(taken, 1), 0);
  SetLink(Settings(-2, port));
  { QvSchedule busy; }
  close(taken);
  EXPECT_NE(LogText().find("the reaction-time link does not open: -2,127.0.0.1,"), std::string::npos);
}

TEST_F(ScheduleLinkTest, TheIdleTickAnswersFromTheResultsInterfaceFiles) {
  std::filesystem::create_directory(folder.File("out"));
  const KString out = KString::FromUtf8(folder.File("out"));
  AddSetting(u"\\Database\\File\\DataOutDir:String=" + std::u16string(out.Data(), out.Length()));
  AddSetting(u"\\Database\\QXF\\IgnoreERHCheck:Bool=0");
  const int32_t port = pftest::FreeLoopbackPort();
  SetLink(Settings(-2, port));
  QvSchedule schedule;
  QvEvent event;
  event.NewLeg();
  event.SetEventRoundHeat(u"3", u"1", u"2");
  QvResult* result = event.Leg(0)->Results().NewResult();
  result->SetAthleteField(3, u"5");
  result->SetAthleteField(2, u"S\u00c3\u00a9ville AC");  // in the one-byte file, bytes that look like UTF-8
  result->SetReactionTime(133);
  ASSERT_TRUE(schedule.WriteQXF(event, 0));

  Peer peer;
  ASSERT_TRUE(peer.Connect(port));
  EXPECT_EQ(ReadySockets(schedule.NextWait(), 1000), 1);
  peer.Send(Request("3,1,2\r\n") + Request("3,1,3\r\n"));
  const std::vector<DatabaseFrame> answers = peer.Answers([&] { schedule.Idle(); }, 2);
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0].code, "RRP");
  EXPECT_EQ(answers[0].payload, "3,1,2,\r\n5,,,,S\xc3\xa9ville AC,,0,0.133,0,\r\n");
  EXPECT_EQ(answers[1].code, "RNR");
}

}  // namespace
