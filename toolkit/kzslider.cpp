#include "toolkit/kzslider.h"

#include "native/native.h"

KZSlider::KZSlider(int32_t left, int32_t top, int32_t width, int32_t height, int32_t minimum, int32_t maximum,
                   int32_t current, int32_t smallStep, int32_t largeStep, ZafEventType eventCode,
                   ZafWindowObject* target)
    : ZafScrollBar(left, top, width, height, minimum, maximum, current, smallStep, largeStep,
                   ZAF_VERTICAL_SCROLL),
      KZWindowLeech(this),
      target(target),
      eventCode(eventCode) {
  SetScrollType(ZAF_HORIZONTAL_SLIDER);
}

KZSlider::~KZSlider() = default;

ZafEventType KZSlider::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowLeech::Event(event)) {
    return taken;
  }
  const ZafEventType answer = ZafScrollBar::Event(event);
  const native::UINT message = event.osEvent.message;
  if (event.type == E_OSEVENT && (message == native::WM_HSCROLL || message == native::WM_VSCROLL) &&
      eventCode != 0 && target) {
    target->Event(ZafEventRecord(eventCode, 0));
  }
  return answer;
}
