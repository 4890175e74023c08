#pragma once
// Draws menus from their layout: the bar in a frame and the entries of a pop-up menu. The look of every menu
// lives here: the menu colours, the highlight of the selected entry, grey text for greyed entries, the check
// mark, the cascade arrow, the underlined mnemonic and the right-aligned hot-key text.

#include "native/gdi/gditypes.h"
#include "native/user/menurecord.h"

namespace native {

class MenuPainter {
 public:
  // `selected` is the highlighted entry, -1 for none.
  static void paintBar(HDC dc, const MenuRecord& menu, const RECT& bar, int selected);
  static void paintPopup(HDC dc, const MenuRecord& menu, const RECT& client, int selected);
};

}  // namespace native
