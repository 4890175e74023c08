#include "app/localreactionscan.h"

#include <cmath>

#include "model/qvsettings.h"
#include "model/qvtrace.h"

namespace {

enum class ScanState { kWaiting, kCounting, kChecking, kAccepted };

// The rise from the sample before, truncated toward zero; 0 for the first sample.
int64_t StepSlope(const double* plot, int32_t i) {
  return i == 0 ? 0 : static_cast<int64_t>(plot[i] - plot[i - 1]);
}

// Whether the candidate starting at `start` rises steeply enough, far enough after the set command.
bool AcceptCandidate(const double* plot, int32_t start, const LocalAlgorithmSettings& settings,
                     int32_t setTimeMs) {
  const int32_t length = settings.totalIncSlope;
  if (settings.checkNegSlope) {
    int32_t flatSteps = 0;
    for (int32_t j = start + 1; j <= start + length - 1; ++j) {
      if (StepSlope(plot, j) <= 0) {
        ++flatSteps;
      }
    }
    if (flatSteps >= length / 4) {
      return false;
    }
  }
  const int64_t meanSlope = static_cast<int64_t>(plot[start + length - 1] - plot[start]) / length;
  if (meanSlope < settings.incSlope) {
    return false;
  }
  if (settings.showBeforeSet) {
    return true;
  }
  // The mask in whole milliseconds (one sample each): a float 0.6 times 1000 is a hair over 600, which
  // would turn down a rise starting exactly 0.6 s after the set command.
  const int64_t maskMs = std::llround(static_cast<double>(settings.setMask) * 1000.0);
  return QvTrace::kGunSample - start <= setTimeMs - maskMs;
}

}  // namespace

LocalAlgorithmSettings LocalAlgorithmSettings::Read() {
  LocalAlgorithmSettings settings;
  // The range the Local Algorithm dialog offers.
  constexpr QvSettings::Range<int32_t> kSlope{1, 10000};
  settings.incSlope = QvSettings::Int(u"\\Chart\\LocalAlg\\IncSlope", settings.incSlope, kSlope);
  settings.consIncSlope = QvSettings::Int(u"\\Chart\\LocalAlg\\ConsIncSlope", settings.consIncSlope, kSlope);
  settings.totalIncSlope =
      QvSettings::Int(u"\\Chart\\LocalAlg\\TotalIncSlope", settings.totalIncSlope, kSlope);
  // Seconds after the set signal, as the dialog offers them.
  constexpr QvSettings::Range<double> kMaskSeconds{0.0, 2.0, QvSettings::Outside::kNearestEnd};
  settings.setMask =
      static_cast<float>(QvSettings::Float(u"\\Chart\\LocalAlg\\SetMask", settings.setMask, kMaskSeconds));
  settings.showBeforeSet = QvSettings::Bool(u"\\Chart\\LocalAlg\\ShowBeforeSet", settings.showBeforeSet);
  settings.checkNegSlope = QvSettings::Bool(u"\\Chart\\LocalAlg\\CheckNegSlope", settings.checkNegSlope);
  return settings;
}

std::optional<int32_t> FindLocalReactionStart(const double* plot, const LocalAlgorithmSettings& settings,
                                              int32_t setTimeMs) {
  const int32_t length = settings.totalIncSlope;
  if (length < 1 || QvTrace::kSampleCount - length <= 0) {
    return std::nullopt;
  }
  ScanState state = ScanState::kWaiting;
  int32_t start = 0;
  int32_t rising = 0;
  const int32_t scanEnd = QvTrace::kSampleCount - 1 - length;
  for (int32_t i = 0; i < scanEnd && state != ScanState::kAccepted; ++i) {
    // A transition is followed by the next state's test at the same sample.
    const int64_t slope = StepSlope(plot, i);
    if (state == ScanState::kWaiting && slope >= settings.incSlope) {
      state = ScanState::kCounting;
      start = i;
    }
    if (state == ScanState::kCounting) {
      if (slope < settings.incSlope) {
        state = ScanState::kWaiting;
        rising = 0;
      } else {
        if (rising != settings.consIncSlope) {
          ++rising;
        }
        if (rising == settings.consIncSlope) {
          state = ScanState::kChecking;
        }
      }
    }
    if (state == ScanState::kChecking) {
      // A candidate turned down lets the scan go on at the next sample, not after the candidate's start.
      if (AcceptCandidate(plot, start, settings, setTimeMs)) {
        state = ScanState::kAccepted;
      } else {
        state = ScanState::kWaiting;
        rising = 0;
      }
    }
  }
  if (state != ScanState::kAccepted) {
    return std::nullopt;
  }
  return start;
}
