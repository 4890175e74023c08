// An entry of the toolkit's menu bar: its label carries its own mnemonic ('&'), and it enables and
// checks the items of its drop-down list as a whole or by command value.
#ifndef TOOLKIT_KZPULLDOWNITEM_H
#define TOOLKIT_KZPULLDOWNITEM_H

#include <cstdint>

#include "framework/core/zafpulldownitem.h"
#include "toolkit/kzwindowobjectleech.h"

class KZPullDownItem : public ZafPullDownItem, public KZWindowObjectLeech {
 public:
  explicit KZPullDownItem(const ZafIChar* label);

  // Every item of the drop-down list, at any depth.
  void EnableAll(bool enable);
  void CheckAll(bool checked);
  // Every item at any depth whose command is `value` (each item alone, not its submenu).
  void EnableByValue(int32_t value, bool enable);
  void CheckByValue(int32_t value, bool checked);
};

#endif
