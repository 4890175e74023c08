#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/tests/resultslinktest.h"
#include "devices/databaseframe.h"

namespace {

using Clock = std::chrono::steady_clock;

// The photo-finish system on the program's listening reaction-time link: from a thread of its own it asks
// for the reaction times of race 1-1-1 every 200 ms (the next request once the last is answered) and notes
// how long each answer took.
class PhotoFinishPeer {
 public:
  static constexpr auto kInterval = std::chrono::milliseconds(200);
  // Each answer is looked for this often, so that Stop never waits long.
  static constexpr int kLookMs = 10;

  explicit PhotoFinishPeer(int port) : worker([this, port] { Ask(port); }) {}
  ~PhotoFinishPeer() { Stop(); }
  PhotoFinishPeer(const PhotoFinishPeer&) = delete;
  PhotoFinishPeer& operator=(const PhotoFinishPeer&) = delete;

  int32_t Answered() const {
    std::lock_guard hold(mutex);
    return static_cast<int32_t>(waits.size());
  }
  // Stops asking; the waits of the answers in milliseconds (a request still unanswered is left out).
  std::vector<int64_t> Stop() {
    stopping = true;
    if (worker.joinable()) {
      worker.join();
    }
    std::lock_guard hold(mutex);
    return waits;
  }

 private:
  void Ask(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      close(fd);
      return;
    }
    DatabaseFrame request;
    request.code = "RRQ";
    request.SetLines({KString(u"1,1,1")}, 0);
    const std::string bytes = request.Encode(true);
    DatabaseFrameReader reader;
    while (!stopping) {
      const Clock::time_point sent = Clock::now();
      if (send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size())) {
        break;
      }
      DatabaseFrame answer;
      bool answered = false;
      while (!stopping && !answered) {
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, kLookMs) > 0) {
          uint8_t received[4096];
          const ssize_t count = recv(fd, received, sizeof received, 0);
          if (count <= 0) {
            stopping = true;
            break;
          }
          reader.Feed(received, static_cast<size_t>(count));
        }
        answered = reader.Next(answer);
      }
      if (answered) {
        std::lock_guard hold(mutex);
        waits.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count());
      }
      while (!stopping && Clock::now() < sent + kInterval) {
        poll(nullptr, 0, kLookMs);
      }
    }
    close(fd);
  }

  std::atomic<bool> stopping = false;
  mutable std::mutex mutex;
  std::vector<int64_t> waits;
  std::thread worker;
};

TEST_F(ResultsLinkTest, ReactionTimeRequestsDuringATraceDownloadAreEachAnsweredWithinASecond) {
  const int port = FreePort();
  KString link(u"\\Database\\QXF\\SerialPort:String=-2,0,");
  Setting(link.AppendInt(port).CStr());
  CuScenario scenario = EightLanes();
  scenario.paceBaud = 19200;
  StartSimulator(scenario);
  // Half a second of trace: a lane's record and 3 blocks take 1.4 s on the line, each block's reply 434 ms
  // of the usual time-out.
  OpenWindow({u"\\Hardware\\BlockSensor\\EndTimeDL:Float=0.5", u"\\Serial\\ShortTimeout:Int=1000"});
  std::unique_ptr<PhotoFinishPeer> peer;
  std::vector<int64_t> waits;
  Then([&] { peer = std::make_unique<PhotoFinishPeer>(port); });
  WhenWithin(
      "the reaction-time link's first answer", 5000, [&] { return peer->Answered() > 0; },
      [&] {
        const int32_t before = peer->Answered();
        answer = Pane().Download(false, true);
        waits = peer->Stop();
        waits.erase(waits.begin(), waits.begin() + before);
      });
  AfterOperation([&] {
    EXPECT_TRUE(answer);
    for (int32_t lane = 1; lane <= 8; ++lane) {
      EXPECT_EQ(Lane(lane).TraceSampleCount(), 500);
    }
    // About 11 s of download; an answer waits at most for the block on the line.
    ASSERT_GE(waits.size(), 20u);
    EXPECT_LT(*std::max_element(waits.begin(), waits.end()), 1000);
  });
  RunToEnd();
}

}  // namespace
