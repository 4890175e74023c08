#include "framework/core/zafrelativeconstraint.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"

namespace {

// Bits of the stored options byte.
constexpr uint8_t kFromStart = 0x01;
constexpr uint8_t kStretch = 0x02;
constexpr uint8_t kCentre = 0x04;

}  // namespace

ZafRelativeConstraint::ZafRelativeConstraint(ZafWindowObject* object, int32_t side, int32_t value)
    : ZafConstraint(object), side(ValidSide(side) ? side : ZAF_SIDE_LEFT), value(value) {}

ZafClassID ZafRelativeConstraint::ClassID() const {
  return ID_ZAF_RELATIVE_CONSTRAINT;
}

const ZafIChar* ZafRelativeConstraint::ClassName() const {
  return u"ZafRelativeConstraint";
}

bool ZafRelativeConstraint::IsA(ZafClassID id) const {
  return id == ID_ZAF_RELATIVE_CONSTRAINT || ZafConstraint::IsA(id);
}

ZafConstraint* ZafRelativeConstraint::Duplicate() const {
  return new ZafRelativeConstraint(*this);
}

int32_t ZafRelativeConstraint::SetSide(int32_t newSide) {
  if (ValidSide(newSide)) {
    side = newSide;
  }
  return side;
}

int32_t ZafRelativeConstraint::SetValue(int32_t newValue) {
  value = newValue;
  return value;
}

bool ZafRelativeConstraint::SetFromStart(bool flag) {
  fromStart = flag;
  return fromStart;
}

bool ZafRelativeConstraint::SetStretch(bool flag) {
  stretch = flag;
  return stretch;
}

bool ZafRelativeConstraint::SetCentre(bool flag) {
  centre = flag;
  return centre;
}

bool ZafRelativeConstraint::Place(ZafRegionStruct& region, const ZafRegionStruct& area) {
  const bool horizontal = side == ZAF_SIDE_LEFT || side == ZAF_SIDE_RIGHT;
  const int64_t start = horizontal ? area.left : area.top;
  const int64_t length = horizontal ? area.Width() : area.Height();
  const int64_t part = length * value / 100;
  const int64_t point = fromStart ? start + part : start + length - part;
  if (centre) {
    const int64_t size = horizontal ? region.Width() : region.Height();
    MoveEdge(region, horizontal ? ZAF_SIDE_LEFT : ZAF_SIDE_TOP, point - size / 2, false);
  } else {
    MoveEdge(region, side, point, stretch);
  }
  return true;
}

void ZafRelativeConstraint::WriteFields(ZafFile& file) const {
  file.WriteInt32(side);
  file.WriteInt32(value);
  file.WriteUInt8((fromStart ? kFromStart : 0) | (stretch ? kStretch : 0) | (centre ? kCentre : 0));
}

bool ZafRelativeConstraint::ReadFields(ZafFile& file) {
  uint8_t options = 0;
  file.ReadInt32(side);
  file.ReadInt32(value);
  file.ReadUInt8(options);
  fromStart = options & kFromStart;
  stretch = options & kStretch;
  centre = options & kCentre;
  return ValidSide(side) && (options & ~(kFromStart | kStretch | kCentre)) == 0;
}
