#pragma once
// All windows of the program: the handle table, the desktop window at the root, the z-order of siblings and
// the geometric questions asked of the tree. Top-level windows keep two rules of their z-order: topmost
// windows above the others, and owned windows above their owner.

#include <memory>
#include <vector>

#include "native/user/handletable.h"
#include "native/user/windowrecord.h"

namespace native {

class WindowTree {
 public:
  WindowTree(WindowClass& desktopClass, int width, int height);

  WindowRecord* find(HWND handle) const { return table_.find(handle); }
  bool contains(HWND handle) const { return find(handle) != nullptr; }
  WindowRecord& desktop() const { return *find(desktop_); }
  HWND desktopHandle() const { return desktop_; }

  // Enters a record into the table (not yet into the tree); 0 when the table is full.
  HWND add(std::unique_ptr<WindowRecord> window);
  // Unlinks and removes; the handle is dead afterwards.
  void remove(HWND handle);

  // Places the window among its parent's children: after a sibling, or HWND_TOP, HWND_BOTTOM, HWND_TOPMOST,
  // HWND_NOTOPMOST (the last two set or clear the topmost flag of a top-level window).
  void link(WindowRecord& window, HWND insertAfter);
  void unlink(WindowRecord& window);

  bool isTopLevel(const WindowRecord& window) const { return window.parent == desktop_; }
  HWND topLevelOf(HWND handle) const;
  // True when `window` lies below `ancestor` through parent links (not owners).
  bool isDescendant(HWND ancestor, HWND window) const;
  bool isVisible(const WindowRecord& window) const;
  bool isEnabled(const WindowRecord& window) const;
  std::vector<HWND> ownedWindows(HWND owner) const;

  // Screen position of the top-left corner of the window's client area and of its parent's client area.
  POINT clientOrigin(const WindowRecord& window) const;
  POINT parentClientOrigin(const WindowRecord& window) const;
  RECT screenRect(const WindowRecord& window) const;

  // The visible window under a screen point by geometry alone: top-level windows in z-order, then down
  // through the children under the point. A disabled child is not entered: its parent answers. The desktop
  // answers where no window is.
  HWND windowAt(POINT screen) const;

 private:
  void restoreTopLevelOrder();

  HandleTable<WindowRecord, HWND> table_;
  HWND desktop_ = nullptr;
};

}  // namespace native
