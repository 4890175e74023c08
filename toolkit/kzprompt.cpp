#include "toolkit/kzprompt.h"

namespace {

// The width that leaves the prompt to take its text's.
constexpr int32_t kWidthOfText = -1;

}  // namespace

KZPrompt::KZPrompt(int32_t left, int32_t top, int32_t width, const ZafIChar* text)
    : ZafPrompt(left, top, width, text), KZWindowObjectLeech(this) {}

KZPrompt::KZPrompt(int32_t left, int32_t top, const ZafIChar* text)
    : KZPrompt(left, top, kWidthOfText, text) {}

KZPrompt::KZPrompt(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text)
    : KZPrompt(left, top, width, text) {
  ZafRegionStruct tall = Region();
  tall.bottom = tall.top + height - 1;
  SetRegion(tall);
}

KZPrompt::~KZPrompt() = default;

ZafEventType KZPrompt::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowObjectLeech::Event(event)) {
    return taken;
  }
  return ZafPrompt::Event(event);
}
