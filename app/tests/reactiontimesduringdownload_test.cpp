#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/tests/resultslinktest.h"
#include "devices/databaseframe.h"

namespace {

using Clock = std::chrono::steady_clock;

// The photo-finish system asking the program's reaction-time link from a thread of its own, on one
// connection: a request every 200 ms, or as soon as the one before was answered. Each answer's wait is
// measured on the line, from the request sent to the answer read whole.
class PhotoFinishAsker {
 public:
  explicit PhotoFinishAsker(int port) : worker([this, port] { Ask(port); }) {}
  ~PhotoFinishAsker() {
    stopping = true;
    worker.join();
  }
  PhotoFinishAsker(const PhotoFinishAsker&) = delete;
  PhotoFinishAsker& operator=(const PhotoFinishAsker&) = delete;

  struct Asked {
    // The waits of the requests answered so far, in milliseconds, in order.
    std::vector<int64_t> waits;
    // When the request still waiting for its answer was sent; none when none waits.
    std::optional<Clock::time_point> waiting;
  };
  Asked Now() const {
    std::lock_guard hold(mutex);
    return asked;
  }

 private:
  void Ask(int port) {
    const int link = Connect(port);
    if (link < 0) {
      return;
    }
    DatabaseFrame request;
    request.code = "RRQ";
    request.payload = "1,1,1";
    const std::string bytes = request.Encode(true);
    while (!stopping) {
      const Clock::time_point sent = Clock::now();
      Note([sent](Asked& asked) { asked.waiting = sent; });
      if (send(link, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size()) ||
          !ReadAnswer(link)) {
        break;
      }
      const int64_t waited =
          std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
      Note([waited](Asked& asked) {
        asked.waits.push_back(waited);
        asked.waiting.reset();
      });
      std::this_thread::sleep_until(sent + std::chrono::milliseconds(200));
    }
    close(link);
  }

  // A connection to the link the program listens on, tried until it is made or the asker stops.
  int Connect(int port) const {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    while (!stopping) {
      const int link = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
      if (link >= 0 && connect(link, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        return link;
      }
      close(link);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
  }

  // Reads until one whole answer came; false when the link went away or the asker stops.
  bool ReadAnswer(int link) const {
    DatabaseFrameReader reader;
    DatabaseFrame answer;
    while (!stopping) {
      pollfd readable{link, POLLIN, 0};
      if (poll(&readable, 1, 50) <= 0) {
        continue;
      }
      uint8_t chunk[512];
      const ssize_t got = recv(link, chunk, sizeof chunk, 0);
      if (got <= 0) {
        return false;
      }
      reader.Feed(chunk, static_cast<size_t>(got));
      if (reader.Next(answer)) {
        return true;
      }
    }
    return false;
  }

  template <typename Change>
  void Note(Change change) {
    std::lock_guard hold(mutex);
    change(asked);
  }

  std::atomic<bool> stopping = false;
  mutable std::mutex mutex;
  Asked asked;
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
  std::unique_ptr<PhotoFinishAsker> asker;
  Then([&] { asker = std::make_unique<PhotoFinishAsker>(port); });
  WhenWithin(
      "the reaction-time link's first answer", 5000, [&] { return !asker->Now().waits.empty(); },
      [&] {
        const size_t first = asker->Now().waits.size();
        answer = Pane().Download(false, true);
        const Clock::time_point end = Clock::now();
        const PhotoFinishAsker::Asked asked = asker->Now();
        EXPECT_TRUE(answer);
        for (int32_t lane = 1; lane <= 8; ++lane) {
          EXPECT_EQ(Lane(lane).TraceSampleCount(), 500);
        }
        // Each request answered during the download waited at most for the block on the line, and the one
        // still waiting at its end has not waited a second yet.
        ASSERT_GT(asked.waits.size(), first);
        EXPECT_LT(
            *std::max_element(asked.waits.begin() + static_cast<std::ptrdiff_t>(first), asked.waits.end()),
            1000);
        if (asked.waiting) {
          EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(end - *asked.waiting).count(),
                    1000);
        }
      });
  RunToEnd();
}

// The unit holds back its answer (to a download's trial header, to an upload's first monitor line), on a
// read time-out of a minute, until the peers that ask meanwhile (a command's sender, the photo-finish
// system's reaction-time request) have theirs: the operation goes on only when the program answers them
// while it waits.
TEST_F(ResultsLinkTest, PeersAskingWhileTheUnitIsWaitedForAreAnswered) {
  struct Case {
    const char* name;
    // Hardware > Load Audio instead of Add Reaction Times.
    bool upload;
    // The start of the request, as the simulator reports it, whose answer waits for the peers'.
    const char* heldAnswer;
  } cases[] = {
      {"a download's trial header", false, "#3 "},
      {"an upload's first line", true, "sb "},
  };
  const int port = FreePort();
  Setting(KString(u"\\Database\\QXF\\SerialPort:String=-2,0,").AppendInt(port).CStr());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string command;
    int reactionStatus = -1;
    CuScenario scenario = EightLanes();
    scenario.bootMonitor = c.upload;
    StartSimulator(scenario, [&](const std::string& request) {
      if (request.rfind(c.heldAnswer, 0) == 0) {
        command = SendCommand("Nothing").get();
        const pid_t asking = StartProcess({KESTROVE_PFPEER, "rrq", "0", std::to_string(port), "1", "1", "1"});
        if (asking > 0) {
          waitpid(asking, &reactionStatus, 0);
        }
      }
    });
    OpenWindow({u"\\Serial\\ShortTimeout:Int=60000"});
    if (c.upload) {
      Then([this] {
        WriteFile("gun.wav", std::string("RIFF\0\0\0\0WAVE", 12) + std::string(100, 'w'));
        AnswerFileDialog(FilePath("gun.wav"));
        Frame()->Event(ZafEventRecord(LoadAudioCommand, 0));
      });
      AnswerWithClick(u"Load Audio", KZDialog::kNoResult);
    } else {
      Download(true, false);
    }
    AfterOperation([&] {
      EXPECT_EQ(command, "ACK");
      // pfpeer's status for RNR: no results of the race yet.
      EXPECT_TRUE(WIFEXITED(reactionStatus) && WEXITSTATUS(reactionStatus) == 1) << reactionStatus;
      if (c.upload) {
        EXPECT_EQ(SeenTexts(), std::vector<std::u16string>{u"Load the sound into another control unit?"});
      } else {
        EXPECT_EQ(ReactionTimes(), (std::vector<int32_t>{150, 142, 95, 88, 88, kNone, -20, 133}));
        EXPECT_TRUE(seen.empty());
      }
    });
    RunToEnd();
  }
}

}  // namespace
