#include "native/user/menuapi.h"

#include "native/gdi/textdrawing.h"
#include "native/user/menuloop.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/painting.h"
#include "native/user/placement.h"
#include "native/user/rects.h"
#include "native/user/styles.h"
#include "native/user/systemmenu.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// The flags an entry keeps; the others only say how a call finds the entry.
constexpr UINT kEntryFlags =
    MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR | MF_BITMAP | MF_RIGHTJUSTIFY;
constexpr UINT kNotFound = 0xFFFFFFFF;

MenuTable& menus() {
  return WindowSystem::get().menus();
}

// Builds the entry a call describes; none when a cascade would be missing or would loop back into `menu`.
std::optional<MenuItem> describeEntry(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
  MenuItem item;
  item.flags = flags & kEntryFlags;
  if (item.isSeparator()) {
    item.flags = MF_SEPARATOR;
    return item;
  }
  if (item.isPopup()) {
    item.subMenu = reinterpret_cast<HMENU>(id);
    if (menus().find(item.subMenu) == nullptr || menus().reaches(item.subMenu, menu)) {
      return std::nullopt;
    }
  } else {
    item.id = LOWORD(id);
  }
  if (text != nullptr && !IS_INTRESOURCE(text)) {
    item.text = std::u16string(textOf(text, -1));
  }
  return item;
}

// Changes the flags named in `mask` of one entry; answers the previous ones, -1 when there is no entry.
UINT changeState(HMENU menu, UINT item, UINT flags, UINT mask) {
  auto location = menus().locate(menu, item, flags);
  if (!location) {
    return kNotFound;
  }
  MenuItem& entry = location->menu->items[location->index];
  UINT previous = entry.flags & mask;
  entry.flags = (entry.flags & ~mask) | (flags & mask);
  return previous;
}

bool takeOut(HMENU menu, UINT position, UINT flags, bool destroySubMenu) {
  auto location = menus().locate(menu, position, flags);
  if (!location) {
    return false;
  }
  auto& items = location->menu->items;
  menus().changed();
  MenuItem removed = items[location->index];
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(location->index));
  if (destroySubMenu && removed.isPopup()) {
    menus().destroy(removed.subMenu);
  }
  return true;
}

WindowRecord* topLevelFrame(HWND window) {
  WindowRecord* record = WindowSystem::get().windows().find(window);
  return record != nullptr && !record->isChild() ? record : nullptr;
}

// The frame changed under the window's bar: its client area is worked out again, and the window hears of
// a new client size or place (the bar took another number of rows), so nothing it lays out lies under the
// bar.
void reframe(HWND window) {
  RECT before = WindowSystem::get().windows().find(window)->clientRect;
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const WindowRecord* record = topLevelFrame(window);
  if (record == nullptr) {
    return;
  }
  const RECT& after = record->clientRect;
  bool resized = after.right - after.left != before.right - before.left ||
                 after.bottom - after.top != before.bottom - before.top;
  bool moved = after.left != before.left || after.top != before.top;
  if (resized || moved) {
    sendSizeAndMove(window, resized, moved);
  }
}

// Whether the window's client area would lie elsewhere if it were worked out now.
bool clientOutdated(HWND window) {
  RECT client = WindowSystem::get().windows().find(window)->rect;
  SendMessage(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  const WindowRecord* record = topLevelFrame(window);
  return record != nullptr && !EqualRect(&client, &record->clientRect);
}

}  // namespace

HMENU CreateMenu() {
  return menus().create(true);
}

HMENU CreatePopupMenu() {
  return menus().create(false);
}

BOOL DestroyMenu(HMENU menu) {
  return menus().destroy(menu) ? TRUE : FALSE;
}

BOOL IsMenu(HMENU menu) {
  return menus().find(menu) != nullptr ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
  return InsertMenu(menu, kNotFound, flags | MF_BYPOSITION, id, text);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text) {
  MenuRecord* record = menus().find(menu);
  if (record == nullptr) {
    return FALSE;
  }
  // By position the entry goes into this menu, past its end meaning at the end; by command, before that
  // entry in whichever cascade holds it.
  MenuTable::Location target{record, std::min<std::size_t>(position, record->items.size())};
  if ((flags & MF_BYPOSITION) == 0) {
    auto location = menus().locate(menu, position, flags);
    if (!location) {
      return FALSE;
    }
    target = *location;
  }
  auto entry = describeEntry(target.menu->handle, flags, id, text);
  if (!entry) {
    return FALSE;
  }
  auto& items = target.menu->items;
  menus().changed();
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(target.index), *entry);
  return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text) {
  auto location = menus().locate(menu, position, flags);
  if (!location) {
    return FALSE;
  }
  auto entry = describeEntry(location->menu->handle, flags, id, text);
  if (!entry) {
    return FALSE;
  }
  location->menu->items[location->index] = *entry;
  menus().changed();
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  return takeOut(menu, position, flags, false) ? TRUE : FALSE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  return takeOut(menu, position, flags, true) ? TRUE : FALSE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  return static_cast<BOOL>(changeState(menu, item, flags, MF_GRAYED | MF_DISABLED));
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  return changeState(menu, item, flags, MF_CHECKED);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  auto location = menus().locate(menu, item, flags);
  if (!location) {
    return kNotFound;
  }
  const MenuItem& entry = location->menu->items[location->index];
  UINT state = entry.flags;
  if (entry.isPopup()) {
    const MenuRecord* sub = menus().find(entry.subMenu);
    std::size_t count = sub == nullptr ? 0 : std::min<std::size_t>(sub->items.size(), 0xFF);
    state |= static_cast<UINT>(count) << 8;
  }
  return state;
}

int GetMenuItemCount(HMENU menu) {
  const MenuRecord* record = menus().find(menu);
  return record == nullptr ? -1 : static_cast<int>(record->items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
  const MenuRecord* record = menus().find(menu);
  if (record == nullptr || position < 0 || static_cast<std::size_t>(position) >= record->items.size()) {
    return kNotFound;
  }
  const MenuItem& entry = record->items[static_cast<std::size_t>(position)];
  return entry.isPopup() ? kNotFound : entry.id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  const MenuRecord* record = menus().find(menu);
  if (record == nullptr || position < 0 || static_cast<std::size_t>(position) >= record->items.size()) {
    return nullptr;
  }
  const MenuItem& entry = record->items[static_cast<std::size_t>(position)];
  return entry.isPopup() ? entry.subMenu : nullptr;
}

BOOL SetMenu(HWND window, HMENU menu) {
  WindowRecord* record = topLevelFrame(window);
  if (record == nullptr || (menu != nullptr && menus().find(menu) == nullptr)) {
    return FALSE;
  }
  // A top-level window's id word holds its menu bar.
  record->id = static_cast<LONG_PTR>(reinterpret_cast<std::uintptr_t>(menu));
  reframe(window);
  return TRUE;
}

HMENU GetMenu(HWND window) {
  const WindowRecord* record = topLevelFrame(window);
  return record == nullptr ? nullptr : reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(record->id));
}

BOOL DrawMenuBar(HWND window) {
  if (topLevelFrame(window) == nullptr) {
    return FALSE;
  }
  if (clientOutdated(window)) {
    reframe(window);  // the bar's entries take another number of rows
  } else {
    frameChanged(window);
  }
  return TRUE;
}

HMENU GetSystemMenu(HWND window, BOOL revert) {
  const WindowRecord* record = WindowSystem::get().windows().find(window);
  if (record == nullptr) {
    return nullptr;
  }
  MenuTable& table = menus();
  HMENU own = table.systemMenuOf(window);
  if (revert != FALSE) {
    if (own != nullptr) {
      table.destroy(own);
      table.setSystemMenu(window, nullptr);
    }
    return nullptr;
  }
  if (own == nullptr) {
    own = SystemMenu::create(*record);
    table.setSystemMenu(window, own);
  }
  return own;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  WindowSystem& system = WindowSystem::get();
  if (menus().find(menu) == nullptr || system.windows().find(owner) == nullptr || MenuLoop::running()) {
    return FALSE;
  }
  MenuLoop loop(owner, (flags & TPM_RIGHTBUTTON) != 0);
  loop.trackPopup(menu, POINT{x, y});
  return TRUE;
}

}  // namespace native
