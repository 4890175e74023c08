#pragma once
// The record of one menu: what a menu handle reaches. A menu bar lays its entries out in a row, a pop-up
// menu in a column.

#include <cstdint>
#include <string>
#include <vector>

#include "native/user/menuapi.h"
#include "native/user/nativetypes.h"

namespace native {

struct MenuItem {
  UINT flags = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR, MF_BITMAP, MF_RIGHTJUSTIFY
  WORD id = 0;     // the command of a plain entry: commands travel as 16-bit words
  HMENU subMenu = nullptr;
  std::u16string text;

  bool isSeparator() const { return (flags & MF_SEPARATOR) != 0; }
  bool isPopup() const { return (flags & MF_POPUP) != 0; }
  bool isEnabled() const { return (flags & (MF_GRAYED | MF_DISABLED)) == 0; }
  bool isChecked() const { return (flags & MF_CHECKED) != 0; }
  bool isCaptionBox() const { return (flags & MF_BITMAP) != 0 && !isPopup(); }
  bool isRightJustified() const { return (flags & MF_RIGHTJUSTIFY) != 0; }
};

struct MenuRecord {
  HMENU handle = nullptr;
  bool bar = false;
  std::vector<MenuItem> items;
  // A bar's entry widths, measured with the menu font at the menu table's revision `measuredAt` (0: never);
  // greying or checking an entry leaves them as they are.
  mutable std::vector<LONG> barWidths;
  mutable std::uint64_t measuredAt = 0;
};

}  // namespace native
