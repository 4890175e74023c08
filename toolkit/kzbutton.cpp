#include "toolkit/kzbutton.h"

#include "toolkit/kzstatusbar.h"

KZButton::KZButton(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text,
                   ZafBitmapData* bitmap, int32_t kind, int32_t value)
    : ZafButton(left, top, width, height, text, bitmap, kind), KZWindowObjectLeech(this) {
  ReportValue(value);
}

KZButton::KZButton(int32_t left, int32_t top, int32_t width, int32_t height, ZafStringData* text,
                   ZafBitmapData* bitmap, int32_t kind, int32_t value)
    : ZafButton(left, top, width, height, text, bitmap, kind), KZWindowObjectLeech(this) {
  ReportValue(value);
}

KZButton::~KZButton() = default;

void KZButton::ReportValue(int32_t newValue) {
  if (newValue != 0) {
    SetMessageOnSelect(true);
    SetValue(newValue);
  }
}

ZafEventType KZButton::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowObjectLeech::Event(event)) {
    return taken;
  }
  if (KZStatusBar* bar = KZStatusBar::flyOverBar) {
    if (event.type == TipLeaveEvent) {
      bar->Clear();
    } else if (event.type == TipEnterEvent) {
      bar->ShowFlyOver(value);
    }
  }
  return ZafButton::Event(event);
}
