#include "imaging/ui/yzbitmapset.h"

#include "imaging/ui/classbitmaps.h"

void YZBitmapSet::Load() {
  LoadClassBitmaps(bitmaps, names);
}

void YZBitmapSet::Release() {
  ReleaseClassBitmaps(bitmaps);
}
