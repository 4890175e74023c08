#include "devices/qvtrialrecord.h"

bool QvTrialRecord::Read(const std::vector<uint32_t>& words) {
  if (words.size() != kWordCount) {
    return false;
  }
  const auto word = [&words](size_t index) { return static_cast<int32_t>(words[index]); };
  const int32_t count = word(6);
  if (count < 0 || count > QvResult::kExtraTimeCount) {
    return false;
  }
  filled = true;
  recordNumber = word(0);
  gunTimeWord = word(1);
  power = word(2);
  reactionTime = word(3);
  time2 = word(4);
  setTime = word(5);
  extraTimeCount = count;
  for (int32_t i = 0; i < QvResult::kExtraTimeCount; ++i) {
    extraTimes[i] = word(7 + static_cast<size_t>(i));
  }
  extraValue = word(16);
  return true;
}
