#include "toolkit/kzgeomatt.h"

#include "toolkit/kzgeomflags.h"

KZGeomAtt::KZGeomAtt(ZafWindowObject* object, int32_t flags, int32_t offset)
    : KZGeomAtt(object, nullptr, flags, offset) {}

KZGeomAtt::KZGeomAtt(ZafWindowObject* object, ZafWindowObject* reference, int32_t flags, int32_t offset)
    : ZafAttachment(object, reference, KZGeomSide(flags), offset) {
  SetFacing((flags & KZGEOM_NOT_FACING) == 0);
  SetStretch((flags & KZGEOM_STRETCH) != 0);
}
