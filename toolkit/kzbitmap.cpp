#include "toolkit/kzbitmap.h"

#include "framework/data/zafobjectpersistence.h"
#include "toolkit/kzapplication.h"

KZBitmap::KZBitmap(const ZafIChar* name) {
  SetStringID(name);
  ZafObjectPersistence* storage =
      KZApplication::application ? KZApplication::application->ObjectPersistence() : nullptr;
  if (!storage) {
    SetError(ZAF_ERROR_NOT_FOUND);
  } else {
    const ZafBitmapData stored(name, *storage);
    SetImage(stored.Width(), stored.Height(), stored.Pixels());
    SetError(stored.Error());
  }
  // Read data is handed to its users to delete; the program's named bitmaps outlive every user.
  SetDestroyable(false);
}
