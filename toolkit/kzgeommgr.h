// The toolkit's geometry manager is the framework's, unchanged: toolkit constraints are added to it like
// the framework's own.
#ifndef TOOLKIT_KZGEOMMGR_H
#define TOOLKIT_KZGEOMMGR_H

#include "framework/core/zafgeometrymanager.h"

using KZGeomMgr = ZafGeometryManager;

#endif
