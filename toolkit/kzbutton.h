// The toolkit's button: the framework's button with the toolkit's mix-in, a value it reports when pressed,
// and the fly-over help: while the pointer is on the button the program's status bar shows the help of the
// button's value.
#ifndef TOOLKIT_KZBUTTON_H
#define TOOLKIT_KZBUTTON_H

#include <cstdint>

#include "framework/core/zafbutton.h"
#include "toolkit/kzwindowobjectleech.h"

class KZButton : public ZafButton, public KZWindowObjectLeech {
 public:
  // Region in cells. Radio buttons and check boxes made from a plain text switch their state when chosen
  // (the framework button sets that up); a value other than 0 is queued as an event when the button is
  // pressed.
  KZButton(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text,
           ZafBitmapData* bitmap, int32_t kind, int32_t value);
  // The same over string data (null = an empty text), without the radio-button and check-box setup.
  KZButton(int32_t left, int32_t top, int32_t width, int32_t height, ZafStringData* text,
           ZafBitmapData* bitmap, int32_t kind, int32_t value);
  ~KZButton() override;

  // The mix-in's focus request first; the pointer coming onto or leaving the button shows or clears the
  // fly-over help; then the framework button.
  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  void ReportValue(int32_t newValue);
};

#endif
