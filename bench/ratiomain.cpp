#include "bench/ratiomain.h"

#include <cstddef>
#include <cstdio>
#include <exception>
#include <vector>

#include "foundation/kx.h"

namespace bench {

namespace {

// The display the command line asks for, noting whether any run reported an error.
class FailureWatch : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context& context) override { return display_->ReportContext(context); }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      failed_ = failed_ || run.error_occurred;
    }
    display_->ReportRuns(runs);
  }
  void Finalize() override { display_->Finalize(); }

  bool failed() const { return failed_; }

 private:
  benchmark::BenchmarkReporter* display_ = benchmark::CreateDefaultDisplayReporter();
  bool failed_ = false;
};

}  // namespace

double MillisecondsPerIteration(std::chrono::steady_clock::time_point started,
                                const benchmark::State& state) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count() /
         static_cast<double>(state.iterations());
}

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

bool SetUp(benchmark::State& state, const std::function<void()>& step) {
  const std::string failure = FailureOf(step);
  if (!failure.empty()) {
    state.SkipWithError(("the set-up threw: " + failure).c_str());
  }
  return failure.empty();
}

int RunCases(int argc, char** argv, const std::function<void()>& figures) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  FailureWatch watch;
  const std::size_t ran = benchmark::RunSpecifiedBenchmarks(&watch);
  benchmark::Shutdown();
  if (watch.failed()) {
    return 1;
  }
  // A filter that matches no case measures nothing, which must not pass for a run that did.
  if (ran == 0) {
    std::fprintf(stderr, "no case ran: nothing was measured\n");
    return 1;
  }
  if (figures) {
    figures();
  }
  return 0;
}

int RunAndCompare(int argc, char** argv, const char* what, const double& measuredMs, const char* baseline,
                  const double& baselineMs) {
  return RunCases(argc, argv, [&] {
    if (measuredMs > 0 && baselineMs > 0) {
      std::printf("%s %.3f ms, %s %.3f ms, ratio %.2f\n", what, measuredMs, baseline, baselineMs,
                  measuredMs / baselineMs);
    }
  });
}

}  // namespace bench
