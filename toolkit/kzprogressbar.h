// The status bar's progress field: a box 100 pixels wide, one pixel a percent, filled up to the value with
// the value and a percent sign written over it. -1 shows the empty box alone.
#ifndef TOOLKIT_KZPROGRESSBAR_H
#define TOOLKIT_KZPROGRESSBAR_H

#include <cstdint>

#include "toolkit/kzwindow.h"

class KZProgressBar : public KZWindow {
 public:
  static constexpr int32_t kNone = -1;
  static constexpr int32_t kFull = 100;

  // Showing no progress, empty, in pixel coordinates; its owner places it.
  KZProgressBar();
  ~KZProgressBar() override;

  int32_t Progress() const { return value; }
  // Takes the value held to -1..100 and repaints the bar; false, changing nothing, when that is the value
  // shown already.
  bool SetProgress(int32_t newValue);

  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

 private:
  void PaintProgress(KRect box, ZafEventType drawType);

  int32_t value = kNone;
};

#endif
