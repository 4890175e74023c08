#pragma once
// Where a list box's entries lie: entries are stacked from the top entry shown (`top`) down the client area,
// each as high as the list's item height or, in lists whose owner measures each entry, its own. Entries above
// the top one lie above the client area, at negative coordinates.

#include "native/controls/listboxitems.h"
#include "native/user/nativetypes.h"

namespace native {

class ListBoxGeometry {
 public:
  ListBoxGeometry(const ListBoxItems& items, int itemHeight, bool variableHeights, int top,
                  const RECT& client)
      : items_(items),
        itemHeight_(itemHeight),
        variableHeights_(variableHeights),
        top_(top),
        client_(client) {}

  int heightOf(int index) const;
  RECT itemRect(int index) const;
  // The entry under a client point, -1 outside the client area or below the last entry.
  int itemAt(POINT point) const;
  // The entries from the top one that fit whole, at least one.
  int pageSize() const;
  // The highest top entry: the one from which the rest of the list fills the client area.
  int lastTop() const;
  // The top entry that shows `index` whole, moving from the present top as little as possible.
  int topShowing(int index) const;

 private:
  const ListBoxItems& items_;
  int itemHeight_;
  bool variableHeights_;
  int top_;
  RECT client_;
};

}  // namespace native
