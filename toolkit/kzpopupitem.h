// A menu item of the toolkit: its label carries its own mnemonic ('&'), it may have a hot key shown after
// a tab ("Open<tab>Ctrl+O"), and it takes part in the menu bar's hot-key matching. Its value is the
// command it sends when chosen or when its hot key is pressed.
#ifndef TOOLKIT_KZPOPUPITEM_H
#define TOOLKIT_KZPOPUPITEM_H

#include <cstdint>
#include <functional>

#include "foundation/kstring.h"
#include "framework/core/zafpopupitem.h"
#include "toolkit/kzwindowobjectleech.h"

class KZPopUpItem : public ZafPopUpItem, public KZWindowObjectLeech {
 public:
  // Bits of `hotKey` above its character (low 16 bits). The second Alt bit matches like Alt.
  static constexpr uint32_t kCtrl = 0x1000000;
  static constexpr uint32_t kAlt2 = 0x2000000;
  static constexpr uint32_t kAlt = 0x4000000;
  static constexpr uint32_t kShift = 0x10000000;

  // An item without text (kind 7 makes a separator).
  explicit KZPopUpItem(int32_t kind);
  KZPopUpItem(const ZafIChar* label, int32_t kind);
  // A command item: value 0 sends nothing.
  KZPopUpItem(int32_t value, uint32_t hotKey, const ZafIChar* label, int32_t kind);
  // A command item from a menu text "label,keys": keys is any run of A (Alt), C (Ctrl) and S (Shift)
  // followed by the key, whose last character is always the key; other letters before it are ignored.
  // Without a comma or with nothing after it the item has no hot key.
  KZPopUpItem(int32_t value, const ZafIChar* menuText, int32_t kind);

  // A new label (with its '&' marks) rebuilds the shown text; the same label changes nothing. Answers 0.
  int SetText(const ZafIChar* text) override;
  void SetHotKey(uint32_t newHotKey);
  uint32_t HotKey() const { return hotKey; }
  const KString& Label() const { return label; }

  // The item, and with `recursive` every item of its submenus.
  void SetEnabled(bool enable, bool recursive);
  void SetChecked(bool checked, bool recursive);

  // When the item is enabled and its hot key is the event's key with exactly the event's modifiers, the
  // item's command is queued and true answered; otherwise its submenu's items are tried. The event is a
  // translated key press.
  bool HotKey(const ZafEventRecord& event);

  // Every toolkit item of the menu, its submenus' items after each item.
  static void ForEachItem(ZafPopUpMenu& menu, const std::function<void(KZPopUpItem&)>& visit);

 private:
  void SetCommand(int32_t value);
  // The shown text and mnemonic from the label and the hot key.
  void Rebuild();

  uint32_t hotKey = 0;
  KString label{31};
};

#endif
