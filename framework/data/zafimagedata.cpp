#include "framework/data/zafimagedata.h"

#include <algorithm>
#include <cstring>

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

namespace {

int64_t PixelCount(int32_t width, int32_t height) {
  return static_cast<int64_t>(width) * height;
}

}  // namespace

ZafImageData::ZafImageData(int32_t imageWidth, int32_t imageHeight, const uint8_t* imagePixels,
                           bool isStatic) {
  SetImage(imageWidth, imageHeight, imagePixels, isStatic);
}

ZafImageData::ZafImageData(const ZafImageData& other) : ZafData(other) {
  SetImage(other.width, other.height, other.pixels, other.staticPixels);
}

ZafImageData::ZafImageData(const ZafIChar* name, ZafDataPersistence& persistence)
    : ZafImageData(name, persistence, u"ZafImageData", ID_ZAF_IMAGE_DATA, ZAF_STORAGE_TYPE_DATA) {}

ZafImageData::ZafImageData(const ZafIChar* name, ZafDataPersistence& persistence, const ZafIChar* className,
                           ZafClassID classID, int storageType)
    : ZafData(name) {
  persistence.PushLevel(className, classID, storageType);
  const ZafError opened = persistence.CurrentFile(name, ZAF_PERSIST_READ);
  if (opened == ZAF_ERROR_NONE && persistence.File()) {
    ReadImage(*persistence.File());
  } else {
    SetError(opened != ZAF_ERROR_NONE ? opened : ZAF_ERROR_OPEN);
  }
  persistence.PopLevel();
}

void ZafImageData::ReadImage(ZafFile& file) {
  int32_t storedWidth = 0;
  int32_t storedHeight = 0;
  file.ReadInt32(storedWidth);
  file.ReadInt32(storedHeight);
  const int64_t left = static_cast<int64_t>(file.Length()) - file.Tell();
  if (file.Error() != ZAF_ERROR_NONE || storedWidth < 0 || storedHeight < 0) {
    SetError(ZAF_ERROR_READ);
    return;
  }
  if (left == 0) {
    SetImage(storedWidth, storedHeight, nullptr);
    return;
  }
  // The pixel count comes from the file: it must be what the object file still holds, never a size to
  // allocate on trust.
  const int64_t count = PixelCount(storedWidth, storedHeight);
  if (count > left) {
    SetError(ZAF_ERROR_READ);
    return;
  }
  std::unique_ptr<uint8_t[]> stored(new uint8_t[std::max<int64_t>(count, 1)]);
  if (file.ReadData(stored.get(), static_cast<int>(count)) != count) {
    SetError(ZAF_ERROR_READ);
    return;
  }
  BeginChange();
  width = storedWidth;
  height = storedHeight;
  ownPixels = std::move(stored);
  ownCount = count;
  pixels = ownPixels.get();
  staticPixels = false;
  EndChange();
}

ZafClassID ZafImageData::ClassID() const {
  return ID_ZAF_IMAGE_DATA;
}

const ZafIChar* ZafImageData::ClassName() const {
  return u"ZafImageData";
}

bool ZafImageData::IsA(ZafClassID id) const {
  return id == ID_ZAF_IMAGE_DATA || ZafData::IsA(id);
}

bool ZafImageData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafImageData") == 0) || ZafData::IsAName(name);
}

ZafDataConstructor ZafImageData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafImageData(name, persistence);
  };
}

ZafData* ZafImageData::Duplicate() {
  return new ZafImageData(*this);
}

ZafError ZafImageData::Write(ZafDataPersistence& persistence) {
  ZafData::Write(persistence);
  if (ZafFile* file = persistence.File()) {
    file->WriteInt32(width);
    file->WriteInt32(height);
    if (pixels) {
      file->WriteArray(pixels, 1, static_cast<int>(PixelCount(width, height)));
    }
    if (file->Error() != ZAF_ERROR_NONE) {
      persistence.SetError(file->Error());
    }
  }
  return persistence.Error();
}

void ZafImageData::Clear() {
  SetImage(0, 0, nullptr);
}

void ZafImageData::SetImage(int32_t newWidth, int32_t newHeight, const uint8_t* newPixels, bool isStatic) {
  newWidth = std::max(newWidth, 0);
  newHeight = std::max(newHeight, 0);
  const int64_t count = PixelCount(newWidth, newHeight);
  if (newPixels && !isStatic && newPixels == ownPixels.get() && count > ownCount) {
    // The image's own array cannot take a larger size: the pixels past its end do not exist.
    return;
  }
  BeginChange();
  if (!newPixels || isStatic) {
    ownPixels.reset();
    ownCount = 0;
    pixels = newPixels;
  } else if (newPixels != ownPixels.get()) {
    auto copy = std::make_unique<uint8_t[]>(std::max<int64_t>(count, 1));
    std::memcpy(copy.get(), newPixels, count);
    ownPixels = std::move(copy);
    ownCount = count;
    pixels = ownPixels.get();
  }
  width = newWidth;
  height = newHeight;
  staticPixels = isStatic && newPixels;
  EndChange();
}
