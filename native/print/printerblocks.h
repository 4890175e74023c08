#pragma once
// The two movable blocks a print dialog hands back: the device mode, and the device names (a DEVNAMES
// header followed by the driver, device and output names, each terminated). Both are read as they may come
// from a caller: sizes and offsets are checked before any name or field is used.

#include <optional>
#include <string>

#include "native/print/printtypes.h"

namespace native {

struct DeviceNames {
  std::string driver;
  std::string device;
  std::string output;
  bool isDefault = false;
};

class PrinterBlocks {
 public:
  // A new block holding the names; null when the names do not fit the 16-bit offsets.
  static HGLOBAL writeNames(const DeviceNames& names);
  // None when the block is missing, too small, or an offset or name runs outside it.
  static std::optional<DeviceNames> readNames(HGLOBAL block);

  static HGLOBAL writeDevMode(const DEVMODE& mode);
  // None when the block is missing or smaller than a device mode.
  static std::optional<DEVMODE> readDevMode(HGLOBAL block);
};

}  // namespace native
