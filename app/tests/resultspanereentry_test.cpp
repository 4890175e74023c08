#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzstatusbar.h"
#include "app/tests/resultslinktest.h"
#include "framework/core/zafmdiwindow.h"
#include "imaging/ui/yzhardwarebar.h"
#include "native/user/keyboard.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kztbbutton.h"

namespace {

// A download in an event window while the user and another program ask for things that would close the
// window or use the link: they wait in the queue, and the program's event loop handles them once the
// download has ended.
TEST_F(ResultsLinkTest, WhatIsAskedDuringADownloadIsRefusedOrWaitsAndTheDownloadEnds) {
  Setting(u"\\Event\\SingleEvent:Int=1");
  const std::string saved = FilePath("saved.qve");
  const std::string openEvent = "OpenEvent,\"" + saved + "\"";
  // Sent while the unit's answer to the first trace block is waited for.
  std::string command;
  CuScenario scenario = EightLanes();
  scenario.replyDelayMs = 5;
  StartSimulator(scenario, [this, &command, openEvent](const std::string& request) {
    if (command.empty() && request.find("command 0x00010003") != std::string::npos) {
      command = SendCommand(openEvent).get();
    }
  });
  Then([this, saved] {
    // Time for the command's answer while the unit's is waited for.
    UseLink({u"\\Serial\\ShortTimeout:Int=5000"});
    QvEvent document;
    document.NewLeg();
    AnswerFileDialog(saved);
    ASSERT_EQ(document.Save(QvEvent::kSaveFile), 0);
    Post(NewCommand);
  });
  When(
      "a new event window", [] { return EventWindows().size() == 1; },
      [this, &command, openEvent] {
        QvZEventMDI* window = EventWindows()[0];
        for (const ZafEventType type :
             {CloseWindowEvent, NewCommand, QvZResultsPane::kAddReactionTimesCommand}) {
          Post(type);
        }
        const auto opened = [this] {
          const std::vector<uint32_t> commands = Commands();
          return std::count(commands.begin(), commands.end(), QvPacket::kIdentify);
        };
        const auto openedBefore = opened();
        window->Event(ZafEventRecord(QvZResultsPane::kDownloadTraceCommand, 0));
        EXPECT_EQ(command, "ACK");
        EXPECT_EQ(EventWindows(), std::vector<QvZEventMDI*>{window});
        EXPECT_TRUE(seen.empty());
        // Only the download opened the port.
        EXPECT_EQ(opened(), openedBefore + 1);
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
// and is asked once the download has ended; asked again while its question is open, it adds nothing. It
// ends the wait for the unit's reply on the line at its next slice, however long the read time-out: the
// lane on the line is given up, and an exit asked before the first lane fetches none.
TEST_F(ResultsLinkTest, AnExitAskedDuringADownloadStopsItAndIsAskedOnceItEnds) {
  enum class Exit { kFileExit, kClose, kSignal };
  struct Case {
    const char* name;
    Exit exit;
    // Lane records asked for.
    std::ptrdiff_t records;
  } cases[] = {
      {"File > Exit, queued as the download starts", Exit::kFileExit, 0},
      // While lane 1's record, which never comes, is waited for.
      {"the window manager's close while a reply is waited for on a read time-out of 30 s", Exit::kClose, 1},
      {"SIGTERM while a reply is waited for on a read time-out of 30 s", Exit::kSignal, 1},
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
          scenario.faults[4] = CuFault::kDrop;
          // The simulator's thread asks the exit as lane 1's record is asked for.
          const native::HWND frame = Frame()->ScreenID(2);
          StartSimulator(scenario, [&c, frame](const std::string& request) {
            if (request.rfind("#4 ", 0) != 0) {
              return;
            }
            if (c.exit == Exit::kSignal) {
              raise(SIGTERM);
            } else if (c.exit == Exit::kClose) {
              native::PostMessage(frame, native::WM_CLOSE, 0, 0);
            }
          });
          if (c.exit == Exit::kFileExit) {
            Post(ExitEvent);
          }
          QvZEventMDI* window = EventWindows()[0];
          window->GetEvent()->SetModified(true);
          window->Event(ZafEventRecord(QvZResultsPane::kDownloadTraceCommand, 0));
          const std::vector<uint32_t> commands = Commands();
          EXPECT_EQ(std::count(commands.begin(), commands.end(), QvPacket::kTrialRecord), c.records);
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
    {
      // A third of the read time-out: a wait that is not ended runs past it.
      const RealTimeBound bound(std::string("the exit, ") + c.name, std::chrono::seconds(10));
      EXPECT_EQ(Run(), 0);
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, u"Exit Kestrove Pellacorvine");
  }
}

// Input made on the GUI thread while the program waits for the unit's answer to one request: the simulator
// holds that answer until the input is in the queue. The input comes through a descriptor the wait looks
// at, as a display's input does.
class InputDuringRequest {
 public:
  InputDuringRequest(int32_t request, std::function<void()> input)
      : prefix("#" + std::to_string(request) + " "), input(std::move(input)) {}
  ~InputDuringRequest() {
    native::UnregisterWaitDescriptor(ends[0]);
    close(ends[0]);
    close(ends[1]);
  }
  InputDuringRequest(const InputDuringRequest&) = delete;
  InputDuringRequest& operator=(const InputDuringRequest&) = delete;

  // On the GUI thread, before the request goes out.
  void Listen() {
    ASSERT_EQ(pipe2(ends, O_CLOEXEC | O_NONBLOCK), 0);
    native::RegisterWaitDescriptor(ends[0], POLLIN, [this](short) {
      char byte = 0;
      if (read(ends[0], &byte, 1) == 1) {
        input();
        made.set_value();
      }
    });
  }
  // On the simulator's thread: each request it receives.
  void Seen(const std::string& request) {
    if (request.rfind(prefix, 0) != 0) {
      return;
    }
    const char byte = 1;
    ASSERT_EQ(write(ends[1], &byte, 1), 1);
    EXPECT_EQ(made.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
  }

 private:
  const std::string prefix;
  const std::function<void()> input;
  int ends[2] = {-1, -1};
  std::promise<void> made;
};

// What is typed or clicked while the program talks to the unit (a download, a step's lane states and
// title) reaches no window until the operation has ended and drawn what it brought; the loop then acts on
// it in its order: a save keeps the whole trial, a second step steps again, a download asked during a step
// fetches the race stepped to, and a lock key pressed once is toggled once.
TEST_F(ResultsLinkTest, InputMadeWhileTheUnitIsTalkedToIsActedOnOnceTheTalkIsOver) {
  enum class Start { kAddReactionTimes, kDownloadTrace, kNextOnTheMainToolBar };
  enum class Input { kCtrlS, kSaveClick, kNextClick, kAddReactionTimesClick, kCapsLock, kStatusBarClick };
  struct Case {
    const char* name;
    Start start;
    // The request during which the input is made.
    int32_t request;
    Input input;
    // A later request the unit never answers, 0 for none: the question it brings is answered Abort first.
    int32_t dropped = 0;
  } cases[] = {
      {"Ctrl+S typed during Add Reaction Times", Start::kAddReactionTimes, 4, Input::kCtrlS},
      {"Save clicked during Add Reaction Times", Start::kAddReactionTimes, 4, Input::kSaveClick},
      {"Save clicked during Add Reaction Times whose next request fails", Start::kAddReactionTimes, 4,
       Input::kSaveClick, 5},
      {"status bar clicked during Add Reaction Times whose next request fails", Start::kAddReactionTimes, 4,
       Input::kStatusBarClick, 5},
      {"Ctrl+S typed during Download Trace", Start::kDownloadTrace, 6, Input::kCtrlS},
      {"Save clicked during Download Trace", Start::kDownloadTrace, 6, Input::kSaveClick},
      {"Caps Lock pressed during Download Trace", Start::kDownloadTrace, 5, Input::kCapsLock},
      {"Next clicked again during a step", Start::kNextOnTheMainToolBar, 2, Input::kNextClick},
      {"Add Reaction Times clicked during a step", Start::kNextOnTheMainToolBar, 2,
       Input::kAddReactionTimesClick},
  };
  const std::string dataIn = FilePath("datain");
  ASSERT_EQ(std::system((std::string(KESTROVE_PFPEER) + " startlists '" + dataIn + "' >/dev/null").c_str()),
            0);
  const std::string saved = FilePath("held.qve");
  Setting(u"\\Database\\File\\DataInDir:String=" + std::u16string(KString::FromUtf8(dataIn + "/").CStr()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto click = [this](KZTBButton* button) {
      ASSERT_NE(button, nullptr);
      Click(button);
    };
    const auto resultsButton = [](ZafEventType command) {
      auto* results = CurrentPane<QvZResultsWindow>(PaneKind::kResults);
      return results == nullptr ? nullptr
                                : FindIn<KZTBButton>(results->ToolBar(), [command](KZTBButton& button) {
                                    return button.Value() == command;
                                  });
    };
    InputDuringRequest during(c.request, [&] {
      switch (c.input) {
        case Input::kCtrlS:
          driver.keyDown(native::VK_CONTROL);
          driver.pressKey('S');
          driver.keyUp(native::VK_CONTROL);
          break;
        case Input::kSaveClick:
          click(Frame()->HardwareBar()->ButtonAt(YZHardwareBar::kSave));
          break;
        case Input::kNextClick:
          click(Frame()->HardwareBar()->ButtonAt(YZHardwareBar::kNext));
          break;
        case Input::kAddReactionTimesClick:
          click(resultsButton(QvZResultsPane::kAddReactionTimesCommand));
          break;
        case Input::kCapsLock:
          driver.pressKey(native::VK_CAPITAL);
          break;
        case Input::kStatusBarClick:
          Click(static_cast<ZafStatusBar*>(QvZControl::GetStatusBar()));
          break;
      }
    });
    CuScenario scenario = EightLanes();
    if (c.dropped != 0) {
      scenario.faults[c.dropped] = CuFault::kDrop;
    }
    StartSimulator(scenario, [&during](const std::string& request) { during.Seen(request); });
    Then([&] {
      // Half a second of trace: a lane's record and 3 blocks.
      UseLink({u"\\Hardware\\BlockSensor\\EndTimeDL:Float=0.5", c.dropped != 0
                                                                    ? u"\\Event\\Results\\RetryCount:Int=1"
                                                                    : u"\\Event\\Results\\RetryCount:Int=3"});
      during.Listen();
      if (c.start == Start::kNextOnTheMainToolBar) {
        click(Frame()->HardwareBar()->ButtonAt(YZHardwareBar::kNext));
        return;
      }
      // A named event, so that Ctrl+S saves without asking.
      QvZEventMDI* eventWindow = Frame()->NewEvent();
      ASSERT_NE(eventWindow, nullptr);
      AnswerFileDialog(saved);
      ASSERT_TRUE(eventWindow->Save(QvZEventMDI::kSave));
      // A change the aborted download leaves unsaved: only the held click saves it.
      eventWindow->GetEvent()->SetModified(c.dropped != 0);
      eventWindow->Event(ZafEventRecord(c.start == Start::kAddReactionTimes
                                            ? QvZResultsPane::kAddReactionTimesCommand
                                            : QvZResultsPane::kDownloadTraceCommand,
                                        0));
    });
    if (c.dropped != 0) {
      When(
          "the question", [] { return FrontMessage() != nullptr; },
          [this] {
            EXPECT_EQ(driver.topLevelWindows().front(), FrontMessage()->ScreenID(2)) << "covered";
            EXPECT_TRUE(CurrentEventWindow()->GetEvent()->IsModified()) << "saved under the question";
            PressInFront(KZDialog::kAbortResult);
          });
    }
    if (c.input == Input::kSaveClick && c.dropped != 0) {
      When(
          "the save after the answer", [] { return !CurrentEventWindow()->GetEvent()->IsModified(); },
          [&] {
            QvEvent reopened;
            EXPECT_EQ(reopened.Open(QvEvent::kOpenFile, KString::FromUtf8(saved)), 0);
          });
    } else if (c.dropped == 0) {
      switch (c.input) {
        case Input::kCtrlS:
        case Input::kSaveClick:
          When(
              "the save after the download", [] { return !CurrentEventWindow()->GetEvent()->IsModified(); },
              [&] {
                QvEvent reopened;
                ASSERT_EQ(reopened.Open(QvEvent::kOpenFile, KString::FromUtf8(saved)), 0);
                std::vector<int32_t> times;
                QvResults& results = reopened.Leg(0)->Results();
                for (const QvResult* lane = results.Iterate(nullptr, nullptr); lane != nullptr;
                     lane = results.Iterate(lane, nullptr)) {
                  times.push_back(lane->GetReactionTime().ToMilliseconds());
                }
                EXPECT_EQ(times, (std::vector<int32_t>{150, 142, 95, 88, 88, kNone, -20, 133}));
                const QvResult* lane7 = results.FindByField(QvResult::kLaneField, u"7");
                ASSERT_NE(lane7, nullptr);
                EXPECT_TRUE(lane7->IsFalseStartCharged());
              });
          break;
        case Input::kCapsLock:
          AfterOperation([] { EXPECT_EQ(native::GetKeyState(native::VK_CAPITAL), 1) << "up, toggled once"; });
          break;
        case Input::kNextClick:
          // Each step tells the unit the lane states and the title, four requests each.
          When(
              "the second step's title",
              [this] { return !LinkBusyClaim::LinkIsBusy() && simulator->Requests().size() >= 16; },
              [this] {
                EXPECT_EQ(simulator->Requests().size(), 16u);
                EXPECT_EQ(CurrentEventWindow()->GetEvent()->HeatNumber().ToUtf8(), "2");
                EXPECT_EQ(simulator->Requests().back().command, QvPacket::kText);
              });
          break;
        case Input::kAddReactionTimesClick:
          When(
              "the download after the step",
              [this] { return !LinkBusyClaim::LinkIsBusy() && simulator->Requests().size() >= 12; },
              [this] {
                QvZEventMDI* eventWindow = CurrentEventWindow();
                EXPECT_EQ(eventWindow->GetEvent()->HeatNumber().ToUtf8(), "1");
                std::vector<int32_t> times;
                QvResults& results = eventWindow->CurrentLeg()->Results();
                for (const QvResult* lane = results.Iterate(nullptr, nullptr); lane != nullptr;
                     lane = results.Iterate(lane, nullptr)) {
                  times.push_back(lane->GetReactionTime().ToMilliseconds());
                }
                EXPECT_EQ(times, (std::vector<int32_t>{150, 142, 95, 88, 88, kNone, -20, 133}));
              });
          break;
        case Input::kStatusBarClick:
          break;
      }
    }
    // No question about a change at the exit, and Caps Lock as it was.
    Then([this] {
      for (QvZEventMDI* eventWindow : EventWindows()) {
        eventWindow->GetEvent()->SetModified(false);
      }
      if (native::GetKeyState(native::VK_CAPITAL) & 1) {
        driver.pressKey(native::VK_CAPITAL);
      }
    });
    ExitProgram();
    EXPECT_EQ(Run(), 0);
    Make();
    script = ProgramScript();
    seen.clear();
  }
}

}  // namespace
