#include "toolkit/kzgeomrc.h"

#include "framework/core/zafwindowobject.h"
#include "toolkit/kzgeomflags.h"

KZGeomRC::KZGeomRC(ZafWindowObject* object, int32_t flags, int32_t value, int32_t edgeOffset)
    : ZafRelativeConstraint(object, KZGeomSide(flags)), edgeOffset(edgeOffset) {
  SetFromStart((flags & KZGEOM_NOT_FACING) == 0);
  SetStretch((flags & KZGEOM_STRETCH) != 0);
  SetCentre((flags & KZGEOM_CENTRE) != 0);
  if (value != 0) {
    SetValue(value);
  }
}

ZafConstraint* KZGeomRC::Duplicate() const {
  return new KZGeomRC(*this);
}

ZafEventType KZGeomRC::Event(const ZafEventRecord& event) {
  const ZafEventType answer = ZafRelativeConstraint::Event(event);
  ZafWindowObject* object = Object();
  if (answer != FitEvent || !object || !ZafWindowObject::display || edgeOffset == 0) {
    return answer;
  }
  ZafRegionStruct placed = object->Region();
  object->ConvertRegion(placed, ZAF_PIXEL);
  int32_t* edges[] = {&placed.left, &placed.top, &placed.right, &placed.bottom};
  *edges[Side()] = Bounded(int64_t{*edges[Side()]} + edgeOffset);
  object->SetRegion(placed);
  return answer;
}
