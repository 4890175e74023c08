#pragma once
// Who makes the pane windows: each kind of pane window registers its maker when its window class is set
// up and takes it back at the class's clean-up. An event window makes the window of a layout entry
// through the maker of the entry's kind.

#include <functional>

#include "app/panewindow.h"

class QvZEventMDI;

class PaneWindowMakers {
 public:
  // Makes a pane window whose owner is the event window.
  using Maker = std::function<PaneWindow*(QvZEventMDI* owner)>;

  // Replaces the kind's maker; an empty maker takes it back.
  static void Register(PaneKind kind, Maker maker);
  static bool Has(PaneKind kind);
  // A new window of the kind, or null when no maker is registered or the maker made none.
  static PaneWindow* Make(PaneKind kind, QvZEventMDI* owner);
};
