#include "imaging/ui/classbitmaps.h"

#include "toolkit/kzbitmap.h"

void LoadClassBitmaps(std::span<KZBitmap*> bitmaps, std::span<const ZafIChar* const> names) {
  ReleaseClassBitmaps(bitmaps);
  for (std::size_t index = 0; index < bitmaps.size() && index < names.size(); ++index) {
    bitmaps[index] = new KZBitmap(names[index]);
  }
}

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
