#pragma once
// The layout of an event window, from the settings group "\Event\Layout\": one String entry per pane, in
// order. The entry's name begins (case ignored) with "Summary", "Results" or "Chart", any suffix being free
// ("Chart1"); its value holds the pane's left, top, right and bottom edges in percent of the window's
// client area, then optionally the pane's label (else the label is the entry's name).

#include <cstdint>
#include <vector>

#include "app/panerect.h"
#include "app/panewindow.h"
#include "foundation/kstring.h"

struct EventLayoutEntry {
  // Labels are kept to this many characters.
  static constexpr int32_t kLabelLength = 15;

  PaneKind kind = PaneKind::kSummary;
  KString label;
  PaneRect rect;
};

// Creates "\Event\Layout\" with the built-in layout when the settings have no such group: the results
// window over the top 26 % of the client area and the chart window under it. An existing group, even an
// empty one, stays as it is.
void InstallBuiltInEventLayout();

// Reads the entries in order. The reading stops silently at an entry that is no String. An entry whose
// name names no kind, or whose first four fields are not all integers, ends the reading with the log's
// error line; the entries read before it stay. An entry of a kind that `canMake` refuses (no window of
// that kind can be made) is left out with a warning naming it, and the reading goes on.
std::vector<EventLayoutEntry> ReadEventLayout(bool (*canMake)(PaneKind));
