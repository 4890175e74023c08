#include "toolkit/kzgeomdc.h"

#include "toolkit/kzgeomflags.h"

KZGeomDC::KZGeomDC(ZafWindowObject* object, int32_t flags, int32_t minimum, int32_t maximum)
    : ZafDimensionConstraint(object, (flags & KZGEOM_HEIGHT) ? ZAF_DIMENSION_HEIGHT : ZAF_DIMENSION_WIDTH,
                             minimum, maximum == -1 ? minimum : maximum) {}
