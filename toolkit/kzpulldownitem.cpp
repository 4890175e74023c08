#include "toolkit/kzpulldownitem.h"

#include "toolkit/kzhotkeytext.h"
#include "toolkit/kzpopupitem.h"

KZPullDownItem::KZPullDownItem(const ZafIChar* label)
    : ZafPullDownItem(static_cast<const ZafIChar*>(nullptr)), KZWindowObjectLeech(this) {
  const KZHotKeyText parsed(label);
  ZafPullDownItem::SetText(parsed.text.c_str());
  SetHotKey(parsed.key, parsed.keyPosition);
}

void KZPullDownItem::EnableAll(bool enable) {
  KZPopUpItem::ForEachItem(Submenu(), [enable](KZPopUpItem& item) { item.SetDisabled(!enable); });
}

void KZPullDownItem::CheckAll(bool checked) {
  KZPopUpItem::ForEachItem(Submenu(), [checked](KZPopUpItem& item) { item.SetSelected(checked); });
}

void KZPullDownItem::EnableByValue(int32_t value, bool enable) {
  KZPopUpItem::ForEachItem(Submenu(), [value, enable](KZPopUpItem& item) {
    if (item.Value() == value) {
      item.SetDisabled(!enable);
    }
  });
}

void KZPullDownItem::CheckByValue(int32_t value, bool checked) {
  KZPopUpItem::ForEachItem(Submenu(), [value, checked](KZPopUpItem& item) {
    if (item.Value() == value) {
      item.SetSelected(checked);
    }
  });
}
