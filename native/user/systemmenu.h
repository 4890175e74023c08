#pragma once
// The standard system menu of a frame: Restore, Move, Size, Minimize, Maximize and Close, each carrying its
// SC_ command, and the states that follow from the window's styles and placement.

#include "native/user/nativetypes.h"

namespace native {

struct WindowRecord;

class SystemMenu {
 public:
  // A new pop-up menu with the standard entries for the window. Close names the key that closes it: Ctrl+F4
  // for a document (MDI child) window, Alt+F4 for a top-level one.
  static HMENU create(const WindowRecord& window);
  // Greys what the window cannot do now (restore a normal window, size a fixed frame, maximise a maximised
  // one...) and enables the rest; entries the program added keep their state. The owner may change the
  // states again in WM_INITMENUPOPUP.
  static void updateStates(HMENU menu, const WindowRecord& window);
};

}  // namespace native
