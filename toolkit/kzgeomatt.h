// An attachment made from one flag word: the side flags pick the edge, KZGEOM_NOT_FACING lines the edge up
// with the reference's same side, KZGEOM_STRETCH moves only the edge.
#ifndef TOOLKIT_KZGEOMATT_H
#define TOOLKIT_KZGEOMATT_H

#include "framework/core/zafattachment.h"

class KZGeomAtt : public ZafAttachment {
 public:
  // Attached to the parent.
  KZGeomAtt(ZafWindowObject* object, int32_t flags, int32_t offset);
  // Attached to a sibling.
  KZGeomAtt(ZafWindowObject* object, ZafWindowObject* reference, int32_t flags, int32_t offset);
};

#endif
