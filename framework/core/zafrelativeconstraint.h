// A relative constraint places one edge of an object at a percentage of its parent's client width (left
// and right sides) or height (top and bottom sides). The percentage is measured from the client area's
// left or top (the default) or, with from-start off, from its right or bottom. The edge lands on the first
// pixel past that point, for every side: a right edge at 100 lies one pixel beyond the client area, so a
// caller that wants the last pixel adds -1. Without stretch the whole object moves; with stretch only that
// edge moves; centred, the object keeps its size and is centred on the point along that axis.
#ifndef FRAMEWORK_CORE_ZAFRELATIVECONSTRAINT_H
#define FRAMEWORK_CORE_ZAFRELATIVECONSTRAINT_H

#include "framework/core/zafconstraint.h"

class ZafRelativeConstraint : public ZafConstraint {
 public:
  ZafRelativeConstraint(ZafWindowObject* object, int32_t side, int32_t value = 0);
  ZafRelativeConstraint(const ZafRelativeConstraint& other) = default;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  ZafConstraint* Duplicate() const override;

  int32_t Side() const { return side; }
  // A side outside 0-3 is refused; answers the side in force.
  int32_t SetSide(int32_t newSide);
  // Percent; values beyond 0-100 place the edge outside the client area.
  int32_t Value() const { return value; }
  int32_t SetValue(int32_t newValue);
  bool FromStart() const { return fromStart; }
  bool SetFromStart(bool flag);
  bool Stretch() const { return stretch; }
  bool SetStretch(bool flag);
  bool Centre() const { return centre; }
  bool SetCentre(bool flag);

 protected:
  bool Place(ZafRegionStruct& region, const ZafRegionStruct& area) override;
  void WriteFields(ZafFile& file) const override;
  bool ReadFields(ZafFile& file) override;

 private:
  int32_t side;
  int32_t value;
  bool fromStart = true;
  bool stretch = false;
  bool centre = false;
};

#endif
