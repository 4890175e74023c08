#pragma once
// All menus of the program, reached through their handles, and the windows' own copies of the system menu.
// Cascades may not loop back to a menu above them, so every walk down the cascades ends.

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "native/user/handletable.h"
#include "native/user/menurecord.h"

namespace native {

class MenuLoop;

class MenuTable {
 public:
  HMENU create(bool bar);
  MenuRecord* find(HMENU menu) const { return table_.find(menu); }
  // Destroys the menu and the cascades below it; false when it does not exist.
  bool destroy(HMENU menu);

  // Whether `target` is `from` or lies somewhere in its cascades.
  bool reaches(HMENU from, HMENU target) const;

  struct Location {
    MenuRecord* menu = nullptr;
    std::size_t index = 0;
  };
  // An entry by position (MF_BYPOSITION in `flags`) or by command, the cascades searched depth first; a
  // cascade entry's command is its submenu's handle.
  std::optional<Location> locate(HMENU menu, UINT_PTR item, UINT flags) const;

  // The window's own copy of the system menu, null while it has none.
  HMENU systemMenuOf(HWND window) const;
  // Null forgets the window's copy (the caller destroys it).
  void setSystemMenu(HWND window, HMENU menu);
  // Destroys the window's copy with the window, so a later window given the same handle starts without it.
  void destroySystemMenuOf(HWND window);
  // The window whose own system menu this is, null for other menus.
  HWND windowOfSystemMenu(HMENU menu) const;

  // Counts the changes of entries (added, changed, taken out) and of menus (destroyed, made a window's
  // system menu), which can change how wide a bar's entries are; never 0.
  std::uint64_t revision() const { return revision_; }
  void changed() { ++revision_; }

  // The menu loop tracking a menu now, if any: one menu is open at a time.
  MenuLoop* activeLoop = nullptr;

 private:
  std::optional<Location> locateByCommand(HMENU menu, UINT_PTR command, int depth) const;

  HandleTable<MenuRecord, HMENU> table_;
  std::vector<std::pair<HWND, HMENU>> systemMenus_;
  std::uint64_t revision_ = 1;
};

}  // namespace native
