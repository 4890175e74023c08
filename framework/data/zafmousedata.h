// A mouse-cursor image: a framework image (one byte per pixel: 0 black, 255 transparent, anything else the
// other colour) with its hot spot, and the native cursor the display made from it. Cursors and pixels
// marked static belong to someone else and are never released here.
#ifndef FRAMEWORK_DATA_ZAFMOUSEDATA_H
#define FRAMEWORK_DATA_ZAFMOUSEDATA_H

#include <cstdint>

#include "framework/data/zafimagedata.h"

struct ZafMouseStruct {
  int32_t width = 0;
  int32_t height = 0;
  const uint8_t* pixels = nullptr;
  bool staticPixels = false;
  int32_t hotSpotX = 0;
  int32_t hotSpotY = 0;
  ZafNativeHandle cursor = nullptr;
  bool staticCursor = false;

  // Every field zero.
  void Clear() { *this = ZafMouseStruct(); }
  // An image with its hot spot; no cursor.
  void Set(int32_t width, int32_t height, const uint8_t* pixels, int32_t hotSpotX, int32_t hotSpotY,
           bool staticPixels);
};

class ZafMouseData : public ZafImageData {
 public:
  // Destroys a native cursor; the display installs it. Without one there is no display that could have
  // made a cursor, and the handle is only forgotten.
  using CursorDestroyer = void (*)(ZafNativeHandle cursor);

  // An image with hot spot (0, 0) and no cursor.
  ZafMouseData(int32_t width = 0, int32_t height = 0, const uint8_t* pixels = nullptr,
               bool staticPixels = false);
  // The image, hot spot and (when static) cursor of the description.
  explicit ZafMouseData(const ZafMouseStruct& mouse);
  // The image and hot spot; a static cursor is shared, any other is left to the display to make again.
  ZafMouseData(const ZafMouseData& other);
  // Reads the named cursor (storage type 0: ~ZafMouseData~name~objectData); a failure leaves an empty image
  // with the error set.
  ZafMouseData(const ZafIChar* name, ZafDataPersistence& persistence);
  ~ZafMouseData() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;
  // Record: 32-bit width, height, hot spot x and hot spot y, then width × height pixel bytes when the
  // image has pixels.
  ZafError Write(ZafDataPersistence& persistence) override;
  // Releases the cursor and the image and clears the error; observers hear of it.
  void Clear() override;

  // Returns 0.
  virtual int SetHotSpot(int32_t x, int32_t y);
  // Releases the cursor, then takes the image as ZafImageData::SetImage does.
  virtual void SetImage(int32_t width, int32_t height, const uint8_t* pixels, bool staticPixels = false);
  // Releases the cursor, then takes the description's image and its static cursor, if any.
  virtual void SetMouse(const ZafMouseStruct& mouse);
  // The cursor the display made for the image; a static one is never destroyed here.
  void SetCursor(ZafNativeHandle cursor, bool staticCursor);

  int32_t HotSpotX() const { return hotSpotX; }
  int32_t HotSpotY() const { return hotSpotY; }
  ZafNativeHandle Cursor() const { return cursor; }
  bool StaticCursor() const { return staticCursor; }
  // The whole description.
  ZafMouseStruct Mouse() const;

  static void SetCursorDestroyer(CursorDestroyer destroyer);

 protected:
  int StorageType() const override;

 private:
  void ReleaseCursor();
  ZafError ReadRecord(ZafFile& file);

  int32_t hotSpotX = 0;
  int32_t hotSpotY = 0;
  ZafNativeHandle cursor = nullptr;
  bool staticCursor = false;
};

#endif
