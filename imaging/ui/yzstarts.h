#pragma once
// The tool-bar list of the start times the hardware manager recorded, newest first, at most 100; it beeps
// whenever a start comes in.

#include <cstdint>

#include "imaging/ui/yzhardwareselector.h"

class YZStarts : public YZHardwareSelector {
 public:
  YZStarts(YHardwareView& view, int32_t width, int32_t height);

  // Follows the manager's start count: a change resizes, redraws and beeps; no change does nothing.
  void Update();
  // Row r is the start r places before the newest, formatted as a time.
  void CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) override;

 private:
  // Starts recorded beyond the shown ones.
  int32_t overflow = 0;
};
