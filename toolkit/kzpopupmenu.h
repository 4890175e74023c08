// A free pop-up menu of the toolkit, shown at a pixel position until an item is chosen or it is
// dismissed, and the look-ups of a menu's toolkit items by their place.
#ifndef TOOLKIT_KZPOPUPMENU_H
#define TOOLKIT_KZPOPUPMENU_H

#include <cstdint>

#include "foundation/kpoint.h"
#include "framework/core/zafpopupmenu.h"
#include "toolkit/kzwindowleech.h"

class KZPopUpItem;

class KZPopUpMenu : public ZafPopUpMenu, public KZWindowLeech {
 public:
  explicit KZPopUpMenu(KPoint position);

  // Shows the menu through the window manager and takes it back once the menu is done.
  void Popup();
};

// The menu's toolkit item at `index` counting from 0 (other children are not counted, separators neither
// with skipSeparators), or null.
KZPopUpItem* FindItem(ZafPopUpMenu& menu, int32_t index, bool skipSeparators);
// Whether that item is checked (false when there is none), and checking it.
bool IsItemChecked(ZafPopUpMenu& menu, int32_t index, bool skipSeparators);
void SetItemChecked(ZafPopUpMenu& menu, int32_t index, bool checked, bool skipSeparators);

#endif
