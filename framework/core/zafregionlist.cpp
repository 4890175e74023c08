#include "framework/core/zafregionlist.h"

void ZafRegionList::Split(uint32_t owner, const ZafRegionStruct& cut, bool keepStrip) {
  uint32_t stripOwner = owner;
  // Pieces are appended while the walk goes on; each successor is taken before its element is worked on,
  // and the pieces never overlap the cut, so the walk passes them unchanged.
  for (auto* element = First(); element;) {
    auto* next = static_cast<ZafRegionElement*>(element->Next());
    const ZafRegionStruct& piece = element->region;
    ZafRegionStruct common;
    if (piece.Encompassed(cut)) {
      delete element;
    } else if (piece.Intersect(cut, common)) {
      // The pieces are in the cut's type, so the element is measured in that type too.
      const ZafRegionStruct e = piece.Converted(cut.coordinateType);
      const ZafRegionStruct& c = cut;
      int32_t top = c.top;
      int32_t bottom = c.bottom;
      if (e.top < c.top) {
        Add(new ZafRegionElement(element->owner, e.left, e.top, e.right, c.top - 1, c.coordinateType));
      } else {
        top = e.top;
      }
      if (c.bottom < e.bottom) {
        Add(new ZafRegionElement(element->owner, e.left, c.bottom + 1, e.right, e.bottom, c.coordinateType));
      } else {
        bottom = e.bottom;
      }
      if (e.left < c.left) {
        Add(new ZafRegionElement(element->owner, e.left, top, c.left - 1, bottom, c.coordinateType));
      }
      if (c.right < e.right) {
        Add(new ZafRegionElement(element->owner, c.right + 1, top, e.right, bottom, c.coordinateType));
      }
      stripOwner = element->owner;
      delete element;
    }
    element = next;
  }
  if (keepStrip && Count() == 0) {
    Add(new ZafRegionElement(stripOwner, cut.left, cut.bottom + 10, cut.right, cut.bottom + 20,
                             cut.coordinateType));
  }
}
