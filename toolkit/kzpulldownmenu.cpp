#include "toolkit/kzpulldownmenu.h"

#include "toolkit/kzevents.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpulldownitem.h"

namespace {

// Bits of a translated key event: a key press; Ctrl or Alt held.
constexpr int32_t kKeyPressed = 0x200;
constexpr int32_t kCtrlOrAlt = 4 | 8;

}  // namespace

KZPullDownMenu::KZPullDownMenu(int32_t delay) : KZWindowLeech(this) {
  if (delay > 0) {
    watchDog = std::make_unique<KZMenuWatchDog>(static_cast<uint32_t>(delay));
  }
}

KZPullDownMenu::~KZPullDownMenu() = default;

ZafEventType KZPullDownMenu::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if (watchDog) {
    watchDog->Rearm();
  }
  if (code == FocusLoseEvent) {
    if (watchDog) {
      watchDog->Disarm();
    }
    return ZafPullDownMenu::Event(event);
  }
  if (code == FocusGainEvent) {
    const ZafEventType answer = ZafPullDownMenu::Event(event);
    ResetItems();
    if (watchDog) {
      watchDog->Arm();
    }
    return answer;
  }
  return ZafPullDownMenu::Event(event);
}

bool KZPullDownMenu::HotKey(const ZafEventRecord& event) {
  if (ZafEventRecord::Category(event) != ZAF_CATEGORY_KEYBOARD) {
    return false;
  }
  ZafEventRecord key = event;
  ConvertCoordinates(key);
  if (!(key.modifiers & kKeyPressed) || !(key.modifiers & kCtrlOrAlt)) {
    return false;
  }
  ResetItems();
  for (ZafElement* entry = First(); entry; entry = entry->Next()) {
    auto* pullDown = dynamic_cast<KZPullDownItem*>(entry);
    if (!pullDown) {
      continue;
    }
    for (ZafElement* element = pullDown->Submenu().First(); element; element = element->Next()) {
      if (auto* item = dynamic_cast<KZPopUpItem*>(element); item && item->HotKey(key)) {
        return true;
      }
    }
  }
  return false;
}

void KZPullDownMenu::ResetItems() {
  ForEachEntry([](KZPullDownItem& entry) {
    entry.EnableAll(false);
    entry.CheckAll(false);
  });
  if (parent) {
    parent->Event(ZafEventRecord(static_cast<int32_t>(UpdateMenuEvent), 0));
  }
}

void KZPullDownMenu::EnableCommand(int32_t value, bool enable) {
  ForEachEntry([value, enable](KZPullDownItem& entry) { entry.EnableByValue(value, enable); });
}

void KZPullDownMenu::CheckCommand(int32_t value, bool checked) {
  ForEachEntry([value, checked](KZPullDownItem& entry) { entry.CheckByValue(value, checked); });
}

void KZPullDownMenu::ForEachEntry(const std::function<void(KZPullDownItem&)>& visit) {
  for (ZafElement* entry = First(); entry; entry = entry->Next()) {
    if (auto* pullDown = dynamic_cast<KZPullDownItem*>(entry)) {
      visit(*pullDown);
    }
  }
}
