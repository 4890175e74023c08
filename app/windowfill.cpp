#include "app/windowfill.h"

#include <cstdint>

#include "framework/core/zafwindow.h"
#include "toolkit/kzgeomatt.h"
#include "toolkit/kzgeomflags.h"
#include "toolkit/kzgeommgr.h"

void FillWithObject(ZafWindow& window, ZafWindowObject* object) {
  auto* geometry = new KZGeomMgr;
  window.Add(geometry);
  for (const int32_t side : {KZGEOM_LEFT, KZGEOM_TOP, KZGEOM_RIGHT, KZGEOM_BOTTOM}) {
    geometry->AddConstraint(new KZGeomAtt(object, side | KZGEOM_STRETCH, 0));
  }
}
