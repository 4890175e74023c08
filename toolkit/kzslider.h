// The toolkit's slider: a horizontal framework slider with the toolkit's mix-in that tells a target window
// of every move with an event of its own code (a dialog follows its sliders this way).
#ifndef TOOLKIT_KZSLIDER_H
#define TOOLKIT_KZSLIDER_H

#include <cstdint>

#include "framework/core/zafscrollbar.h"
#include "toolkit/kzwindowleech.h"

class KZSlider : public ZafScrollBar, public KZWindowLeech {
 public:
  // Over minimum..maximum at `current`, stepped by `smallStep` and `largeStep`; every move sends an event
  // of type `eventCode` to `target` (not owned) when both are given.
  KZSlider(int32_t left, int32_t top, int32_t width, int32_t height, int32_t minimum, int32_t maximum,
           int32_t current, int32_t smallStep, int32_t largeStep, ZafEventType eventCode,
           ZafWindowObject* target);
  ~KZSlider() override;

  // The mix-in's focus request first, then the framework slider; a move then goes to the target.
  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  ZafWindowObject* target;
  ZafEventType eventCode;
};

#endif
