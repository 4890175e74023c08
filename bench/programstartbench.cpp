// The program on the headless desktop, from its data files in a program folder of its own: the start-up
// from the application object to the main loop (without the splash's wait), and the idle program's
// resident memory, share of a core and wake-ups a second while its loop waits, with nothing open, with an
// event window, with a menu and with a modal box open (10 seconds each). The desktop's clock is the test
// driver's, which moves only when told: native timers do not fall due (the X11 idle bench has the real one).
// Aims: start-up 150 ms or less; idle 40 MB or less, 0.5 % of a core or less and 20 wake-ups a second or
// fewer.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/framecommands.h"
#include "app/yzapplication.h"
#include "bench/processactivity.h"
#include "bench/programfolder.h"
#include "framework/core/zafeventmanager.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "native/tests/runtimefolder.h"
#include "native/user/menuloop.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzevents.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kStartAimMs = 150;
constexpr double kMemoryAimMb = 40;
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
  ProgramFolder() {
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
  ProgramFolder folder;
  for (auto _ : state) {
    const auto [made, mainLoop] = folder.Run([] { EndLoop(); });
    state.SetIterationTime(std::chrono::duration<double>(mainLoop - made).count());
  }
  state.SetLabel("aim: " + std::to_string(static_cast<int>(kStartAimMs)) + " ms or less");
}
BENCHMARK(StartToMainLoop)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// What the idle program shows while it is measured.
enum Shown { kNothing, kEventWindow, kMenu, kModalBox };
constexpr const char* kShownNames[] = {"no window", "an event window", "a menu", "a modal box"};

// A hidden window of the bench's own, asked by the measuring thread (a posted message, which the menu's loop
// dispatches) whether the menu that Alt+F was to open is open.
native::HWND looker = nullptr;
native::WNDPROC lookerClassProcedure = nullptr;
bool menuSeen = false;
constexpr native::UINT kLookForMenu = native::WM_USER;

native::LRESULT LookerProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                native::LPARAM lParam) {
  if (message == kLookForMenu) {
    menuSeen = native::MenuLoop::running() != nullptr;
    return 0;
  }
  return native::CallWindowProc(lookerClassProcedure, window, message, wParam, lParam);
}

// Opens what is to be shown, on the GUI thread: a new event window, the File menu (Alt+F), the About box.
void Open(Shown shown, native::TestDriver& driver) {
  if (shown == kEventWindow) {
    PutEvent(NewCommand);
  } else if (shown == kMenu) {
    driver.keyDown(native::VK_MENU);
    driver.pressKey('F');
    driver.keyUp(native::VK_MENU);
    menuSeen = false;
    looker = native::CreateWindowEx(0, native::kStaticClass, u"", native::WS_POPUP, 0, 0, 1, 1, nullptr,
                                    nullptr, nullptr, nullptr);
    lookerClassProcedure = reinterpret_cast<native::WNDPROC>(native::SetWindowLong(
        looker, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(LookerProcedure)));
  } else if (shown == kModalBox) {
    PutEvent(AboutCommand);
  }
}

// Closes it and ends the program from another thread, as the loop's other sources would: the menu (once the
// looker has been asked whether it is open) by an Escape posted to the GUI thread, the box by its OK, each
// put or posted while the loop waits; the new event window, unchanged, closes without a question.
void CloseAndEnd(Shown shown, native::DWORD guiThread) {
  if (shown == kMenu) {
    native::PostMessage(looker, kLookForMenu, 0, 0);
    native::PostThreadMessage(guiThread, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
  } else if (shown == kModalBox) {
    PutEvent(KZDialog::kOkResult);
  }
  EndLoop();
}

void IdleProgram(benchmark::State& state) {
  const auto shown = static_cast<Shown>(state.range(0));
  ProgramFolder folder;
  IdleShare share;
  for (auto _ : state) {
    std::thread measurer;
    folder.Run([&] {
      if (measurer.joinable()) {
        return;
      }
      Open(shown, folder.driver);
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
  if (shown == kMenu) {
    native::DestroyWindow(looker);
    if (!menuSeen) {
      state.SkipWithError("Alt+F did not open the File menu");
    }
  }
  share.Report(state, kShownNames[shown]);
  state.counters["resident_mb"] = ResidentMb();
}
BENCHMARK(IdleProgram)
    ->ArgName("shown")
    ->DenseRange(kNothing, kModalBox)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
