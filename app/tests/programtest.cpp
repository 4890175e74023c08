#include "app/tests/programtest.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/producttitle.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultswindow.h"
#include "app/tests/menuloopscript.h"
#include "foundation/kfile.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvsettings.h"
#include "native/shell/commandclient.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzprompt.h"
#include "toolkit/tests/kztestbed.h"

namespace {

// The files a started program finds beside itself.
constexpr const char* kProgramFiles[] = {"kestrove.znc", "kestrove.tgs", "English.lng"};

void PostEvent(ZafEventType type) {
  ZafWindowObject::eventManager->Put(ZafEventRecord(static_cast<int32_t>(type), 0), Q_END);
}

}  // namespace

// ---- the application object ----

TestProgram::TestProgram(int argc, ZafIChar** argv, native::TestDriver& driver, ProgramScript& script)
    : YZApplication(argc, argv), itsDriver(driver), itsScript(script) {}

bool TestProgram::Idle(int32_t idleCount) {
  itsScript.Tick();
  return YZApplication::Idle(idleCount);
}

void TestProgram::Wait(int32_t milliseconds) {
  waits.push_back(milliseconds);
  itsDriver.advanceClock(static_cast<std::uint64_t>(milliseconds));
}

void TestProgram::Reached(const char* step) {
  steps.emplace_back(step);
  if (const auto hook = atStep.find(step); hook != atStep.end()) {
    hook->second();
  }
}

// ---- the script ----

void ProgramScript::Tick() {
  if (givenUp) {
    // Every loop still running is ended by the exit, which nothing is asked about any more.
    PostEvent(ExitEvent);
    return;
  }
  if (Finished()) {
    if (++waited > kPatience) {
      GiveUp("the program to end after the script");
    }
    return;
  }
  Step& step = steps[next];
  if (waited == 0) {
    waitingSince = std::chrono::steady_clock::now();
  }
  if (step.ready && !step.ready()) {
    ++waited;
    const bool late = step.withinMs > 0 ? std::chrono::steady_clock::now() - waitingSince >
                                              std::chrono::milliseconds(step.withinMs)
                                        : waited > kPatience;
    if (late) {
      GiveUp(step.waitingFor);
    }
    return;
  }
  waited = 0;
  ++next;
  step.act();
}

void ProgramScript::GiveUp(const std::string& what) {
  ADD_FAILURE() << "Waited in vain for " << what;
  givenUp = true;
  // Whatever the program would answer (a refused close, a prompt's No taken as Cancel), the run ends.
  ZafWindowObject::windowManager->SetExitFunction(nullptr);
}

// ---- the fixture ----

ProgramTest::ProgramTest(native::DesktopOptions desktop) : driver(desktop) {
  std::filesystem::create_directories(runtime.programFolder());
  for (const char* name : kProgramFiles) {
    std::filesystem::copy_file(std::string(KESTROVE_PROGRAM_DIR) + "/" + name, FilePath(name));
  }
}

ProgramTest::~ProgramTest() {
  menuLoopScript.reset();
  program.reset();
  KZApplication::application = nullptr;
  KSetFileDialogHook(nullptr);
}

std::string ProgramTest::FilePath(const std::string& name) const {
  return runtime.programFolder() + "/" + name;
}

void ProgramTest::WriteFile(const std::string& name, const std::string& bytes) const {
  std::ofstream(FilePath(name), std::ios::binary) << bytes;
}

std::string ProgramTest::ReadFile(const std::string& name) const {
  std::ifstream in(FilePath(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ProgramTest::FileExists(const std::string& name) const {
  return std::filesystem::exists(FilePath(name));
}

TestProgram& ProgramTest::Make(std::vector<std::u16string> arguments) {
  program.reset();
  KZApplication::application = nullptr;
  argumentTexts = {KString::FromUtf8(FilePath("kestrove")).CStr()};
  argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
  argumentPointers.clear();
  for (std::u16string& text : argumentTexts) {
    argumentPointers.push_back(text.data());
  }
  argumentPointers.push_back(nullptr);
  program = std::make_unique<TestProgram>(static_cast<int>(argumentTexts.size()), argumentPointers.data(),
                                          driver, script);
  KZApplication::application = program.get();
  // After the framework's own, which the application object installs.
  KSetFileDialogHook([this](KFileDialogRequest& request) {
    fileDialogs.push_back(request.kind);
    if (fileAnswers.empty()) {
      return -1;
    }
    const FileAnswer answer = fileAnswers.front();
    fileAnswers.pop_front();
    request.file->SetName(KString::FromUtf8(answer.path));
    return answer.choice;
  });
  program->atStep["data file"] = [this] {
    for (const std::u16string& line : settingLines) {
      QvSettings::Write(KString(line.c_str()));
    }
  };
  return *program;
}

int32_t ProgramTest::Run() {
  if (!program) {
    Make();
  }
  const int32_t exitCode = program->Start();
  EXPECT_TRUE(script.Finished()) << "The program ended before its script";
  return exitCode;
}

void ProgramTest::Then(std::function<void()> act) {
  script.Add({"the next pass", nullptr, std::move(act)});
}

void ProgramTest::When(std::string waitingFor, std::function<bool()> ready, std::function<void()> act) {
  script.Add({std::move(waitingFor), std::move(ready), std::move(act)});
}

void ProgramTest::WhenWithin(std::string waitingFor, int32_t withinMs, std::function<bool()> ready,
                             std::function<void()> act) {
  script.Add({std::move(waitingFor), std::move(ready), std::move(act), withinMs});
}

pid_t ProgramTest::StartProcess(const std::vector<std::string>& arguments) {
  std::vector<char*> pointers;
  for (const std::string& argument : arguments) {
    pointers.push_back(const_cast<char*>(argument.c_str()));
  }
  pointers.push_back(nullptr);
  pid_t process = -1;
  if (arguments.empty() ||
      posix_spawn(&process, pointers[0], nullptr, nullptr, pointers.data(), environ) != 0) {
    return -1;
  }
  return process;
}

void ProgramTest::WhenExited(const pid_t& process, int& status) {
  constexpr int32_t kHungPeerMs = 120000;
  WhenWithin(
      "the started process to end", kHungPeerMs,
      [&process, &status] { return process > 0 && waitpid(process, &status, WNOHANG) == process; }, [] {});
}

int ProgramTest::FreePort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  close(probe);
  return port;
}

KZMessageWindow* ProgramTest::FrontMessage() {
  return dynamic_cast<KZMessageWindow*>(ZafWindowObject::windowManager->FrontWindow());
}

void ProgramTest::Answer(const std::u16string& title, std::function<void(KZMessageWindow&)> press) {
  std::string what = "a message window titled \"" + KString(title.c_str()).ToUtf8() + "\"";
  When(
      std::move(what),
      [title] {
        KZMessageWindow* window = FrontMessage();
        return window && window->ScreenID() && std::u16string(window->Text()) == title;
      },
      [this, press] {
        KZMessageWindow& window = *FrontMessage();
        seen.push_back({window.Text(), window.Message().CStr()});
        press(window);
      });
}

void ProgramTest::AnswerWithKey(const std::u16string& title, native::UINT key) {
  Answer(title, [this, key](KZMessageWindow&) { driver.pressKey(key); });
}

void ProgramTest::AnswerWithClick(const std::u16string& title, ZafEventType button) {
  Answer(title, [this, button](KZMessageWindow& window) {
    KZButton* found = FindIn<KZButton>(&window, [button](KZButton& b) { return b.Value() == button; });
    ASSERT_NE(found, nullptr) << "no button answering " << button;
    Click(found);
  });
}

void ProgramTest::AnswerWithCloseBox(const std::u16string& title) {
  Answer(title, [this](KZMessageWindow& window) {
    const native::POINT closeBox = CloseBoxCentre(driver, window);
    driver.click(closeBox.x, closeBox.y);
  });
}

void ProgramTest::AnswerPopUpMenu(std::function<void()> open, std::function<void(native::HWND menu)> answer) {
  Then([this, open] {
    // The menu belongs to the window in front when it opens; an earlier menu's script lets go first.
    menuLoopScript.reset();
    menuLoopScript =
        std::make_unique<MenuLoopScript>(ZafWindowObject::windowManager->FrontWindow()->ScreenID(2), script);
    open();
  });
  When(
      "a pop-up menu waiting for input", [] { return MenuLoopScript::WaitingMenu() != nullptr; },
      [this, answer] {
        menuLoopScript->Answered();
        answer(MenuLoopScript::WaitingMenu());
      });
}

void ProgramTest::ChooseRow(int32_t row) {
  AnswerPopUpMenu(
      [this, row] {
        QvZResultsPane& pane = *CurrentPane<QvZResultsWindow>(PaneKind::kResults)->Pane();
        pane.MakeVisible({0, row}, true, false);
        const KRect cell = pane.UnitToScreen(KRect{0, row, 0, row});
        driver.click((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, native::TestDriver::Right);
      },
      [this](native::HWND) { driver.pressKey(native::VK_ESCAPE); });
}

void ProgramTest::ExitProgram() {
  Then([] { Post(ExitEvent); });
}

void ProgramTest::Post(ZafEventType type) {
  PostEvent(type);
}

void ProgramTest::Click(ZafWindowObject* object) {
  const native::RECT rect = driver.screenRect(object->ScreenID());
  driver.click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// ---- file dialogs, event windows, the command service ----

void ProgramTest::AnswerFileDialog(const std::string& path, int32_t choice) {
  fileAnswers.push_back({path, choice});
}

QvZControl* ProgramTest::Frame() {
  return dynamic_cast<QvZControl*>(KZApplication::mainFrame);
}

QvZEventMDI* ProgramTest::CurrentEventWindow() {
  QvZControl* frame = Frame();
  return frame != nullptr ? frame->CurrentEventWindow() : nullptr;
}

std::vector<QvZEventMDI*> ProgramTest::EventWindows() {
  std::vector<QvZEventMDI*> windows;
  if (QvZControl* frame = Frame()) {
    for (QvZEventMDI* window = frame->FindEventWindow(nullptr); window;
         window = frame->FindEventWindow(window)) {
      windows.push_back(window);
    }
  }
  return windows;
}

void ProgramTest::Setting(std::u16string line) {
  settingLines.push_back(std::move(line));
}

std::shared_future<std::string> ProgramTest::SendCommand(const std::string& command,
                                                         const std::string& topic) {
  const std::string service = KString(kProductName).ToUtf8();
  return std::async(std::launch::async,
                    [service, topic, command] {
                      const native::CommandClient::Result result =
                          native::CommandClient::send(service, topic, command, 5000);
                      if (!result.answer) {
                        return std::string();
                      }
                      const std::string_view line = native::CommandWire::answerLine(*result.answer);
                      return std::string(line.substr(0, line.size() - 1));
                    })
      .share();
}

bool ProgramTest::Ready(const std::shared_future<std::string>& answer) {
  return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}
