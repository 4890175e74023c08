#include "toolkit/kzgeomflags.h"

#include "framework/core/zafconstraint.h"

int32_t KZGeomSide(int32_t flags) {
  if (flags & KZGEOM_BOTTOM) {
    return ZAF_SIDE_BOTTOM;
  }
  if (flags & KZGEOM_TOP) {
    return ZAF_SIDE_TOP;
  }
  if (flags & KZGEOM_RIGHT) {
    return ZAF_SIDE_RIGHT;
  }
  return ZAF_SIDE_LEFT;
}
