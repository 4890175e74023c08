// The program on the headless desktop, from its data files in a program folder of its own: the start-up
// from the application object to the main loop (without the splash's wait), and the idle program's
// resident memory and share of one core over 10 seconds of its real loop (1 ms pauses included).
// Aims: start-up 150 ms or less; idle 40 MB or less and 2 % of a core or less.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/yzapplication.h"
#include "framework/core/zafeventmanager.h"
#include "native/testdriver.h"
#include "native/tests/runtimefolder.h"
#include "toolkit/kzevents.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kStartAimMs = 150;
constexpr double kMemoryAimMb = 40;
constexpr double kCpuAimPercent = 2;
constexpr auto kIdleTime = std::chrono::seconds(10);
// How long the loop's pauses alone are measured, for comparison.
constexpr auto kPausesTime = std::chrono::seconds(2);

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

void EndLoop() {
  ZafWindowObject::eventManager->Put(ZafEventRecord(static_cast<int32_t>(ExitEvent), 0), Q_END);
}

// A program folder with the data files, a private runtime folder and the headless desktop.
struct ProgramFolder {
  ProgramFolder() {
    std::filesystem::create_directories(runtime.programFolder());
    for (const char* name : {"kestrove.znc", "kestrove.tgs", "English.lng"}) {
      std::filesystem::copy_file(std::string(KESTROVE_PROGRAM_DIR) + "/" + name,
                                 runtime.programFolder() + "/" + name);
    }
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

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

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

// The share of a core that 1 ms pauses alone take, as the loop makes them when idle.
double PausesAlonePercent() {
  const Clock::time_point since = Clock::now();
  const double cpuSince = CpuSeconds();
  while (Clock::now() - since < kPausesTime) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return 100.0 * (CpuSeconds() - cpuSince) / std::chrono::duration<double>(Clock::now() - since).count();
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

void IdleProgram(benchmark::State& state) {
  ProgramFolder folder;
  for (auto _ : state) {
    bool measuring = false;
    bool measured = false;
    Clock::time_point since;
    double cpuSince = 0;
    folder.Run([&] {
      if (measured) {
        return;
      }
      if (!measuring) {
        measuring = true;
        since = Clock::now();
        cpuSince = CpuSeconds();
      } else if (Clock::now() - since >= kIdleTime) {
        const double wall = std::chrono::duration<double>(Clock::now() - since).count();
        state.counters["cpu_percent"] = 100.0 * (CpuSeconds() - cpuSince) / wall;
        state.counters["resident_mb"] = ResidentMb();
        measured = true;
        EndLoop();
      }
    });
  }
  state.counters["pauses_alone_percent"] = PausesAlonePercent();
  char label[96];
  std::snprintf(label, sizeof label, "aims: %.0f %% of a core or less, %.0f MB or less", kCpuAimPercent,
                kMemoryAimMb);
  state.SetLabel(label);
}
BENCHMARK(IdleProgram)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
