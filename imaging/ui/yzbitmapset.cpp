#include "imaging/ui/yzbitmapset.h"

#include "toolkit/kzbitmap.h"

void YZBitmapSet::Load() {
  Release();
  for (std::size_t index = 0; index < names.size(); ++index) {
    bitmaps[index] = new KZBitmap(names[index]);
  }
}

void YZBitmapSet::Release() {
  for (KZBitmap*& bitmap : bitmaps) {
    if (bitmap && bitmap->Count() > 0) {
      bitmap->SetDestroyable(true);
    } else {
      delete bitmap;
    }
    bitmap = nullptr;
  }
}
