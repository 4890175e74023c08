#pragma once
// QvTrialRecord: a block sensor's record of one trial as the trial-record reply carries it
// (docs/control-unit-protocol.md, "Trial record"): the lane, the gun, the power and the times.

#include <cstdint>
#include <vector>

#include "model/qvresult.h"

struct QvTrialRecord {
  static constexpr uint32_t kWordCount = 17;

  int32_t recordNumber = 0;
  int32_t gunTimeWord = INT32_MIN;
  int32_t power = QvResult::kNoPower;
  // Milliseconds relative to the gun, INT32_MIN for none.
  int32_t reactionTime = INT32_MIN;
  int32_t time2 = INT32_MIN;
  int32_t setTime = INT32_MIN;
  int32_t extraTimeCount = 0;
  int32_t extraTimes[QvResult::kExtraTimeCount] = {};
  int32_t extraValue = 0;
  // False for the empty record (nothing read, or cleared after a failed last attempt).
  bool filled = false;

  // Reads the reply words; false when there are not kWordCount of them or the extra-time count is outside
  // 0 to 9, the record unchanged.
  bool Read(const std::vector<uint32_t>& words);
};
