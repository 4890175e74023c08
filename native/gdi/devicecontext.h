#pragma once
// A device context: where drawing goes (a window's part of its top-level backing surface, a bitmap, or the
// whole desktop), the objects selected into it, its colours and modes, its coordinate mapping and its clip.
// SaveDC pushes the whole state; RestoreDC pops it.

#include <memory>
#include <optional>
#include <vector>

#include "native/gdi/gditypes.h"
#include "native/gdi/region.h"

namespace native {

struct DcState {
  HGDIOBJ pen = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ font = nullptr;
  HGDIOBJ bitmap = nullptr;  // memory contexts only
  HGDIOBJ palette = nullptr;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF backgroundColor = RGB(255, 255, 255);
  int backgroundMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  POINT position{};
  int mapMode = MM_TEXT;
  POINT windowOrigin{};
  POINT viewportOrigin{};
  SIZE windowExtent{1, 1};
  SIZE viewportExtent{1, 1};
  // The application's clip in device coordinates (relative to the context's origin); none clips nothing.
  std::optional<Region> clip;
};

// A device other than the desktop that a context draws for (a printer page): it answers GetDeviceCaps for the
// context and lives as long as the context.
class ContextDevice {
 public:
  virtual ~ContextDevice() = default;
  virtual int deviceCaps(int index) const = 0;
};

struct DeviceContext {
  enum class Kind { Window, Screen, Memory };
  Kind kind = Kind::Memory;
  HWND window = nullptr;  // window contexts: the window they draw in
  DcState state;
  std::vector<DcState> saved;
  // Where the context's device point (0, 0) lies on the target surface, and the pixels of the target it may
  // touch, in target coordinates. Memory contexts reach the whole selected bitmap.
  POINT origin{};
  Region visible;
  // Window contexts: the bounds of what of the window the context could reach, before a paint's update area
  // limited `visible` to the part to be painted (target coordinates).
  RECT reach{};
  // Screen contexts: the bounds of the desktop's pixels that drawing calls changed, sent to a host on
  // release.
  RECT drawn{};
  // Printer contexts: the device behind them. Null for the desktop's contexts.
  std::unique_ptr<ContextDevice> device;

  POINT toDevice(POINT logical) const;
  // The size of a logical length along each axis in device pixels (the absolute value).
  int deviceLengthX(int logical) const;
  int deviceLengthY(int logical) const;
  // A length in device pixels back in logical units along each axis, to the nearest unit (the absolute
  // value): what the context measures (text) is answered in the units the caller draws with.
  int logicalLengthX(int device) const;
  int logicalLengthY(int device) const;
  POINT toLogical(POINT device) const;
};

}  // namespace native
