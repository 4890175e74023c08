// A dimension constraint keeps an object's width or height between a minimum and a maximum, in pixels;
// 0 (or less) leaves that limit unset. The left or top edge stays and the right or bottom edge moves.
// When both are set and the minimum is the larger, the minimum wins.
#ifndef FRAMEWORK_CORE_ZAFDIMENSIONCONSTRAINT_H
#define FRAMEWORK_CORE_ZAFDIMENSIONCONSTRAINT_H

#include "framework/core/zafconstraint.h"

inline constexpr int32_t ZAF_DIMENSION_WIDTH = 0;
inline constexpr int32_t ZAF_DIMENSION_HEIGHT = 1;

class ZafDimensionConstraint : public ZafConstraint {
 public:
  ZafDimensionConstraint(ZafWindowObject* object, int32_t type, int32_t minimum = 0, int32_t maximum = 0);
  ZafDimensionConstraint(const ZafDimensionConstraint& other) = default;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  ZafConstraint* Duplicate() const override;

  int32_t Type() const { return type; }
  // A type other than width or height is refused; answers the type in force.
  int32_t SetType(int32_t newType);
  int32_t Minimum() const { return minimum; }
  int32_t SetMinimum(int32_t value);
  int32_t Maximum() const { return maximum; }
  int32_t SetMaximum(int32_t value);

 protected:
  bool Place(ZafRegionStruct& region, const ZafRegionStruct& area) override;
  void WriteFields(ZafFile& file) const override;
  bool ReadFields(ZafFile& file) override;

 private:
  static bool ValidType(int32_t value) {
    return value == ZAF_DIMENSION_WIDTH || value == ZAF_DIMENSION_HEIGHT;
  }

  int32_t type;
  int32_t minimum;
  int32_t maximum;
};

#endif
