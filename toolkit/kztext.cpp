#include "toolkit/kztext.h"

KZText::KZText(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text, int maxLength)
    : ZafText(left, top, width, height, text, maxLength), KZWindowLeech(this) {}

KZText::~KZText() = default;

ZafEventType KZText::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowLeech::Event(event)) {
    return taken;
  }
  return ZafText::Event(event);
}
