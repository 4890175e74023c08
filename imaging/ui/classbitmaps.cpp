#include "imaging/ui/classbitmaps.h"

#include "toolkit/kzbitmap.h"

void ReleaseClassBitmaps(std::span<KZBitmap*> bitmaps) {
  for (KZBitmap*& bitmap : bitmaps) {
    if (bitmap && bitmap->Count() > 0) {
      bitmap->SetDestroyable(true);
    } else {
      delete bitmap;
    }
    bitmap = nullptr;
  }
}
