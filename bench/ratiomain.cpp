#include "bench/ratiomain.h"

#include <cstdio>

namespace bench {

double MillisecondsPerIteration(std::chrono::steady_clock::time_point started,
                                const benchmark::State& state) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count() /
         static_cast<double>(state.iterations());
}

int RunAndCompare(int argc, char** argv, const char* what, const double& measuredMs, const char* baseline,
                  const double& baselineMs) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (measuredMs > 0 && baselineMs > 0) {
    std::printf("%s %.3f ms, %s %.3f ms, ratio %.2f\n", what, measuredMs, baseline, baselineMs,
                measuredMs / baselineMs);
  }
  return 0;
}

}  // namespace bench
