#include "framework/data/zafbitmapdata.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafstrlib.h"

void ZafBitmapStruct::Set(ZafBitmapStruct& description, int32_t width, int32_t height, const uint8_t* pixels,
                          bool staticPixels) {
  description = ZafBitmapStruct{width, height, pixels, staticPixels, nullptr, nullptr, false};
}

ZafBitmapData::ZafBitmapData(int32_t width, int32_t height, const uint8_t* pixels, bool staticPixels)
    : ZafImageData(width, height, pixels, staticPixels) {}

// A copy never shares native handles: the display makes its own for the copy.
ZafBitmapData::ZafBitmapData(const ZafBitmapData& other) : ZafImageData(other) {}

ZafBitmapData::ZafBitmapData(const ZafIChar* name, ZafDataPersistence& persistence)
    : ZafImageData(name, persistence, u"ZafBitmapData", ID_ZAF_BITMAP_DATA, ZAF_STORAGE_TYPE_NAMED) {}

ZafBitmapData* ZafBitmapData::ZafBitmapDataFromStruct(const ZafBitmapStruct& description) {
  return new ZafBitmapData(description.width, description.height, description.pixels,
                           description.staticPixels);
}

ZafClassID ZafBitmapData::ClassID() const {
  return ID_ZAF_BITMAP_DATA;
}

const ZafIChar* ZafBitmapData::ClassName() const {
  return u"ZafBitmapData";
}

bool ZafBitmapData::IsA(ZafClassID id) const {
  return id == ID_ZAF_BITMAP_DATA || ZafImageData::IsA(id);
}

bool ZafBitmapData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafBitmapData") == 0) || ZafImageData::IsAName(name);
}

ZafDataConstructor ZafBitmapData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafBitmapData(name, persistence);
  };
}

ZafData* ZafBitmapData::Duplicate() {
  return new ZafBitmapData(*this);
}

int ZafBitmapData::StorageType() const {
  return ZAF_STORAGE_TYPE_NAMED;
}

void ZafBitmapData::SetNativeHandles(ZafNativeHandle newBitmap, ZafNativeHandle newMask, bool isStatic) {
  bitmap = newBitmap;
  mask = newMask;
  staticHandles = isStatic;
}
