// The program on the headless desktop, from its data files in a program folder of its own: the start-up
// from the application object to the main loop (without the splash's wait), and the idle program's
// resident memory, share of a core and wake-ups a second while its loop waits, with nothing open, with an
// event window, with a menu and with a modal box open (10 seconds each). The desktop's clock is the test
// driver's, which moves only when told: native timers do not fall due (the X11 idle bench has the real one).
// Each case must see what it names: the main loop reached, the main frame, the event window, the menu or the
// box open while it measured. Aims: start-up 150 ms or less; idle 40 MB or less, 0.5 % of a core or less and
// 20 wake-ups a second or fewer.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/yzapplication.h"
#include "bench/processactivity.h"
#include "bench/programfolder.h"
#include "bench/ratiomain.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "native/tests/runtimefolder.h"
#include "native/user/menuloop.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzevents.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kStartAimMs = 150;
constexpr auto kIdleTime = std::chrono::seconds(10);
// How long what was opened has to settle before the measuring begins.
constexpr auto kSettleTime = std::chrono::milliseconds(500);

// The program with no splash wait, that tells when its main loop begins and runs `onIdle` on every idle
// pass.
class BenchProgram : public YZApplication {
 public:
  using YZApplication::YZApplication;
  bool Idle(int32_t idleCount) override {
    if (onIdle) {
      onIdle();
    }
    return YZApplication::Idle(idleCount);
  }
  std::function<void()> onIdle;
  Clock::time_point mainLoop;

 protected:
  void Wait(int32_t) override {}
  void Reached(const char* step) override {
    if (std::strcmp(step, "main loop") == 0) {
      mainLoop = Clock::now();
    }
  }
};

void PutEvent(ZafEventType type) {
  ZafWindowObject::eventManager->Put(ZafEventRecord(static_cast<int32_t>(type), 0), Q_END);
}

void EndLoop() {
  PutEvent(ExitEvent);
}

// A program folder, a private runtime folder and the headless desktop.
struct ProgramFolder {
  // Throws when the temporary folder cannot be made or filled.
  ProgramFolder() {
    if (!runtime.valid()) {
      throw std::runtime_error("no temporary folder for the program");
    }
    MakeProgramFolder(runtime.programFolder());
    path = KString::FromUtf8(runtime.programFolder() + "/kestrove").CStr();
    arguments = {path.data(), nullptr};
  }
  // Makes the program, runs it with `onIdle` until that ends the loop; answers when the main loop began
  // and when the object was made.
  std::pair<Clock::time_point, Clock::time_point> Run(const std::function<void()>& onIdle) {
    const Clock::time_point made = Clock::now();
    BenchProgram program(1, arguments.data());
    KZApplication::application = &program;
    program.onIdle = onIdle;
    program.Start();
    KZApplication::application = nullptr;
    return {made, program.mainLoop};
  }

  native::test::RuntimeFolder runtime;
  native::TestDriver driver{native::DesktopOptions{1280, 1024, 96}};
  std::u16string path;
  std::vector<ZafIChar*> arguments;
};

double ResidentMb() {
  long pages = 0;
  long resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
      resident = 0;
    }
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void StartToMainLoop(benchmark::State& state) {
  std::optional<ProgramFolder> folder;
  if (!bench::SetUp(state, [&folder] { folder.emplace(); })) {
    return;
  }
  for (auto _ : state) {
    const auto [made, mainLoop] = folder->Run([] { EndLoop(); });
    if (mainLoop == Clock::time_point{}) {
      state.SkipWithError("the program did not reach its main loop");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(mainLoop - made).count());
  }
  state.SetLabel("aim: " + std::to_string(static_cast<int>(kStartAimMs)) + " ms or less");
}

// What the idle program shows while it is measured.
enum Shown { kNothing, kEventWindow, kMenu, kModalBox };
constexpr const char* kShownNames[] = {"no window", "an event window", "a menu", "a modal box"};

// Whether the program shows what the case names: its main frame, an event window in it, a menu open, a box
// in front.
bool Shows(Shown shown) {
  auto* frame = dynamic_cast<QvZControl*>(KZApplication::mainFrame);
  switch (shown) {
    case kNothing:
      return frame != nullptr;
    case kEventWindow:
      return frame != nullptr && frame->FindEventWindow(nullptr) != nullptr;
    case kMenu:
      return native::MenuLoop::running() != nullptr;
    case kModalBox:
      return dynamic_cast<KZDialog*>(ZafWindowObject::windowManager->FrontWindow()) != nullptr;
  }
  return false;
}

// A hidden window of the bench's own, asked by the measuring thread (a posted message, which the menu's and
// the box's loops dispatch too) whether the program shows what the case opened.
native::HWND looker = nullptr;
native::WNDPROC lookerClassProcedure = nullptr;
Shown looked = kNothing;
std::atomic<bool> answered = false;
bool seen = false;
constexpr native::UINT kLook = native::WM_USER;

native::LRESULT LookerProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                native::LPARAM lParam) {
  if (message == kLook) {
    seen = Shows(looked);
    answered = true;
    return 0;
  }
  return native::CallWindowProc(lookerClassProcedure, window, message, wParam, lParam);
}

// Opens what is to be shown, on the GUI thread: a new event window, the File menu (Alt+F), the About box;
// and the looker.
void Open(Shown shown, native::TestDriver& driver) {
  if (shown == kEventWindow) {
    PutEvent(NewCommand);
  } else if (shown == kMenu) {
    driver.keyDown(native::VK_MENU);
    driver.pressKey('F');
    driver.keyUp(native::VK_MENU);
  } else if (shown == kModalBox) {
    PutEvent(AboutCommand);
  }
  looked = shown;
  answered = false;
  seen = false;
  looker = native::CreateWindowEx(0, native::kStaticClass, u"", native::WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, nullptr, nullptr);
  lookerClassProcedure = reinterpret_cast<native::WNDPROC>(native::SetWindowLong(
      looker, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(LookerProcedure)));
}

// Closes it and ends the program from another thread, as the loop's other sources would, once the looker has
// answered whether it shows (within a second): the menu by an Escape posted to the GUI thread, the box by its
// OK, each put or posted while the loop waits; the new event window, unchanged, closes without a question.
void CloseAndEnd(Shown shown, native::DWORD guiThread) {
  native::PostMessage(looker, kLook, 0, 0);
  for (int waited = 0; !answered && waited < 1000; ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (shown == kMenu) {
    native::PostThreadMessage(guiThread, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
  } else if (shown == kModalBox) {
    PutEvent(KZDialog::kOkResult);
  }
  EndLoop();
}

void IdleProgram(benchmark::State& state) {
  const auto shown = static_cast<Shown>(state.range(0));
  std::optional<ProgramFolder> folder;
  if (!bench::SetUp(state, [&folder] { folder.emplace(); })) {
    return;
  }
  IdleShare share;
  for (auto _ : state) {
    std::thread measurer;
    folder->Run([&] {
      if (measurer.joinable()) {
        return;
      }
      Open(shown, folder->driver);
      measurer = std::thread([&share, shown, guiThread = native::GetCurrentThreadId()] {
        std::this_thread::sleep_for(kSettleTime);
        const ProcessActivity before = ProcessActivity::Of(0);
        const Clock::time_point since = Clock::now();
        std::this_thread::sleep_for(kIdleTime);
        share = IdleShare::Between(before, ProcessActivity::Of(0),
                                   std::chrono::duration<double>(Clock::now() - since).count());
        CloseAndEnd(shown, guiThread);
      });
    });
    measurer.join();
  }
  native::DestroyWindow(looker);
  if (!seen) {
    state.SkipWithError("the program did not show what the case names while it was measured");
  }
  share.Report(state, kShownNames[shown]);
  state.counters["resident_mb"] = ResidentMb();
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("StartToMainLoop", StartToMainLoop)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(10);
  benchmark::RegisterBenchmark("IdleProgram", IdleProgram)
      ->ArgName("shown")
      ->DenseRange(kNothing, kModalBox)
      ->Unit(benchmark::kSecond)
      ->Iterations(1);
  return bench::RunCases(argc, argv);
}
