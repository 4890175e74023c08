#pragma once
// The chart's own search for the start of an athlete's push: a small state machine over the step slope of
// the plotted trace, tuned by the "\Chart\LocalAlg\" settings. It only finds a sample; the chart pane marks
// it. A development aid beside the reaction time the control unit measures.

#include <cstdint>
#include <optional>

struct LocalAlgorithmSettings {
  int32_t incSlope = 12;       // least rise per sample that counts as rising
  int32_t consIncSlope = 8;    // rising samples in a row that make a candidate
  int32_t totalIncSlope = 40;  // samples over which a candidate's mean rise is taken
  float setMask = 0.6f;        // seconds after the set command in which no start is accepted
  bool showBeforeSet = false;  // accept candidates without looking at the set time
  bool checkNegSlope = false;  // turn down candidates with a quarter of flat or falling steps

  // The values in the settings tree, the defaults above where a node is missing.
  static LocalAlgorithmSettings Read();
};

// Scans the 5001 samples of `plot` (sample 3000 is the gun) and answers the sample where an accepted rise
// starts, or nothing. `setTimeMs` is the set command's time before the gun in milliseconds. A
// totalIncSlope below 1, or too long for the trace, scans nothing.
std::optional<int32_t> FindLocalReactionStart(const double* plot, const LocalAlgorithmSettings& settings,
                                              int32_t setTimeMs);
