#include "toolkit/kzpopupmenu.h"

#include "framework/core/zafwindowmanager.h"
#include "toolkit/kzpopupitem.h"

KZPopUpMenu::KZPopUpMenu(KPoint position) : ZafPopUpMenu(position.x, position.y), KZWindowLeech(this) {
  SetCoordinateType(ZAF_PIXEL);
}

void KZPopUpMenu::Popup() {
  windowManager->Add(this);
  windowManager->Subtract(this);
}

KZPopUpItem* FindItem(ZafPopUpMenu& menu, int32_t index, bool skipSeparators) {
  int32_t count = 0;
  for (ZafElement* element = menu.First(); element; element = element->Next()) {
    auto* item = dynamic_cast<KZPopUpItem*>(element);
    if (!item || (skipSeparators && item->MenuItemType() == ZAF_ITEM_SEPARATOR)) {
      continue;
    }
    if (count++ == index) {
      return item;
    }
  }
  return nullptr;
}

bool IsItemChecked(ZafPopUpMenu& menu, int32_t index, bool skipSeparators) {
  const KZPopUpItem* item = FindItem(menu, index, skipSeparators);
  return item && item->Selected();
}

void SetItemChecked(ZafPopUpMenu& menu, int32_t index, bool checked, bool skipSeparators) {
  if (KZPopUpItem* item = FindItem(menu, index, skipSeparators)) {
    item->SetSelected(checked);
  }
}
