#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/tests/resultslinktest.h"
#include "framework/core/zafmdiwindow.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzmessagewindow.h"

namespace {

// A download in an event window while the user and another program ask for things that would close the
// window or use the link: the program's event loop handles them between lanes.
TEST_F(ResultsLinkTest, WhatIsAskedDuringADownloadIsRefusedOrWaitsAndTheDownloadEnds) {
  Setting(u"\\Event\\SingleEvent:Int=1");
  CuScenario scenario = EightLanes();
  scenario.replyDelayMs = 5;
  StartSimulator(scenario);
  const std::string saved = FilePath("saved.qve");
  auto claim = std::make_shared<std::unique_ptr<LinkBusyClaim>>();
  auto command = std::make_shared<std::shared_future<std::string>>();
  const std::string openEvent = "OpenEvent,\"" + saved + "\"";
  Then([this, saved, claim, command, openEvent] {
    UseLink();
    QvEvent document;
    document.NewLeg();
    AnswerFileDialog(saved);
    ASSERT_EQ(document.Save(QvEvent::kSaveFile), 0);
    // Held until the download takes the link over, so the command waits for the download's end.
    *claim = std::make_unique<LinkBusyClaim>(nullptr);
    *command = SendCommand(openEvent);
    Post(NewCommand);
  });
  WhenWithin(
      "the command's answer and a new event window", kCommandAnswerMs,
      [command] { return Ready(*command) && EventWindows().size() == 1; },
      [this, claim, command, openEvent] {
        EXPECT_EQ(command->get(), "ACK");
        QvZEventMDI* window = EventWindows()[0];
        for (const ZafEventType type :
             {CloseWindowEvent, NewCommand, QvZResultsPane::kAddReactionTimesCommand}) {
          Post(type);
        }
        claim->reset();
        window->Event(ZafEventRecord(QvZResultsPane::kDownloadTraceCommand, 0));
        EXPECT_EQ(EventWindows(), std::vector<QvZEventMDI*>{window});
        EXPECT_TRUE(seen.empty());
        // Only the download opened the port.
        const std::vector<uint32_t> commands = Commands();
        EXPECT_EQ(std::count(commands.begin(), commands.end(), QvPacket::kIdentify), 1);
        QvResults& results = window->CurrentLeg()->Results();
        std::vector<int32_t> times;
        for (QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
             result = results.Iterate(result, nullptr)) {
          times.push_back(result->GetReactionTime().ToMilliseconds());
          EXPECT_GT(result->TraceSampleCount(), 0);
        }
        EXPECT_EQ(times, (std::vector<int32_t>{150, 142, 95, 88, 88, kNone, -20, 133}));
        EXPECT_EQ(program->PendingCommand().ToUtf8(), openEvent);
      });
  // The command runs once the download has ended: under the single-event rule the open event window closes.
  // The saved document's window may take the closed window's place in memory: its file name tells it.
  AnswerWithClick(u"Close Event Window", KZDialog::kNoResult);
  When(
      "the saved document's window",
      [saved] {
        return EventWindows().size() == 1 && EventWindows()[0]->GetEvent()->FileName().ToUtf8() == saved;
      },
      [this] { EXPECT_EQ(seen.size(), 1u); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

// An exit asked during a download (a termination signal, the window manager's close, File > Exit) stops it
// and is asked once the download has ended; asked again while its question is open, it adds nothing. Taken
// at a lane gap, it stops the download after the lane on the line; a termination signal also ends the wait
// for the unit's reply on the line at its next slice, however long the read time-out.
TEST_F(ResultsLinkTest, AnExitAskedDuringADownloadStopsItAndIsAskedOnceItEnds) {
  struct Case {
    const char* name;
    // SIGTERM while lane 1's record, which never comes, is waited for; else File > Exit queued.
    bool signal;
  } cases[] = {
      {"File > Exit, taken at the lane gap", false},
      {"SIGTERM while a reply is waited for on a read time-out of 30 s", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make();
    script = ProgramScript();
    seen.clear();
    StartSimulator(EightLanes());
    Then([this] {
      UseLink({u"\\Serial\\ShortTimeout:Int=30000"});
      Post(NewCommand);
    });
    When(
        "a new event window", [] { return EventWindows().size() == 1; },
        [this, &c] {
          // The download's requests from the first on, the event window's own having gone to another unit.
          CuScenario scenario = EightLanes();
          if (c.signal) {
            scenario.faults[4] = CuFault::kDrop;
          }
          StartSimulator(scenario, [&c](const std::string& request) {
            if (c.signal && request.rfind("#4 ", 0) == 0) {
              raise(SIGTERM);
            }
          });
          if (!c.signal) {
            Post(ExitEvent);
          }
          QvZEventMDI* window = EventWindows()[0];
          window->GetEvent()->SetModified(true);
          window->Event(ZafEventRecord(QvZResultsPane::kDownloadTraceCommand, 0));
          const std::vector<uint32_t> commands = Commands();
          EXPECT_EQ(std::count(commands.begin(), commands.end(), QvPacket::kTrialRecord), 1);
          EXPECT_TRUE(seen.empty());
        });
    KZMessageWindow* question = nullptr;
    When(
        "the exit question", [] { return FrontMessage() != nullptr; },
        [this, &question] {
          NoteFront();
          question = FrontMessage();
          Post(ExitEvent);
        });
    Then([this, &question] {
      EXPECT_EQ(FrontMessage(), question);
      PressInFront(KZDialog::kNoResult);
    });
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, u"Exit Kestrove Pellacorvine");
  }
}

}  // namespace
