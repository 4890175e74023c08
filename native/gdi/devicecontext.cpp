#include "native/gdi/devicecontext.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace native {

namespace {

// a * b / c with 64-bit intermediates; a zero extent maps as 1.
LONG scale(LONG a, LONG b, LONG c) {
  if (c == 0) {
    c = 1;
  }
  return static_cast<LONG>(static_cast<std::int64_t>(a) * b / c);
}

// |a * b / c| to the nearest whole number, held to the LONG range; a zero extent maps as 1.
LONG scaleRounded(LONG a, LONG b, LONG c) {
  std::int64_t numerator = std::abs(static_cast<std::int64_t>(a) * b);
  std::int64_t denominator = c == 0 ? 1 : std::abs(static_cast<std::int64_t>(c));
  std::int64_t rounded = (numerator + denominator / 2) / denominator;
  return static_cast<LONG>(std::min<std::int64_t>(rounded, std::numeric_limits<LONG>::max()));
}

}  // namespace

POINT DeviceContext::toDevice(POINT logical) const {
  POINT device{logical.x - state.windowOrigin.x, logical.y - state.windowOrigin.y};
  if (state.mapMode == MM_ANISOTROPIC) {
    device.x = scale(device.x, state.viewportExtent.cx, state.windowExtent.cx);
    device.y = scale(device.y, state.viewportExtent.cy, state.windowExtent.cy);
  }
  return POINT{device.x + state.viewportOrigin.x, device.y + state.viewportOrigin.y};
}

POINT DeviceContext::toLogical(POINT device) const {
  POINT logical{device.x - state.viewportOrigin.x, device.y - state.viewportOrigin.y};
  if (state.mapMode == MM_ANISOTROPIC) {
    logical.x = scale(logical.x, state.windowExtent.cx, state.viewportExtent.cx);
    logical.y = scale(logical.y, state.windowExtent.cy, state.viewportExtent.cy);
  }
  return POINT{logical.x + state.windowOrigin.x, logical.y + state.windowOrigin.y};
}

int DeviceContext::deviceLengthX(int logical) const {
  return state.mapMode == MM_ANISOTROPIC
             ? std::abs(scale(logical, state.viewportExtent.cx, state.windowExtent.cx))
             : std::abs(logical);
}

int DeviceContext::deviceLengthY(int logical) const {
  return state.mapMode == MM_ANISOTROPIC
             ? std::abs(scale(logical, state.viewportExtent.cy, state.windowExtent.cy))
             : std::abs(logical);
}

int DeviceContext::logicalLengthX(int device) const {
  return state.mapMode == MM_ANISOTROPIC
             ? scaleRounded(device, state.windowExtent.cx, state.viewportExtent.cx)
             : std::abs(device);
}

int DeviceContext::logicalLengthY(int device) const {
  return state.mapMode == MM_ANISOTROPIC
             ? scaleRounded(device, state.windowExtent.cy, state.viewportExtent.cy)
             : std::abs(device);
}

}  // namespace native
