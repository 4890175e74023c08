#pragma once
// The tool-bar list of the armed events: a row per armed event, in four columns, the first three as wide
// as the widest status text.

#include <cstdint>

#include "imaging/ui/yzhardwareselector.h"

class YZEvents : public YZHardwareSelector {
 public:
  static constexpr int32_t kColumns = 4;

  YZEvents(YHardwareView& view, int32_t width, int32_t height);

  // One row per armed event.
  void Refresh() override;
  int32_t ColumnCount(KPoint cell) override;
  // Column c starts c status widths into the row; the last column takes the rest.
  void ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) override;
  // No column shows a text.
  void CellText(KPoint, int32_t, KString&, uint32_t&) override {}
  int32_t StatusWidth() const { return statusWidth; }

 private:
  int32_t statusWidth = 0;
};
