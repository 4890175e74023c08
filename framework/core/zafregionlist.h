// A list of rectangles from which other rectangles are cut: a window computes what is left of an area
// after taking its support objects (title, menu, bars) out of it. The list owns its elements.
#ifndef FRAMEWORK_CORE_ZAFREGIONLIST_H
#define FRAMEWORK_CORE_ZAFREGIONLIST_H

#include "framework/core/zafregionelement.h"
#include "framework/data/zaflist.h"

class ZafRegionList : public ZafList {
 public:
  ZafRegionList() = default;

  ZafRegionElement* First() const { return static_cast<ZafRegionElement*>(ZafList::First()); }
  // Only region elements are ever linked into a region list.
  ZafRegionElement* Add(ZafRegionElement* element) {
    return static_cast<ZafRegionElement*>(ZafList::Add(element));
  }

  // Cuts the rectangle out of every element: an element inside the cut goes, an element it overlaps is
  // replaced by up to four pieces (above, below, left, right, appended in that order in the cut's type).
  // With keepStrip set and nothing left, one strip 10 units below the cut is kept, so that a caller that
  // needs one rectangle always finds one.
  void Split(uint32_t owner, const ZafRegionStruct& cut, bool keepStrip);
};

#endif
