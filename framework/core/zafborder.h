// The border of a window: a support object without a native window of its own. The window's native frame
// is its look; the border tracks the window's handle and the platform's frame width (the back-end's).
#ifndef FRAMEWORK_CORE_ZAFBORDER_H
#define FRAMEWORK_CORE_ZAFBORDER_H

#include "framework/core/zafwindowobject.h"

class ZafBorder : public ZafWindowObject {
 public:
  ZafBorder();
  ZafBorder(const ZafBorder& other) = default;
  ZafBorder(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;
  // A border is always a support object.
  bool SetSupportObject(bool flag) override;

  // ---- Native half (defined by the back-end) ----
  // Takes its window's frame handle when the window's native window is made, and lets go of it when it
  // goes; answers every event with -2 (not the border's).
  ZafEventType Event(const ZafEventRecord& event) override;
  // The native frame draws the border: each of these does nothing.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  void CreateNative() override;
  void UpdateNative() override;
  void UpdatePalettes(uint16_t type, uint16_t state) override;
  // Takes the platform's frame width for the kind of window the border belongs to (a dialog's frame, a
  // sizing frame, or a thin line) into `width`. Answers 0, or 1 without a window.
  int UpdateBorderWidth();
  // The frame width in pixels.
  static inline int32_t width = 1;

  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakeBorder();
};

#endif
