#include "framework/core/zafregionelement.h"

ZafRegionElement::ZafRegionElement(uint32_t owner, const ZafRegionStruct& region)
    : owner(owner), region(region) {}

ZafRegionElement::ZafRegionElement(uint32_t owner, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                   int32_t coordinateType)
    : owner(owner), region{left, top, right, bottom, coordinateType} {}
