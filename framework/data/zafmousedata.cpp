#include "framework/data/zafmousedata.h"

#include <memory>

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

namespace {

ZafMouseData::CursorDestroyer& Destroyer() {
  static ZafMouseData::CursorDestroyer destroyer = nullptr;
  return destroyer;
}

}  // namespace

void ZafMouseStruct::Set(int32_t newWidth, int32_t newHeight, const uint8_t* newPixels, int32_t x, int32_t y,
                         bool isStatic) {
  *this = ZafMouseStruct{newWidth, newHeight, newPixels, isStatic, x, y, nullptr, false};
}

ZafMouseData::ZafMouseData(int32_t width, int32_t height, const uint8_t* pixels, bool staticPixels)
    : ZafImageData(width, height, pixels, staticPixels) {}

ZafMouseData::ZafMouseData(const ZafMouseStruct& mouse) {
  SetHotSpot(mouse.hotSpotX, mouse.hotSpotY);
  SetMouse(mouse);
}

ZafMouseData::ZafMouseData(const ZafMouseData& other) : ZafImageData(other) {
  SetHotSpot(other.hotSpotX, other.hotSpotY);
  if (other.staticCursor) {
    SetCursor(other.cursor, true);
  }
}

ZafMouseData::ZafMouseData(const ZafIChar* name, ZafDataPersistence& persistence) {
  SetStringID(name);
  EnterReadLevel(name, persistence, u"ZafMouseData", ID_ZAF_MOUSE_DATA, ZAF_STORAGE_TYPE_NAMED);
  ZafError readError = ZAF_ERROR_NONE;
  if (ZafFile* file = persistence.File()) {
    readError = ReadRecord(*file);
  }
  LeaveReadLevel(persistence, readError);
}

ZafMouseData::~ZafMouseData() {
  ReleaseCursor();
}

ZafError ZafMouseData::ReadRecord(ZafFile& file) {
  int32_t width = 0;
  int32_t height = 0;
  int32_t x = 0;
  int32_t y = 0;
  file.ReadInt32(width);
  file.ReadInt32(height);
  file.ReadInt32(x);
  file.ReadInt32(y);
  const int64_t left = static_cast<int64_t>(file.Length()) - file.Tell();
  if (file.Error() != ZAF_ERROR_NONE || width < 0 || height < 0) {
    return ZAF_ERROR_READ;
  }
  // The size comes from the file: the pixels must be there before anything is allocated for them.
  const int64_t count = static_cast<int64_t>(width) * height;
  // Pixels follow only when the image has any; an image of no pixels reads as one without pixels.
  std::unique_ptr<uint8_t[]> pixels;
  if (left > 0 && count > 0) {
    if (count > left) {
      return ZAF_ERROR_READ;
    }
    pixels = std::make_unique<uint8_t[]>(static_cast<std::size_t>(count));
    if (file.ReadData(pixels.get(), static_cast<int>(count)) != count) {
      return ZAF_ERROR_READ;
    }
  }
  BeginChange();
  SetImage(width, height, pixels.get());
  SetHotSpot(x, y);
  EndChange(true);
  return ZAF_ERROR_NONE;
}

ZafClassID ZafMouseData::ClassID() const {
  return ID_ZAF_MOUSE_DATA;
}

const ZafIChar* ZafMouseData::ClassName() const {
  return u"ZafMouseData";
}

bool ZafMouseData::IsA(ZafClassID id) const {
  return id == ID_ZAF_MOUSE_DATA || ZafImageData::IsA(id);
}

bool ZafMouseData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafMouseData") == 0) || ZafImageData::IsAName(name);
}

ZafData* ZafMouseData::Duplicate() {
  return new ZafMouseData(*this);
}

ZafDataConstructor ZafMouseData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafMouseData(name, persistence);
  };
}

int ZafMouseData::StorageType() const {
  return ZAF_STORAGE_TYPE_NAMED;
}

ZafError ZafMouseData::Write(ZafDataPersistence& persistence) {
  ZafData::Write(persistence);
  if (ZafFile* file = persistence.File()) {
    file->WriteInt32(Width());
    file->WriteInt32(Height());
    file->WriteInt32(hotSpotX);
    file->WriteInt32(hotSpotY);
    if (Pixels()) {
      file->WriteArray(Pixels(), 1, Width() * Height());
    }
  }
  return FinishWrite(persistence);
}

void ZafMouseData::Clear() {
  BeginChange();
  ReleaseCursor();
  ZafImageData::SetImage(0, 0, nullptr);
  hotSpotX = 0;
  hotSpotY = 0;
  SetError(ZAF_ERROR_NONE);
  EndChange(true);
}

int ZafMouseData::SetHotSpot(int32_t x, int32_t y) {
  BeginChange();
  hotSpotX = x;
  hotSpotY = y;
  EndChange(true);
  return 0;
}

void ZafMouseData::SetImage(int32_t width, int32_t height, const uint8_t* pixels, bool staticPixels) {
  ReleaseCursor();
  ZafImageData::SetImage(width, height, pixels, staticPixels);
}

void ZafMouseData::SetMouse(const ZafMouseStruct& mouse) {
  ReleaseCursor();
  BeginChange();
  ZafImageData::SetImage(mouse.width, mouse.height, mouse.pixels, mouse.staticPixels);
  // Only a static cursor can be shared: any other belongs to the description's owner.
  if (mouse.staticCursor) {
    SetCursor(mouse.cursor, true);
  }
  EndChange(true);
}

void ZafMouseData::SetCursor(ZafNativeHandle newCursor, bool isStatic) {
  if (newCursor != cursor) {
    ReleaseCursor();
  }
  cursor = newCursor;
  staticCursor = isStatic;
}

ZafMouseStruct ZafMouseData::Mouse() const {
  return ZafMouseStruct{Width(),  Height(), Pixels(), StaticPixels(),
                        hotSpotX, hotSpotY, cursor,   staticCursor};
}

void ZafMouseData::ReleaseCursor() {
  if (cursor && !staticCursor && Destroyer()) {
    Destroyer()(cursor);
  }
  cursor = nullptr;
  staticCursor = false;
}

void ZafMouseData::SetCursorDestroyer(CursorDestroyer destroyer) {
  Destroyer() = destroyer;
}
