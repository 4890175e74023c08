#pragma once
// The window a pop-up menu shows in: a topmost pop-up window with a thin border that is never activated,
// drawn from its menu with the entry the menu loop highlights. WindowFromPoint finds it like any window.

#include <vector>

#include "native/user/nativetypes.h"

namespace native {

// What a pop-up window shows; the menu loop owns it and outlives the window.
struct PopupState {
  HMENU menu = nullptr;
  int selected = -1;
};

class MenuPopup {
 public:
  enum class Placement {
    Below,   // a pull-down under a bar entry or a context menu at a point: below `anchor`, else above it
    Beside,  // a cascade: right of `anchor` (its parent entry), else left of it
  };
  // Opens and shows the window of the state's menu, owned by `owner`, kept on the desktop. Null on failure.
  static HWND open(const PopupState* state, HWND owner, const RECT& anchor, Placement placement);
  // The entries of an open pop-up window in screen coordinates.
  static std::vector<RECT> screenEntries(HWND popup);

 private:
  static LRESULT procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace native
