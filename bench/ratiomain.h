#pragma once
// The main of every benchmark program: runs the cases the command line names and fails the program when a
// case failed, so that a figure worked out from a broken input is never read. A program that compares two of
// its cases prints the two times and their ratio when both ran and passed.

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>

namespace bench {

// The wall time per iteration since `started`, in milliseconds.
double MillisecondsPerIteration(std::chrono::steady_clock::time_point started, const benchmark::State& state);

// What stopped `step`: empty when it ran through, else what it threw ("error <code>" for the program's own
// failures).
std::string FailureOf(const std::function<void()>& step);
// Runs a case's set-up. When that throws, the case fails with what stopped it, so that the run names the
// case and exits 1 rather than ending on an uncaught exception; false then, and the case must return.
bool SetUp(benchmark::State& state, const std::function<void()>& step);

// Answers main's exit code: 1 when a case failed (called SkipWithError, which it must when its input did not
// reach what it measures), when no case ran (a filter that matches none), or an argument is not the
// library's, else 0. `figures` prints what the program works out from its cases' results, only when every
// case that ran passed.
int RunCases(int argc, char** argv, const std::function<void()>& figures = nullptr);

// `what` names the case measured and `baseline` the one it is read against, e.g. "a key" and "a new text".
int RunAndCompare(int argc, char** argv, const char* what, const double& measuredMs, const char* baseline,
                  const double& baselineMs);

}  // namespace bench
