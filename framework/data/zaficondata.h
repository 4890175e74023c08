// An icon: an image with the native icon the display made from it.
#ifndef FRAMEWORK_DATA_ZAFICONDATA_H
#define FRAMEWORK_DATA_ZAFICONDATA_H

#include "framework/data/zafimagedata.h"

// The description of an icon: size, pixels (as for bitmaps), the native icon and the flags that say whether
// someone else owns the pixels and the handle.
struct ZafIconStruct {
  int32_t width = 0;
  int32_t height = 0;
  const uint8_t* pixels = nullptr;
  bool staticPixels = false;
  ZafNativeHandle icon = nullptr;
  bool staticHandle = false;
};

class ZafIconData : public ZafImageData {
 public:
  ZafIconData(int32_t width = 0, int32_t height = 0, const uint8_t* pixels = nullptr,
              bool staticPixels = false);
  // Size and pixels of the description, sharing static pixels, without a native icon.
  explicit ZafIconData(const ZafIconStruct& description);
  ZafIconData(const ZafIconData& other);
  // Reads the named icon (storage type 0: ~ZafIconData~name~objectData).
  ZafIconData(const ZafIChar* name, ZafDataPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;

  // The native icon is made and released by the display; the data object only carries it.
  ZafNativeHandle Icon() const { return icon; }
  bool StaticHandle() const { return staticHandle; }
  void SetNativeIcon(ZafNativeHandle icon, bool staticHandle);

 protected:
  int StorageType() const override;

 private:
  ZafNativeHandle icon = nullptr;
  bool staticHandle = false;
};

#endif
