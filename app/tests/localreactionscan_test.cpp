// The chart's own search for the start of the push: the state machine over the step slope of the plotted
// trace, with its settings' edge cases.

#include "app/localreactionscan.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

constexpr int32_t kSamples = 5001;
constexpr int32_t kSetTime = 1500;  // the set command 1.5 s before the gun, at sample 1500

// A rising run: from sample `from` on, the trace rises by `slope` per sample for `length` samples
// (length 0: up to the end).
struct Rise {
  int32_t from;
  int32_t slope;
  int32_t length = 0;
};

// A trace that is flat at 0 except for its rises, each laid on what came before.
std::vector<double> Trace(const std::vector<Rise>& rises) {
  std::vector<int32_t> slope(kSamples, 0);
  for (const Rise& rise : rises) {
    const int32_t end = rise.length == 0 ? kSamples : rise.from + rise.length;
    for (int32_t i = rise.from; i < end; ++i) {
      slope[i] = rise.slope;
    }
  }
  std::vector<double> plot(kSamples, 0.0);
  for (int32_t i = 1; i < kSamples; ++i) {
    plot[i] = plot[i - 1] + slope[i];
  }
  return plot;
}

// Rises 40 per sample from 2200 for 8 samples, stays flat for `flat` samples, then rises on.
std::vector<double> RiseWithFlatSteps(int32_t flat) {
  return Trace({{2200, 40, 8}, {2208 + flat, 40}});
}

LocalAlgorithmSettings Defaults() {
  return {};
}

LocalAlgorithmSettings WithLength(int32_t length) {
  LocalAlgorithmSettings settings;
  settings.totalIncSlope = length;
  return settings;
}

LocalAlgorithmSettings BeforeSetShown() {
  LocalAlgorithmSettings settings;
  settings.showBeforeSet = true;
  return settings;
}

LocalAlgorithmSettings NegativeSlopeChecked() {
  LocalAlgorithmSettings settings;
  settings.checkNegSlope = true;
  return settings;
}

struct Case {
  const char* name;
  std::vector<double> plot;
  LocalAlgorithmSettings settings;
  std::optional<int32_t> expected;
};

}  // namespace

TEST(LocalReactionScan, FindsTheStartOfAnAcceptedRise) {
  const Case cases[] = {
      {"steady rise 0.7 s after set", Trace({{2200, 20}}), Defaults(), 2200},
      {"rise of 13: mean over 40 just enough", Trace({{2200, 13}}), Defaults(), 2200},
      {"rise of 12: mean over 40 falls short", Trace({{2200, 12}}), Defaults(), std::nullopt},
      {"rise below the least slope", Trace({{2200, 11}}), Defaults(), std::nullopt},
      {"seven rising samples then flat", Trace({{2200, 50, 7}}), Defaults(), std::nullopt},
      {"eight steep samples, mean over 40 too low", Trace({{2200, 50, 8}}), Defaults(), std::nullopt},
      {"eight steep samples, mean over 40 enough", Trace({{2200, 70, 8}}), Defaults(), 2200},
      {"rise inside the set mask, taken at the first candidate after it", Trace({{2050, 20}}), Defaults(),
       2106},
      {"rise 0.599 s after set, taken at the next candidate", Trace({{2099, 20}}), Defaults(), 2107},
      {"rise exactly 0.6 s after set", Trace({{2100, 20}}), Defaults(), 2100},
      {"rise 0.601 s after set", Trace({{2101, 20}}), Defaults(), 2101},
      {"early bump turned down, later rise taken", Trace({{1600, 30, 50}, {2300, 30}}), Defaults(), 2300},
      {"inside the mask with Show Before Set", Trace({{2050, 20}}), BeforeSetShown(), 2050},
      {"before the set command with Show Before Set", Trace({{1000, 20}}), BeforeSetShown(), 1000},
      {"a flat trace", Trace({}), Defaults(), std::nullopt},
      {"ten flat steps, negative slope unchecked", RiseWithFlatSteps(10), Defaults(), 2200},
      {"nine flat steps, negative slope checked", RiseWithFlatSteps(9), NegativeSlopeChecked(), 2200},
      {"ten flat steps, negative slope checked", RiseWithFlatSteps(10), NegativeSlopeChecked(), 2218},
      {"length 0", Trace({{2200, 20}}), WithLength(0), std::nullopt},
      {"length -1", Trace({{2200, 20}}), WithLength(-1), std::nullopt},
      {"length 5001", Trace({{0, 20}}), WithLength(5001), std::nullopt},
      {"length 1 sees no rise", Trace({{2200, 20}}), WithLength(1), std::nullopt},
      {"length 2", Trace({{2200, 30}}), WithLength(2), 2200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindLocalReactionStart(c.plot.data(), c.settings, kSetTime), c.expected);
  }
}

TEST(LocalReactionScan, NoRisingCountChecksTheFirstRisingSample) {
  // One flat step after the first rise: a run of 8 starts after it, a run of none at the first rise.
  const std::vector<double> plot = Trace({{900, 20, 1}, {902, 20}});
  LocalAlgorithmSettings settings = BeforeSetShown();
  EXPECT_EQ(FindLocalReactionStart(plot.data(), settings, kSetTime), 902);
  settings.consIncSlope = 0;
  EXPECT_EQ(FindLocalReactionStart(plot.data(), settings, kSetTime), 900);
}
