#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/tests/resultslinktest.h"

namespace {

using Clock = std::chrono::steady_clock;

// The photo-finish system asking the program's reaction-time link from a thread of its own: a request every
// 200 ms, or as soon as the one before was answered. `start` starts one request's process.
class PhotoFinishAsker {
 public:
  explicit PhotoFinishAsker(std::function<pid_t()> start) : worker([this, start] { Ask(start); }) {}
  // The last request finds the link closed with the program.
  ~PhotoFinishAsker() {
    stopping = true;
    worker.join();
  }
  PhotoFinishAsker(const PhotoFinishAsker&) = delete;
  PhotoFinishAsker& operator=(const PhotoFinishAsker&) = delete;

  // How long each request answered so far took, in milliseconds, pfpeer's start included.
  std::vector<int64_t> Waits() const {
    std::lock_guard hold(mutex);
    return waits;
  }

 private:
  void Ask(const std::function<pid_t()>& start) {
    while (!stopping) {
      const Clock::time_point asked = Clock::now();
      int status = 0;
      const pid_t asking = start();
      if (asking < 0 || waitpid(asking, &status, 0) != asking) {
        return;
      }
      {
        std::lock_guard hold(mutex);
        waits.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count());
      }
      std::this_thread::sleep_until(asked + std::chrono::milliseconds(200));
    }
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
  std::unique_ptr<PhotoFinishAsker> asker;
  // The answers to the requests asked during the download: from `first` to `last`, the one that was on
  // its way when the download ended.
  size_t first = 0;
  size_t last = 0;
  Then([&] {
    asker = std::make_unique<PhotoFinishAsker>([port] {
      return StartProcess({KESTROVE_PFPEER, "rrq", "0", std::to_string(port), "1", "1", "1"});
    });
  });
  WhenWithin(
      "the reaction-time link's first answer", 5000, [&] { return !asker->Waits().empty(); },
      [&] {
        first = asker->Waits().size();
        answer = Pane().Download(false, true);
        last = asker->Waits().size();
      });
  WhenWithin(
      "the answer on its way at the download's end", 5000, [&] { return asker->Waits().size() > last; },
      [&] {
        EXPECT_TRUE(answer);
        for (int32_t lane = 1; lane <= 8; ++lane) {
          EXPECT_EQ(Lane(lane).TraceSampleCount(), 500);
        }
        // Each answer waits at most for the block on the line, however many requests a loaded machine fits
        // in the download.
        const std::vector<int64_t> waits = asker->Waits();
        EXPECT_LT(*std::max_element(waits.begin() + static_cast<std::ptrdiff_t>(first),
                                    waits.begin() + static_cast<std::ptrdiff_t>(last) + 1),
                  1000);
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
