// A dimension constraint made from one flag word: KZGEOM_WIDTH or KZGEOM_HEIGHT (the height when both are
// given). A minimum of 0 leaves the minimum unset; a maximum of -1 is the minimum, so that one number fixes
// the size; a maximum of 0 leaves the maximum unset.
#ifndef TOOLKIT_KZGEOMDC_H
#define TOOLKIT_KZGEOMDC_H

#include "framework/core/zafdimensionconstraint.h"

class KZGeomDC : public ZafDimensionConstraint {
 public:
  KZGeomDC(ZafWindowObject* object, int32_t flags, int32_t minimum, int32_t maximum);
};

#endif
