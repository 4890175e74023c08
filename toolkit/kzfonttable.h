// The metrics and face names of the screen display's ten fonts, read once at start so that toolkit
// objects can lay out text without opening a drawing each time.
#ifndef TOOLKIT_KZFONTTABLE_H
#define TOOLKIT_KZFONTTABLE_H

#include <cstdint>

#include "native/gdi/gditypes.h"

class KZFontTable {
 public:
  static constexpr int32_t kFonts = 10;

  // Fills the table from the screen display: every index whose font is set gets its metrics and face
  // name; the others stay empty. Call after the display exists and before the first toolkit window.
  static void InitFonts();
  // Empties the table.
  static void ExitFonts();

  // The metrics of font index 0-9; null outside that range.
  static const native::TEXTMETRIC* Metrics(int32_t fontIndex);
  // The face name in 8-bit text; null outside 0-9, for a font the display does not have, or an empty
  // name.
  static const char* FaceName(int32_t fontIndex);
};

#endif
