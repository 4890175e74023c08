#pragma once
// The sheet a printer context prints on: its size in tenths of a millimetre and its orientation, read from
// a device mode or, where the device mode says nothing, from the user's locale (US Letter where the locale
// uses it, else A4).

#include <string>

#include "native/print/printtypes.h"

namespace native {

struct Paper {
  // Sheets are held between one inch and 600 mm a side, so one page of 300 dpi pixels stays within memory.
  static constexpr int kMinTenths = 254;
  static constexpr int kMaxTenths = 6000;
  static constexpr int kLetterWidth = 2159;
  static constexpr int kLetterLength = 2794;
  static constexpr int kA4Width = 2100;
  static constexpr int kA4Length = 2970;

  int width = kA4Width;    // portrait width
  int length = kA4Length;  // portrait length
  bool landscape = false;

  // The paper of the process locale (LC_PAPER); the "C" and "POSIX" locales print on US Letter, as they
  // answer United States English everywhere else.
  static Paper fromLocale();
  // The paper of the named locale; A4 when the system does not have it.
  static Paper fromLocaleNamed(const std::string& name);
  // The device mode's choices over `base`: an explicit width and length (both needed), else a known paper
  // size, and the orientation. A null device mode leaves `base`.
  static Paper fromDevMode(const DEVMODE* mode, const Paper& base);

  // The sheet as it lies on the page, landscape swapping the sides.
  int pageWidthTenths() const { return landscape ? length : width; }
  int pageLengthTenths() const { return landscape ? width : length; }
  // Writes the size and orientation into a device mode and lists them in its fields.
  void store(DEVMODE* mode) const;
};

}  // namespace native
