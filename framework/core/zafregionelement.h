// One rectangle of a region list, tagged with a word that tells the list's user whose rectangle it is.
#ifndef FRAMEWORK_CORE_ZAFREGIONELEMENT_H
#define FRAMEWORK_CORE_ZAFREGIONELEMENT_H

#include "framework/core/zafregionstruct.h"
#include "framework/data/zafelement.h"

class ZafRegionElement : public ZafElement {
 public:
  ZafRegionElement(uint32_t owner, const ZafRegionStruct& region);
  ZafRegionElement(uint32_t owner, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   int32_t coordinateType);
  ~ZafRegionElement() override = default;

  uint32_t owner;
  ZafRegionStruct region;
};

#endif
