// A pop-up menu entry on the native window system: its kind and check mark in the native entry, the
// platform's system commands inside a system button's menu, and the help hint of the highlighted entry.
#include "framework/core/zafpopupitem.h"

#include "framework/core/zafeventmanager.h"
#include "framework/data/zafclassid.h"
#include "native/native.h"

namespace {

// The platform's own command for each window command an entry can stand for.
struct SystemCommandRow {
  int32_t itemType;
  native::WPARAM command;
};
constexpr SystemCommandRow kSystemCommands[] = {
    {ZAF_ITEM_CLOSE, native::SC_CLOSE},       {ZAF_ITEM_MAXIMIZE, native::SC_MAXIMIZE},
    {ZAF_ITEM_MINIMIZE, native::SC_MINIMIZE}, {ZAF_ITEM_MOVE, native::SC_MOVE},
    {ZAF_ITEM_RESTORE, native::SC_RESTORE},   {ZAF_ITEM_SIZE, native::SC_SIZE},
};

}  // namespace

ZafEventType ZafPopUpItem::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  if (code != FocusGainEvent && code != FocusLoseEvent) {
    return ZafMenuItem::Event(event);
  }
  // Highlighting an entry only shows or takes back its help hint; it is no choice for the program's
  // callback.
  if (!ThirdText() || !eventManager) {
    return code;
  }
  ZafEventRecord hint(static_cast<int32_t>(HelpHintEvent), 0);
  hint.osEvent = event.osEvent;
  if (code == FocusGainEvent) {
    // Only the entries of the window in use tell the help bar about themselves.
    if (!RootObject()->Focus()) {
      return code;
    }
    hint.windowObject = this;
  }
  eventManager->SendToDevices(hint, E_HELP_TIPS);
  return code;
}

native::UINT_PTR ZafPopUpItem::SystemCommand() const {
  bool inSystemMenu = false;
  for (const ZafWindowObject* object = parent; object && !inSystemMenu; object = object->Parent()) {
    inSystemMenu = object->IsA(ID_ZAF_SYSTEM_BUTTON);
  }
  if (!inSystemMenu) {
    return 0;
  }
  for (const SystemCommandRow& row : kSystemCommands) {
    if (row.itemType == menuItemType) {
      return row.command;
    }
  }
  return 0;
}

void ZafPopUpItem::CreateNative() {
  if (SystemCommand() != 0) {
    // The platform carries the command out; the entry posts nothing of its own.
    userCallback = &ZafWindowObject::DefaultUserCallback;
  }
  ZafMenuItem::CreateNative();
}

native::UINT_PTR ZafPopUpItem::EntryIdentifier() const {
  const native::UINT_PTR command = SystemCommand();
  if (command == 0 || (submenu.ScreenID() && submenu.HasItems())) {
    return ZafMenuItem::EntryIdentifier();
  }
  return command;
}

native::UINT ZafPopUpItem::EntryFlags() const {
  native::UINT flags = ZafMenuItem::EntryFlags();
  if (menuItemType == ZAF_ITEM_SEPARATOR) {
    flags |= native::MF_SEPARATOR;
  }
  if (disabled) {
    flags |= native::MF_DISABLED;
  }
  if (selected) {
    flags |= native::MF_CHECKED;
  }
  return flags;
}

bool ZafPopUpItem::SetSelected(bool flag) {
  const bool before = selected;
  ZafButton::SetSelected(flag);
  if (selected != before && screenID) {
    native::CheckMenuItem(ContainingMenu(), static_cast<native::UINT>(EntryPosition()),
                          native::MF_BYPOSITION | (selected ? native::MF_CHECKED : native::MF_UNCHECKED));
  }
  return selected;
}
