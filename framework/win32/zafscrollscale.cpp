#include "framework/win32/zafscrollscale.h"

namespace {

// The native controls count 65535 steps at most.
constexpr uint32_t kNativeSteps = 65535;

int32_t Wrapped(uint32_t value) {
  return static_cast<int32_t>(value);
}

}  // namespace

ZafNativeScroll ZafScaleScroll(const ZafScrollStruct& scroll) {
  const uint32_t range = static_cast<uint32_t>(scroll.maximum) - static_cast<uint32_t>(scroll.minimum) + 1;
  const int32_t scale = static_cast<int32_t>(range / kNativeSteps + 1);
  const int64_t offset =
      Wrapped(static_cast<uint32_t>(scroll.current) - static_cast<uint32_t>(scroll.minimum));
  ZafNativeScroll native{};
  native.scale = scale;
  native.top = static_cast<int16_t>(static_cast<int64_t>(Wrapped(range)) / scale + 32768);
  native.position = static_cast<int16_t>(offset / scale + ZAF_NATIVE_SCROLL_LOW);
  native.page = static_cast<int16_t>(scroll.showing / scale);
  return native;
}

int32_t ZafScrollValueAt(const ZafScrollStruct& scroll, int32_t scale, int32_t position, bool fromMaximum) {
  const int64_t steps = (static_cast<int64_t>(position) - ZAF_NATIVE_SCROLL_LOW) * scale;
  return ZafClampScroll(fromMaximum ? scroll.maximum - steps : scroll.minimum + steps, scroll.minimum,
                        scroll.maximum);
}
