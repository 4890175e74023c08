#pragma once
// The main of a benchmark program that compares two of its cases: runs the cases the command line names,
// then prints the two times and their ratio when both ran.

#include <benchmark/benchmark.h>

#include <chrono>

namespace bench {

// The wall time per iteration since `started`, in milliseconds.
double MillisecondsPerIteration(std::chrono::steady_clock::time_point started, const benchmark::State& state);

// `what` names the case measured and `baseline` the one it is read against, e.g. "a key" and "a new text".
int RunAndCompare(int argc, char** argv, const char* what, const double& measuredMs, const char* baseline,
                  const double& baselineMs);

}  // namespace bench
