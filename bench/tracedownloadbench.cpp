// Downloads the traces of 8 lanes from the control-unit simulator over a pseudo-terminal, paced at
// 19200 baud like the real line in both directions (and unpaced, for the program's own cost). Reports the
// time against the wire time of the bytes that crossed the line (the physical limit at that speed, since
// every reply waits for its request): their ratio, which cannot fall below 1, and the time the program
// adds to the line's. Also the protocol's overhead: every byte that is not a trace sample.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "devices/qvblocksensors.h"
#include "devices/qvpacket.h"
#include "foundation/kregistry.h"
#include "foundation/kserialport.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"
#include "model/qvtrace.h"
#include "tools/cusim/cusimulator.h"

namespace {

constexpr int32_t kLanes = 8;

void TraceDownload(benchmark::State& state) {
  const int32_t baud = static_cast<int32_t>(state.range(0));
  KRegistry::RegisterTypes();
  KRegistry registry;
  QvSettings::SetRoot(&registry);
  CuScenario scenario;
  scenario.laneCount = kLanes;
  scenario.reactionTimes = {150, 142, 131, 160, 128, 177, 139, 145};
  scenario.paceBaud = baud;
  uint64_t lineBytes = 0;
  uint64_t sampleBytes = 0;
  double downloadSeconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CuSimulator simulator(scenario);
    setenv("KESTROVE_COM78", simulator.DevicePath().c_str(), 1);
    KSerialPort port;
    port.OpenSettings(KString(u"78,19200,8,N,1.0"), KSerialPort::kRead | KSerialPort::kWrite);
    // The link's own read time-out, as a download in a meeting has it.
    port.SetTimeout(QvSettings::Int(u"\\Serial\\ShortTimeout", KSerialPort::kDefaultTimeoutMs));
    QvBlockSensors link;
    QvResult result;
    state.ResumeTiming();
    const auto begin = std::chrono::steady_clock::now();
    for (int32_t lane = 1; lane <= kLanes; ++lane) {
      if (!link.DownloadTrials(port, lane, 0, scenario.gunWord, false, true, 0)) {
        state.SkipWithError("a lane failed to download");
        break;
      }
      link.FillResult(result, false);
      sampleBytes += 2u * 2u * static_cast<uint64_t>(result.TraceSampleCount());
    }
    state.PauseTiming();
    downloadSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    lineBytes += simulator.BytesReceived() + simulator.BytesSent();
    port.Close();
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
  QvSettings::SetRoot(nullptr);
}

}  // namespace

BENCHMARK(TraceDownload)->Arg(19200)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

BENCHMARK_MAIN();
