// The display of the screen: fills the GDI display's tables with the 17 standard colours, the system
// fonts, the solid and dotted pens, the solid and half-tone patterns and the copy and exclusive-or modes,
// measures the cell size from the dialog font, and becomes the display of record. It holds no device
// context between drawings.
#ifndef FRAMEWORK_WIN32_ZAFSCREENDISPLAY_H
#define FRAMEWORK_WIN32_ZAFSCREENDISPLAY_H

#include "framework/win32/zafgdidisplay.h"

class ZafScreenDisplay : public ZafGdiDisplay {
 public:
  ZafScreenDisplay();
  ~ZafScreenDisplay() override;

  const ZafIChar* ClassName() const { return u"ZafScreenDisplay"; }

  // The text whose width, over 39, gives the cell width (four thirds of the average letter).
  static constexpr const char16_t* kCellText = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  // The cell metrics from the measured size of kCellText.
  static int32_t CellWidth(int32_t textWidth) { return (textWidth + 19) / 39; }
  static int32_t CellHeight(int32_t textHeight, int32_t preSpace, int32_t postSpace) {
    return textHeight + preSpace + postSpace + 6;
  }
};

#endif
