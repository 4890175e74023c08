// Downloads the traces of 8 lanes from the control-unit simulator over a pseudo-terminal, paced at
// 19200 baud like the real line in both directions (and unpaced, for the program's own cost): through the
// link alone, lane by lane, and through the results pane's Download Trace on the headless desktop (its
// probe, trial header, lane records, trace blocks and end steps, its settle wait after the open included).
// Reports the time against the wire time of the bytes that crossed the line (the physical limit at that
// speed, since every reply waits for its request): their ratio, which cannot fall below 1, and the time the
// program adds to the line's. Also the protocol's overhead: every byte that is not a trace sample. A download
// must bring every lane's trace. The started program's Download Trace, with one and with four event windows
// open, also counts the passes of its waits' service a second (every look for paints walks every window);
// for its instructions run it under valgrind --tool=callgrind with --toggle-collect='*DownloadAndPaint*':
// the download and the paint of what it brought (the rows, and the chart reloaded at its end), wherever that
// paint runs: in the download before it returns, or in the loop after it.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/framecommands.h"
#include "app/linkwaitservice.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzresultspane.h"
#include "app/yzapplication.h"
#include "bench/programfolder.h"
#include "bench/ratiomain.h"
#include "devices/linkwaitrelay.h"
#include "devices/qvblocksensors.h"
#include "devices/qvpacket.h"
#include "foundation/kregistry.h"
#include "foundation/kserialport.h"
#include "foundation/kx.h"
#include "framework/core/zafapplication.h"
#include "framework/core/zafeventmanager.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/qvtrace.h"
#include "model/yleg.h"
#include "native/testdriver.h"
#include "native/tests/runtimefolder.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzfonttable.h"
#include "tools/cusim/cusimulator.h"

namespace {

constexpr int32_t kLanes = 8;
constexpr const char16_t* kPortSettings = u"78,19200,8,N,1.0";

// One download of every lane's trace; false when a lane failed or came without its trace. `sampleBytes`
// counts the trace bytes.
using Download = std::function<bool(uint64_t& sampleBytes)>;

// Answers the seconds the downloads took.
double Measure(benchmark::State& state, const Download& download) {
  const int32_t baud = static_cast<int32_t>(state.range(0));
  CuScenario scenario;
  scenario.laneCount = kLanes;
  scenario.reactionTimes = {150, 142, 131, 160, 128, 177, 139, 145};
  scenario.paceBaud = baud;
  uint64_t lineBytes = 0;
  uint64_t sampleBytes = 0;
  double downloadSeconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<CuSimulator> simulator;
    if (const std::string failure = bench::FailureOf([&] { simulator = std::make_unique<CuSimulator>(scenario); });
        !failure.empty()) {
      state.SkipWithError(("the simulator did not start: " + failure).c_str());
      break;
    }
    setenv("KESTROVE_COM78", simulator->DevicePath().c_str(), 1);
    state.ResumeTiming();
    const auto begin = std::chrono::steady_clock::now();
    bool downloaded = false;
    const std::string failure = bench::FailureOf([&] { downloaded = download(sampleBytes); });
    state.PauseTiming();
    if (!failure.empty()) {
      state.SkipWithError(("the download stopped: " + failure).c_str());
      break;
    }
    if (!downloaded) {
      state.SkipWithError("a lane failed to download or came without its trace");
      break;
    }
    downloadSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    lineBytes += simulator->BytesReceived() + simulator->BytesSent();
    state.ResumeTiming();
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["line_bytes"] = static_cast<double>(lineBytes) / iterations;
  state.counters["overhead_bytes"] = static_cast<double>(lineBytes - sampleBytes) / iterations;
  state.counters["overhead_pct"] =
      100.0 * static_cast<double>(lineBytes - sampleBytes) / static_cast<double>(lineBytes);
  if (baud > 0) {
    // 10 bits a byte on the line: start, 8 data, stop.
    const double wireSeconds = static_cast<double>(lineBytes) * 10 / baud;
    state.counters["wire_s"] = wireSeconds / iterations;
    state.counters["ratio_to_wire"] = downloadSeconds / wireSeconds;
    state.counters["program_s_over_wire"] = (downloadSeconds - wireSeconds) / iterations;
  }
  return downloadSeconds;
}

uint64_t TraceBytes(const QvResult& result) {
  return 2u * 2u * static_cast<uint64_t>(result.TraceSampleCount());
}

// Whether the results hold kLanes lanes, each with its trace, whose bytes `sampleBytes` counts.
bool EveryLaneTraced(const QvResults& results, uint64_t& sampleBytes) {
  bool traced = true;
  int32_t lanes = 0;
  for (const QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
       result = results.Iterate(result, nullptr)) {
    traced = traced && result->TraceSampleCount() != 0;
    sampleBytes += TraceBytes(*result);
    ++lanes;
  }
  return traced && lanes == kLanes;
}

// The settings of a download: the first named serial port on the simulator.
struct Settings {
  Settings() {
    KRegistry::RegisterTypes();
    QvSettings::SetRoot(&registry);
    KRegistry::AddLine(&registry, KString(u"\\SerialPorts\\Unit\\Name:String=Control Unit"));
    KRegistry::AddLine(&registry, KString(u"\\SerialPorts\\Unit\\SerialPort:String=").Append(kPortSettings));
  }
  ~Settings() { QvSettings::SetRoot(nullptr); }
  KRegistry registry;
};

void LinkDownload(benchmark::State& state) {
  const Settings settings;
  Measure(state, [](uint64_t& sampleBytes) {
    KSerialPort port;
    port.OpenSettings(KString(kPortSettings), KSerialPort::kRead | KSerialPort::kWrite);
    // The link's own read time-out, as a download in a meeting has it.
    port.SetTimeout(QvSettings::Int(u"\\Serial\\ShortTimeout", KSerialPort::kDefaultTimeoutMs));
    QvBlockSensors link;
    QvResult result;
    for (int32_t lane = 1; lane <= kLanes; ++lane) {
      if (!link.DownloadTrials(port, lane, 0, CuScenario().gunWord, false, true, 0)) {
        return false;
      }
      link.FillResult(result, false);
      if (result.TraceSampleCount() == 0) {
        return false;
      }
      sampleBytes += TraceBytes(result);
    }
    return true;
  });
}

void PaneDownload(benchmark::State& state) {
  const Settings settings;
  native::TestDriver driver{native::DesktopOptions{1280, 1024, 96}};
  ZafIChar program[9] = u"kestrove";
  ZafIChar* arguments[2] = {program, nullptr};
  ZafApplication application{1, arguments};
  KZFontTable::InitFonts();
  QvBlockSensors link;
  QvBlockSensors::SetGlobal(&link);
  Measure(state, [](uint64_t& sampleBytes) {
    QvEvent event;
    QvResults& results = event.NewLeg()->Results();
    bool done = false;
    {
      QvZResultsPane pane(nullptr, results.View(0));
      done = pane.Download(false, true);
    }
    return EveryLaneTraced(results, sampleBytes) && done;
  });
  QvBlockSensors::SetGlobal(nullptr);
  KZFontTable::ExitFonts();
}

// The program's waits for the unit as the application serves them, counting the passes.
class CountedWaits : public LinkWaitReporter {
 public:
  explicit CountedWaits(LinkWaitReporter* program) : program(program) {}
  void Busy(bool busy) override { program->Busy(busy); }
  void Serve() override {
    ++passes;
    program->Serve();
  }
  bool WaitsEnd() const override { return program->WaitsEnd(); }

  uint64_t passes = 0;

 private:
  LinkWaitReporter* const program;
};

// The program with no splash wait, that runs `onIdle` on every idle pass.
class DownloadingProgram : public YZApplication {
 public:
  using YZApplication::YZApplication;
  bool Idle(int32_t idleCount) override {
    onIdle();
    return YZApplication::Idle(idleCount);
  }
  std::function<void()> onIdle;

 protected:
  void Wait(int32_t) override {}
};

// The results pane's Download Trace in `window`, then the paint of what is left invalid: what an official
// waits for after the command.
[[gnu::noinline]] void DownloadAndPaint(QvZEventMDI* window) {
  window->Event(ZafEventRecord(QvZResultsPane::kDownloadTraceCommand, 0));
  PaintWhileLinkWaits();
}

std::vector<QvZEventMDI*> EventWindows() {
  std::vector<QvZEventMDI*> windows;
  if (auto* frame = dynamic_cast<QvZControl*>(KZApplication::mainFrame)) {
    for (QvZEventMDI* window = frame->FindEventWindow(nullptr); window != nullptr;
         window = frame->FindEventWindow(window)) {
      windows.push_back(window);
    }
  }
  return windows;
}

// Keys typed just before the started program's download and held, unread, while it runs.
int heldKeys = 0;

// The started program's Download Trace into the current of `state.range(1)` new event windows (of 8
// default lanes each), from its Results menu's command.
void ProgramDownload(benchmark::State& state) {
  const int64_t events = state.range(1);
  native::test::RuntimeFolder runtime;
  MakeProgramFolder(runtime.programFolder());
  // Each new event in a window of its own.
  std::ofstream(runtime.programFolder() + "/kestrove.cfg", std::ios::app) << "\\Event\\SingleEvent:Int=0\n";
  native::TestDriver driver{native::DesktopOptions{1280, 1024, 96}};
  std::u16string path = KString::FromUtf8(runtime.programFolder() + "/kestrove").CStr();
  ZafIChar* arguments[2] = {path.data(), nullptr};
  DownloadingProgram program(1, arguments);
  KZApplication::application = &program;
  bool measured = false;
  program.onIdle = [&] {
    const std::vector<QvZEventMDI*> windows = EventWindows();
    if (measured || static_cast<int64_t>(windows.size()) < events) {
      if (!measured) {
        ZafWindowObject::eventManager->Put(ZafEventRecord(NewCommand, 0), Q_END);
      }
      return;
    }
    measured = true;
    for (const char16_t* line : {u"\\SerialPorts\\Unit\\Name:String=Control Unit",
                                 u"\\SerialPorts\\Unit\\SerialPort:String=78,19200,8,N,1.0"}) {
      KRegistry::AddLine(program.Settings(), KString(line));
    }
    // Shift, which changes nothing once acted on after the download.
    for (int key = 0; key < heldKeys; ++key) {
      driver.pressKey(native::VK_SHIFT);
    }
    CountedWaits waits(program.LinkWaits());
    QvBlockSensors::Global()->SetWaitReporter(&waits);
    const double seconds = Measure(state, [](uint64_t& sampleBytes) {
      QvZEventMDI* window = dynamic_cast<QvZControl*>(KZApplication::mainFrame)->CurrentEventWindow();
      DownloadAndPaint(window);
      return EveryLaneTraced(window->GetEvent()->Leg(0)->Results(), sampleBytes);
    });
    QvBlockSensors::Global()->SetWaitReporter(program.LinkWaits());
    state.counters["passes_per_s"] = static_cast<double>(waits.passes) / seconds;
    // Nothing to save: the exit asks no question.
    for (QvZEventMDI* window : EventWindows()) {
      window->GetEvent()->SetModified(false);
    }
    ZafWindowObject::eventManager->Put(ZafEventRecord(ExitEvent, 0), Q_END);
  };
  program.Start();
  KZApplication::application = nullptr;
  if (!measured) {
    state.SkipWithError("the program ended before its event windows opened");
  }
}

// A wait's pass costs the same whatever input is held: against ProgramDownload with one event window, 400
// keys held through the download add nothing to it (their own handling comes after it).
void ProgramDownloadWithKeysHeld(benchmark::State& state) {
  constexpr int kHeldKeys = 400;
  heldKeys = kHeldKeys;
  ProgramDownload(state);
  heldKeys = 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects: nothing of the bench runs before main.
  for (const auto& [name, download] :
       {std::pair{"LinkDownload", &LinkDownload}, std::pair{"PaneDownload", &PaneDownload}}) {
    benchmark::RegisterBenchmark(name, download)
        ->Arg(19200)
        ->Arg(0)
        ->Iterations(1)
        ->Unit(benchmark::kSecond)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("ProgramDownload", ProgramDownload)
      ->Args({19200, 1})
      ->Args({19200, 4})
      ->Iterations(1)
      ->Unit(benchmark::kSecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("ProgramDownloadWithKeysHeld", ProgramDownloadWithKeysHeld)
      ->Args({19200, 1})
      ->Iterations(1)
      ->Unit(benchmark::kSecond)
      ->UseRealTime();
  return bench::RunCases(argc, argv);
}
