// A menu bar entry on the native window system: its place on the bar counts the platform's leading
// entry of a maximised document child.
#include "framework/core/zafpulldownitem.h"

#include "framework/core/zafpulldownmenu.h"
#include "framework/data/zafclassid.h"

int32_t ZafPullDownItem::EntryPosition() {
  const int32_t offset = parent && parent->IsA(ID_ZAF_PULL_DOWN_MENU)
                             ? static_cast<ZafPullDownMenu*>(parent)->PositionOffset()
                             : 0;
  return ZafMenuItem::EntryPosition() + offset;
}
