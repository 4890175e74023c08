#pragma once
// The status bar along the foot of the main frame: a text on the left and a progress bar on the right.
// Long operations show what they do and how far they are, and clear it when done; the bar never clears
// itself. While the pointer rests on a tool-bar button it shows that button's one-line help.

#include <cstdint>

#include "toolkit/kzstatusbar.h"

class QvZStatusBar : public KZStatusBar {
 public:
  // Pixels between the fields and the bar's edges, and the progress bar's least width.
  static constexpr int32_t kMargin = 2;
  static constexpr int32_t kProgressMinimumWidth = 102;

  // As high as a line of font 1 and a margin, with its fields laid out.
  QvZStatusBar();

  // The help text of the button with that command from the settings; empty for a command without one.
  void ShowFlyOver(int32_t command) override;
  // The settings path of a command's help text; null when it has none.
  static const char16_t* FlyOverKey(int32_t command);
};
