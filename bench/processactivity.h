// How much a process (all its threads) ran: processor time and the times it was put on a processor, the
// wake-ups of a program that waits, from the scheduler's figures (/proc/<pid>/task/*/schedstat).
#ifndef BENCH_PROCESSACTIVITY_H
#define BENCH_PROCESSACTIVITY_H

#include <benchmark/benchmark.h>
#include <sys/types.h>

#include <cstdint>
#include <string>

struct ProcessActivity {
  double cpuSeconds = 0;
  std::uint64_t wakeUps = 0;

  // 0 is this process.
  static ProcessActivity Of(pid_t pid);
};

// Share of a core (percent) and wake-ups a second between two readings `seconds` apart.
struct IdleShare {
  double cpuPercent = 0;
  double wakeUpsPerSecond = 0;

  static IdleShare Between(const ProcessActivity& before, const ProcessActivity& after, double seconds);
  // As the counters "cpu_percent" and "wakeups_per_s" and the label "no window: 0.08 % of a core, 12.0
  // wake-ups/s", marked when over the aims.
  void Report(benchmark::State& state, const std::string& shown) const;
};

// An idle program's aims: at most this share of a core and this many wake-ups a second.
inline constexpr double kIdleCpuAimPercent = 0.5;
inline constexpr double kIdleWakeUpsAim = 20;

#endif
