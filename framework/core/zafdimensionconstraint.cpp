#include "framework/core/zafdimensionconstraint.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"

ZafDimensionConstraint::ZafDimensionConstraint(ZafWindowObject* object, int32_t type, int32_t minimum,
                                               int32_t maximum)
    : ZafConstraint(object),
      type(ValidType(type) ? type : ZAF_DIMENSION_WIDTH),
      minimum(minimum),
      maximum(maximum) {}

ZafClassID ZafDimensionConstraint::ClassID() const {
  return ID_ZAF_DIMENSION_CONSTRAINT;
}

const ZafIChar* ZafDimensionConstraint::ClassName() const {
  return u"ZafDimensionConstraint";
}

bool ZafDimensionConstraint::IsA(ZafClassID id) const {
  return id == ID_ZAF_DIMENSION_CONSTRAINT || ZafConstraint::IsA(id);
}

ZafConstraint* ZafDimensionConstraint::Duplicate() const {
  return new ZafDimensionConstraint(*this);
}

int32_t ZafDimensionConstraint::SetType(int32_t newType) {
  if (ValidType(newType)) {
    type = newType;
  }
  return type;
}

int32_t ZafDimensionConstraint::SetMinimum(int32_t value) {
  minimum = value;
  return minimum;
}

int32_t ZafDimensionConstraint::SetMaximum(int32_t value) {
  maximum = value;
  return maximum;
}

bool ZafDimensionConstraint::Place(ZafRegionStruct& region, const ZafRegionStruct&) {
  int32_t size = type == ZAF_DIMENSION_WIDTH ? region.Width() : region.Height();
  if (maximum > 0 && size > maximum) {
    size = maximum;
  }
  if (minimum > 0 && size < minimum) {
    size = minimum;
  }
  if (type == ZAF_DIMENSION_WIDTH) {
    region.right = Bounded(int64_t{region.left} + size - 1);
  } else {
    region.bottom = Bounded(int64_t{region.top} + size - 1);
  }
  return true;
}

void ZafDimensionConstraint::WriteFields(ZafFile& file) const {
  file.WriteInt32(type);
  file.WriteInt32(minimum);
  file.WriteInt32(maximum);
}

bool ZafDimensionConstraint::ReadFields(ZafFile& file) {
  file.ReadInt32(type);
  file.ReadInt32(minimum);
  file.ReadInt32(maximum);
  return ValidType(type);
}
