#pragma once
// The results pane's tests against the control-unit simulator: the started program with a results window
// on an event of its own, the first named serial port on the simulator's pseudo-terminal, and the settle
// wait after each open on the test driver's virtual clock.

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/linkbusy.h"
#include "app/linkport.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultswindow.h"
#include "app/tests/programtest.h"
#include "app/tests/realtimebound.h"
#include "devices/qvpacket.h"
#include "foundation/kregistry.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzprompt.h"
#include "tools/cusim/cusimulator.h"

class ResultsLinkTest : public ProgramTest {
 protected:
  static constexpr int32_t kNone = CuScenario::kNone;
  static constexpr const char16_t* kCommError = u"Communication Error";

  // Room for the table's nine columns at their default widths.
  ResultsLinkTest() : ProgramTest({1024, 768, 96}) {}
  ~ResultsLinkTest() override {
    LinkPort::SetWait({});
    unsetenv("KESTROVE_COM77");
  }

  // A scenario of 8 lanes with reaction times 150, 142 ... ms, version 0x15000.
  static CuScenario EightLanes() {
    CuScenario scenario;
    scenario.reactionTimes = {150, 142, 95, 88, 88, CuScenario::kNone, -20, 133};
    return scenario;
  }

  // `onRequest` sees each request as text on the simulator's thread.
  void StartSimulator(const CuScenario& scenario, std::function<void(const std::string&)> onRequest = {}) {
    simulator = std::make_unique<CuSimulator>(scenario, std::move(onRequest));
    setenv("KESTROVE_COM77", simulator->DevicePath().c_str(), 1);
  }

  // The first step: the settings (the port on the simulator unless `port` says otherwise), then a results
  // window on a new event.
  void OpenWindow(std::vector<std::u16string> settings = {},
                  const std::u16string& port = u"77,19200,8,N,1.0") {
    Then([this, settings, port] {
      UseLink(settings, port);
      event = std::make_unique<QvEvent>();
      YLeg* leg = event->NewLeg();
      window = new QvZResultsWindow(leg->Results().View(0));
      window->SetRegion({0, 0, 899, 299, ZAF_PIXEL});
      ZafWindowObject::windowManager->Add(window);
    });
  }

  // Inside a step: the settings (the port on the simulator unless `port` says otherwise), and the settle
  // wait after each open on the virtual clock.
  void UseLink(const std::vector<std::u16string>& settings = {},
               const std::u16string& port = u"77,19200,8,N,1.0") {
    std::vector<std::u16string> lines = {u"\\Serial\\ShortTimeout:Int=100"};
    if (!port.empty()) {
      lines.push_back(u"\\SerialPorts\\Unit\\Name:String=Control Unit");
      lines.push_back(u"\\SerialPorts\\Unit\\SerialPort:String=" + port);
    }
    lines.insert(lines.end(), settings.begin(), settings.end());
    for (const std::u16string& line : lines) {
      ASSERT_NE(KRegistry::AddLine(program->Settings(), KString(line.c_str())), nullptr);
    }
    LinkPort::SetWait([this](int32_t milliseconds) {
      settleWaits.push_back(milliseconds);
      driver.advanceClock(static_cast<uint64_t>(milliseconds));
    });
  }

  // Acts once no operation holds the link: an answered question's loop may pass the script on before the
  // operation that asked has returned. A download serves the idle fan-out, and with it the script, all
  // along, so the wait is bounded in real time, not in the script's turns, which a loaded machine would
  // spend before a long download ends.
  void AfterOperation(std::function<void()> act) {
    WhenWithin(
        "the operation on the link to end", 60000, [] { return !LinkBusyClaim::LinkIsBusy(); },
        std::move(act));
  }

  // The last steps: the window goes, then the program.
  void CloseWindowAndExit() {
    AfterOperation([this] {
      ZafWindowObject::windowManager->Subtract(window);
      delete window;
      window = nullptr;
    });
    ExitProgram();
  }

  // Add Reaction Times started with Ctrl and Shift held (the endless mode), the keys let go when its
  // message is answered. An endless loop would run no script step that could fail the test: the download
  // has a real-time bound.
  void DownloadEndlessly() {
    Then([this] {
      driver.keyDown(native::VK_CONTROL);
      driver.keyDown(native::VK_SHIFT);
      const RealTimeBound bound("the endless download to end", std::chrono::seconds(20));
      answer = Pane().Download(true, false);
    });
    When(
        "the endless message", [] { return FrontMessage() != nullptr; },
        [this] {
          NoteFront();
          driver.keyUp(native::VK_CONTROL);
          driver.keyUp(native::VK_SHIFT);
          PressInFront(KZDialog::kOkResult);
        });
  }

  // A download as the Results menu starts it; its answer lands in `answer`.
  void Download(bool addReactionTimes, bool downloadTraces) {
    Then([this, addReactionTimes, downloadTraces] {
      answer = Pane().Download(addReactionTimes, downloadTraces);
    });
  }

  // Runs the script to the program's end; the fixture is then ready for the next case of a table.
  void RunToEnd() {
    CloseWindowAndExit();
    EXPECT_EQ(Run(), 0);
    Make();
    script = ProgramScript();
    seen.clear();
    settleWaits.clear();
    answer = false;
  }

  // For steps that do more than answer: notes the message window in front, and presses its button.
  void NoteFront() { seen.push_back({FrontMessage()->Text(), FrontMessage()->Message().CStr()}); }
  void PressInFront(ZafEventType button) {
    KZButton* found = FindIn<KZButton>(FrontMessage(), [button](KZButton& b) { return b.Value() == button; });
    ASSERT_NE(found, nullptr);
    Click(found);
  }

  QvZResultsPane& Pane() const { return *window->Pane(); }
  QvResults& Results() const { return event->Leg(0)->Results(); }

  // Lanes 1 to n, made before the download.
  void MakeLanes(int32_t count) {
    for (int32_t lane = 1; lane <= count; ++lane) {
      KString text;
      Results().NewResult()->SetAthleteField3(text.AppendInt(lane));
    }
  }
  QvResult& Lane(int32_t lane) const {
    KString text;
    QvResult* result = Results().FindByField(QvResult::kLaneField, text.AppendInt(lane));
    if (result == nullptr) {
      ADD_FAILURE() << "no result of lane " << lane;
      static QvResult none;
      return none;
    }
    return *result;
  }
  std::vector<int32_t> ReactionTimes() const {
    std::vector<int32_t> times;
    for (const QvResult* result = Results().Iterate(nullptr, nullptr); result != nullptr;
         result = Results().Iterate(result, nullptr)) {
      times.push_back(result->GetReactionTime().ToMilliseconds());
    }
    return times;
  }
  std::vector<uint32_t> Commands() const {
    std::vector<uint32_t> commands;
    for (const QvPacket& request : simulator->Requests()) {
      commands.push_back(request.command);
    }
    return commands;
  }
  std::vector<std::u16string> SeenTexts() const {
    std::vector<std::u16string> texts;
    for (const SeenMessage& message : seen) {
      texts.push_back(message.text);
    }
    return texts;
  }

  std::unique_ptr<CuSimulator> simulator;
  std::unique_ptr<QvEvent> event;
  QvZResultsWindow* window = nullptr;
  std::vector<int32_t> settleWaits;
  bool answer = false;
};
