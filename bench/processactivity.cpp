#include "bench/processactivity.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

ProcessActivity ProcessActivity::Of(pid_t pid) {
  const std::string tasks = "/proc/" + (pid == 0 ? std::string("self") : std::to_string(pid)) + "/task";
  ProcessActivity activity;
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
    // Nanoseconds on a processor, nanoseconds waiting for one, times put on one.
    std::ifstream figures(task.path() / "schedstat");
    std::uint64_t running = 0;
    std::uint64_t waiting = 0;
    std::uint64_t slices = 0;
    if (figures >> running >> waiting >> slices) {
      activity.cpuSeconds += static_cast<double>(running) / 1e9;
      activity.wakeUps += slices;
    }
  }
  return activity;
}

IdleShare IdleShare::Between(const ProcessActivity& before, const ProcessActivity& after, double seconds) {
  return IdleShare{100.0 * (after.cpuSeconds - before.cpuSeconds) / seconds,
                   static_cast<double>(after.wakeUps - before.wakeUps) / seconds};
}

void IdleShare::Report(benchmark::State& state, const std::string& shown) const {
  state.counters["cpu_percent"] = cpuPercent;
  state.counters["wakeups_per_s"] = wakeUpsPerSecond;
  char text[160];
  std::snprintf(
      text, sizeof text, "%s: %.2f %% of a core, %.1f wake-ups/s%s", shown.c_str(), cpuPercent,
      wakeUpsPerSecond,
      cpuPercent <= kIdleCpuAimPercent && wakeUpsPerSecond <= kIdleWakeUpsAim ? "" : " (over the aim)");
  state.SetLabel(text);
}
