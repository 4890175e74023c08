#include "toolkit/kzpopupitem.h"

#include "framework/core/zafeventmanager.h"
#include "framework/data/zafchar.h"
#include "model/qvsettings.h"
#include "toolkit/kzhotkeytext.h"

namespace {

constexpr uint32_t kAnyAlt = KZPopUpItem::kAlt | KZPopUpItem::kAlt2;
constexpr uint32_t kCharacterMask = 0xFFFF;
// The modifier bits of a translated key event: either shift key, Ctrl, Alt.
constexpr int32_t kShiftKeys = 3;
constexpr int32_t kCtrlKey = 4;
constexpr int32_t kAltKey = 8;
constexpr int32_t kModifierMask = 0xF;

// The modifier bits a hot key asks for, in the key event's terms.
int32_t WantedModifiers(uint32_t hotKey) {
  return ((hotKey & kAnyAlt) ? kAltKey : 0) | ((hotKey & KZPopUpItem::kCtrl) ? kCtrlKey : 0) |
         ((hotKey & KZPopUpItem::kShift) ? kShiftKeys : 0);
}

// The event's modifiers with either shift key counting as both.
int32_t HeldModifiers(const ZafEventRecord& event) {
  int32_t held = event.modifiers & kModifierMask;
  if (held & kShiftKeys) {
    held |= kShiftKeys;
  }
  return held;
}

}  // namespace

KZPopUpItem::KZPopUpItem(int32_t kind)
    : ZafPopUpItem(static_cast<const ZafIChar*>(nullptr), kind), KZWindowObjectLeech(this) {}

KZPopUpItem::KZPopUpItem(const ZafIChar* text, int32_t kind)
    : ZafPopUpItem(static_cast<const ZafIChar*>(nullptr), kind), KZWindowObjectLeech(this) {
  label = text ? text : u"";
  Rebuild();
}

KZPopUpItem::KZPopUpItem(int32_t value, uint32_t hotKey, const ZafIChar* text, int32_t kind)
    : ZafPopUpItem(static_cast<const ZafIChar*>(nullptr), kind), KZWindowObjectLeech(this), hotKey(hotKey) {
  SetCommand(value);
  label = text ? text : u"";
  Rebuild();
}

KZPopUpItem::KZPopUpItem(int32_t value, const ZafIChar* menuText, int32_t kind)
    : ZafPopUpItem(static_cast<const ZafIChar*>(nullptr), kind), KZWindowObjectLeech(this) {
  SetCommand(value);
  const KString text(menuText ? menuText : u"");
  const int32_t comma = text.Find(u',');
  if (comma >= 0 && comma + 1 < text.Length()) {
    for (int32_t at = comma + 1; at < text.Length() - 1; ++at) {
      switch (text[at]) {
        case u'A':
          hotKey |= kAlt;
          break;
        case u'C':
          hotKey |= kCtrl;
          break;
        case u'S':
          hotKey |= kShift;
          break;
        default:
          break;
      }
    }
    hotKey |= text[text.Length() - 1];
  }
  label = text;
  if (comma >= 0) {
    label.SetLength(comma);
  }
  Rebuild();
}

void KZPopUpItem::SetCommand(int32_t value) {
  if (value != 0) {
    SetValue(value);
    SetMessageOnSelect(true);
  }
}

int KZPopUpItem::SetText(const ZafIChar* text) {
  const KString newLabel(text ? text : u"");
  if (newLabel != label) {
    label = newLabel;
    Rebuild();
  }
  return 0;
}

void KZPopUpItem::SetHotKey(uint32_t newHotKey) {
  if (newHotKey != hotKey) {
    hotKey = newHotKey;
    Rebuild();
  }
}

void KZPopUpItem::Rebuild() {
  const KZHotKeyText parsed(label.CStr());
  KString shown(parsed.text.c_str());
  if (hotKey != 0) {
    // A bare key, or Shift and a key, means Ctrl and that key.
    if (!(hotKey & (kCtrl | kAnyAlt))) {
      hotKey |= kCtrl;
    }
    shown.AppendChar(u'\t');
    if (hotKey & kShift) {
      shown.Append(QvSettings::Text(u"\\Strings\\Menu\\Shift", u"Shift")).AppendChar(u'+');
    }
    if (hotKey & kCtrl) {
      shown.Append(QvSettings::Text(u"\\Strings\\Menu\\Ctrl", u"Ctrl")).AppendChar(u'+');
    }
    if (hotKey & kAnyAlt) {
      shown.Append(QvSettings::Text(u"\\Strings\\Menu\\Alt", u"Alt")).AppendChar(u'+');
    }
    shown.AppendChar(static_cast<char16_t>(hotKey & kCharacterMask));
  }
  ZafPopUpItem::SetHotKey(parsed.key, parsed.keyPosition);
  ZafPopUpItem::SetText(shown.CStr());
}

void KZPopUpItem::SetEnabled(bool enable, bool recursive) {
  SetDisabled(!enable);
  if (recursive) {
    ForEachItem(Submenu(), [enable](KZPopUpItem& item) { item.SetDisabled(!enable); });
  }
}

void KZPopUpItem::SetChecked(bool checked, bool recursive) {
  SetSelected(checked);
  if (recursive) {
    ForEachItem(Submenu(), [checked](KZPopUpItem& item) { item.SetSelected(checked); });
  }
}

bool KZPopUpItem::HotKey(const ZafEventRecord& event) {
  if (IsDisabledUp()) {
    return false;
  }
  const auto key = static_cast<ZafIChar>(hotKey & kCharacterMask);
  if (hotKey != 0 && ZafToUpper(key) == ZafToUpper(static_cast<ZafIChar>(event.Key().value)) &&
      WantedModifiers(hotKey) == HeldModifiers(event)) {
    eventManager->Put(ZafEventRecord(Value(), 0), Q_END);
    return true;
  }
  for (ZafElement* element = Submenu().First(); element; element = element->Next()) {
    if (auto* item = dynamic_cast<KZPopUpItem*>(element); item && item->HotKey(event)) {
      return true;
    }
  }
  return false;
}

void KZPopUpItem::ForEachItem(ZafPopUpMenu& menu, const std::function<void(KZPopUpItem&)>& visit) {
  for (ZafElement* element = menu.First(); element; element = element->Next()) {
    if (auto* item = dynamic_cast<KZPopUpItem*>(element)) {
      visit(*item);
      ForEachItem(item->Submenu(), visit);
    }
  }
}
