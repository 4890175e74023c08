// A picture as one byte per pixel (a colour index; 255 is transparent), rows from the top. It is the base of
// the bitmap, icon and mouse-cursor data. Pixels marked static belong to someone else (a built-in image) and
// are shared, never copied or freed; other pixels are the object's own copy.
#ifndef FRAMEWORK_DATA_ZAFIMAGEDATA_H
#define FRAMEWORK_DATA_ZAFIMAGEDATA_H

#include <cstdint>
#include <memory>

#include "framework/data/zafdata.h"

class ZafFile;

// The pixel value that lets the background show through.
inline constexpr uint8_t ZAF_TRANSPARENT_PIXEL = 0xFF;

class ZafImageData : public ZafData {
 public:
  // Width × height pixels taken as SetImage takes them.
  ZafImageData(int32_t width = 0, int32_t height = 0, const uint8_t* pixels = nullptr,
               bool staticPixels = false);
  ZafImageData(const ZafImageData& other);
  // Reads the object `name` (storage type 3) through the context; a failure leaves an empty image with the
  // error set.
  ZafImageData(const ZafIChar* name, ZafDataPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;
  // Record: 32-bit width, 32-bit height, then width × height pixel bytes when the image has pixels.
  ZafError Write(ZafDataPersistence& persistence) override;
  void Clear() override;

  // Static pixels are shared; others are copied, unless they are already this image's own. Negative sizes
  // count as 0; the image's own array is not given a size larger than it holds. Observers hear of the change.
  void SetImage(int32_t width, int32_t height, const uint8_t* pixels, bool staticPixels = false);

  int32_t Width() const { return width; }
  int32_t Height() const { return height; }
  const uint8_t* Pixels() const { return pixels; }
  bool StaticPixels() const { return staticPixels; }

 protected:
  // Reading for the classes whose stored objects are image records under their own name, ID and type.
  ZafImageData(const ZafIChar* name, ZafDataPersistence& persistence, const ZafIChar* className,
               ZafClassID classID, int storageType);

 private:
  void ReadImage(ZafFile& file);

  int32_t width = 0;
  int32_t height = 0;
  const uint8_t* pixels = nullptr;
  std::unique_ptr<uint8_t[]> ownPixels;
  int64_t ownCount = 0;
  bool staticPixels = false;
};

#endif
