// Downloads the traces of 8 lanes from the control-unit simulator over a pseudo-terminal, paced at
// 19200 baud like the real line in both directions (and unpaced, for the program's own cost): through the
// link alone, lane by lane, and through the results pane's Download Trace on the headless desktop (its
// probe, trial header, lane records, trace blocks and end steps, its settle wait after the open included).
// Reports the time against the wire time of the bytes that crossed the line (the physical limit at that
// speed, since every reply waits for its request): their ratio, which cannot fall below 1, and the time the
// program adds to the line's. Also the protocol's overhead: every byte that is not a trace sample. A download
// must bring every lane's trace.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/qvzresultspane.h"
#include "bench/ratiomain.h"
#include "devices/qvblocksensors.h"
#include "devices/qvpacket.h"
#include "foundation/kregistry.h"
#include "foundation/kserialport.h"
#include "foundation/kx.h"
#include "framework/core/zafapplication.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/qvtrace.h"
#include "model/yleg.h"
#include "native/testdriver.h"
#include "toolkit/kzfonttable.h"
#include "tools/cusim/cusimulator.h"

namespace {

constexpr int32_t kLanes = 8;
constexpr const char16_t* kPortSettings = u"78,19200,8,N,1.0";

// One download of every lane's trace; false when a lane failed or came without its trace. `sampleBytes`
// counts the trace bytes.
using Download = std::function<bool(uint64_t& sampleBytes)>;

// Runs `step`, answering what stopped it: empty when it ran through. A port that does not open throws, and
// the case must fail by its name rather than end the program.
std::string FailureOf(const std::function<void()>& step) {
  try {
    step();
    return std::string();
  } catch (const KX& error) {
    return "error " + std::to_string(error.Code());
  } catch (const std::exception& error) {
    return error.what();
  }
}

void Measure(benchmark::State& state, const Download& download) {
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
    if (const std::string failure = FailureOf([&] { simulator = std::make_unique<CuSimulator>(scenario); });
        !failure.empty()) {
      state.SkipWithError(("the simulator did not start: " + failure).c_str());
      break;
    }
    setenv("KESTROVE_COM78", simulator->DevicePath().c_str(), 1);
    state.ResumeTiming();
    const auto begin = std::chrono::steady_clock::now();
    bool downloaded = false;
    const std::string failure = FailureOf([&] { downloaded = download(sampleBytes); });
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
}

uint64_t TraceBytes(const QvResult& result) {
  return 2u * 2u * static_cast<uint64_t>(result.TraceSampleCount());
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

// Keys typed before the pane's download and still held, unread, when it ends.
int heldKeys = 0;

void PaneDownload(benchmark::State& state) {
  const Settings settings;
  native::TestDriver driver{native::DesktopOptions{1280, 1024, 96}};
  for (int key = 0; key < heldKeys; ++key) {
    driver.pressKey('A');
  }
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
    int32_t lanes = 0;
    for (const QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
         result = results.Iterate(result, nullptr)) {
      done = done && result->TraceSampleCount() != 0;
      sampleBytes += TraceBytes(*result);
      ++lanes;
    }
    return done && lanes == kLanes;
  });
  QvBlockSensors::SetGlobal(nullptr);
  KZFontTable::ExitFonts();
}

// A wait's look at the queue costs the same whatever input is held: against PaneDownload, 400 keys typed
// ahead of the download add nothing to it (their own handling comes after it and is not measured).
void PaneDownloadWithKeysHeld(benchmark::State& state) {
  constexpr int kHeldKeys = 400;
  heldKeys = kHeldKeys;
  PaneDownload(state);
  heldKeys = 0;
}

}  // namespace

BENCHMARK(LinkDownload)->Arg(19200)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(PaneDownload)->Arg(19200)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

BENCHMARK(PaneDownloadWithKeysHeld)
    ->Arg(19200)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

int main(int argc, char** argv) {
  return bench::RunCases(argc, argv);
}
