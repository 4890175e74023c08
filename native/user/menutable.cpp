#include "native/user/menutable.h"

#include <algorithm>

namespace native {

namespace {

// Cascades nest far less deeply than this; the bound keeps a walk finite whatever the table holds.
constexpr int kMaxDepth = 64;

}  // namespace

HMENU MenuTable::create(bool bar) {
  auto record = std::make_unique<MenuRecord>();
  record->bar = bar;
  MenuRecord* raw = record.get();
  HMENU handle = table_.add(std::move(record));
  if (handle != nullptr) {
    raw->handle = handle;
  }
  return handle;
}

bool MenuTable::destroy(HMENU menu) {
  std::unique_ptr<MenuRecord> record = table_.remove(menu);
  if (record == nullptr) {
    return false;
  }
  changed();
  for (const MenuItem& item : record->items) {
    if (item.isPopup()) {
      destroy(item.subMenu);
    }
  }
  return true;
}

bool MenuTable::reaches(HMENU from, HMENU target) const {
  std::vector<std::pair<HMENU, int>> pending{{from, 0}};
  while (!pending.empty()) {
    auto [menu, depth] = pending.back();
    pending.pop_back();
    if (menu == target) {
      return true;
    }
    const MenuRecord* record = find(menu);
    if (record == nullptr || depth >= kMaxDepth) {
      continue;
    }
    for (const MenuItem& item : record->items) {
      if (item.isPopup()) {
        pending.emplace_back(item.subMenu, depth + 1);
      }
    }
  }
  return false;
}

std::optional<MenuTable::Location> MenuTable::locate(HMENU menu, UINT_PTR item, UINT flags) const {
  MenuRecord* record = find(menu);
  if (record == nullptr) {
    return std::nullopt;
  }
  if ((flags & MF_BYPOSITION) != 0) {
    if (item >= record->items.size()) {
      return std::nullopt;
    }
    return Location{record, item};
  }
  return locateByCommand(menu, item, 0);
}

std::optional<MenuTable::Location> MenuTable::locateByCommand(HMENU menu, UINT_PTR command, int depth) const {
  MenuRecord* record = find(menu);
  if (record == nullptr || depth > kMaxDepth) {
    return std::nullopt;
  }
  for (std::size_t index = 0; index < record->items.size(); ++index) {
    const MenuItem& item = record->items[index];
    if (item.isPopup()) {
      if (reinterpret_cast<UINT_PTR>(item.subMenu) == command) {
        return Location{record, index};
      }
      if (auto inner = locateByCommand(item.subMenu, command, depth + 1)) {
        return inner;
      }
    } else if (!item.isSeparator() && item.id == LOWORD(command)) {
      return Location{record, index};
    }
  }
  return std::nullopt;
}

HMENU MenuTable::systemMenuOf(HWND window) const {
  auto found = std::find_if(systemMenus_.begin(), systemMenus_.end(),
                            [window](const auto& entry) { return entry.first == window; });
  return found == systemMenus_.end() || find(found->second) == nullptr ? nullptr : found->second;
}

HWND MenuTable::windowOfSystemMenu(HMENU menu) const {
  auto found = std::find_if(systemMenus_.begin(), systemMenus_.end(),
                            [menu](const auto& entry) { return entry.second == menu; });
  return found == systemMenus_.end() ? nullptr : found->first;
}

void MenuTable::setSystemMenu(HWND window, HMENU menu) {
  changed();
  std::erase_if(systemMenus_, [&](const auto& entry) { return entry.first == window; });
  if (menu != nullptr) {
    systemMenus_.emplace_back(window, menu);
  }
}

void MenuTable::destroySystemMenuOf(HWND window) {
  HMENU own = systemMenuOf(window);
  std::erase_if(systemMenus_, [&](const auto& entry) { return entry.first == window; });
  if (own != nullptr) {
    destroy(own);
  }
}

}  // namespace native
