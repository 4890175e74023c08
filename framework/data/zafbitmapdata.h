// A bitmap: an image with the native bitmap and mask the display made from it. Built-in images are described
// by a ZafBitmapStruct whose pixels are static; named bitmaps are read from the data file.
#ifndef FRAMEWORK_DATA_ZAFBITMAPDATA_H
#define FRAMEWORK_DATA_ZAFBITMAPDATA_H

#include "framework/data/zafimagedata.h"

// The description of a bitmap: size, pixels (one colour index each, 255 transparent, rows from the top) and
// the native handles with the flags that say whether someone else owns the pixels and the handles.
struct ZafBitmapStruct {
  int32_t width = 0;
  int32_t height = 0;
  const uint8_t* pixels = nullptr;
  bool staticPixels = false;
  ZafNativeHandle bitmap = nullptr;
  ZafNativeHandle mask = nullptr;
  bool staticHandles = false;

  // Fills a built-in image's description; the handles are cleared.
  static void Set(ZafBitmapStruct& description, int32_t width, int32_t height, const uint8_t* pixels,
                  bool staticPixels);
};

class ZafBitmapData : public ZafImageData {
 public:
  ZafBitmapData(int32_t width = 0, int32_t height = 0, const uint8_t* pixels = nullptr,
                bool staticPixels = false);
  ZafBitmapData(const ZafBitmapData& other);
  // Reads the named bitmap (storage type 0: ~ZafBitmapData~name~objectData).
  ZafBitmapData(const ZafIChar* name, ZafDataPersistence& persistence);

  // A bitmap of the description's size and pixels, sharing static pixels, without native handles.
  static ZafBitmapData* ZafBitmapDataFromStruct(const ZafBitmapStruct& description);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;

  // The native handles are made and released by the display; the data object only carries them.
  ZafNativeHandle Bitmap() const { return bitmap; }
  ZafNativeHandle Mask() const { return mask; }
  bool StaticHandles() const { return staticHandles; }
  void SetNativeHandles(ZafNativeHandle bitmap, ZafNativeHandle mask, bool staticHandles);

 protected:
  int StorageType() const override;

 private:
  ZafNativeHandle bitmap = nullptr;
  ZafNativeHandle mask = nullptr;
  bool staticHandles = false;
};

#endif
