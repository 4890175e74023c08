// The strip along the bottom of a window that holds status fields. It is a support object of its window,
// never takes the focus, keeps its height when the window is resized, and draws its children itself. The
// geometry and the drawing are the back-end's.
#ifndef FRAMEWORK_CORE_ZAFSTATUSBAR_H
#define FRAMEWORK_CORE_ZAFSTATUSBAR_H

#include "framework/core/zafembeddedwindow.h"

class ZafStatusBar : public ZafEmbeddedWindow {
 public:
  // Bordered, a support object placed by its window, never current.
  ZafStatusBar(int32_t left, int32_t top, int32_t width, int32_t height);
  ZafStatusBar(const ZafStatusBar& other);
  ZafStatusBar(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // The child is drawn by the bar, in the bar's colours and with the bar's border.
  ZafWindowObject* Add(ZafWindowObject* object, ZafWindowObject* before = nullptr) override;

  // What a status bar always is or never is, whatever is asked.
  ZafUserFunction SetUserFunction(ZafUserFunction function) override;
  bool SetAcceptDrop(bool flag) override;
  bool SetFocus(bool flag) override;
  bool SetNonCurrent(bool flag) override;
  int32_t SetPlacement(int32_t value) override;
  bool SetSupportObject(bool flag) override;
  uint32_t SetSelectMultiple(bool flag) override;
  const ZafPaletteMap* MapPalette(uint16_t type, uint16_t state) override;

  // ---- Native half (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  void CreateNative() override;
  ZafRegionStruct ClientRegion(const ZafWindowObject* object = nullptr) override;
  void ConvertRegion(ZafRegionStruct& target, int32_t type) override;
  ZafPositionStruct PositionToNative(const ZafWindowObject* object,
                                     const ZafPositionStruct* position = nullptr) override;
  ZafPositionStruct PositionFromNative(const ZafWindowObject* object,
                                       const ZafPositionStruct& position) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  ZafEventType DrawBorder(ZafRegionStruct& region, ZafEventType drawType) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  using ZafWindowObject::ScreenID;
  native::HWND ScreenID(int32_t kind) const override;
  void UpdateNative() override;

  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakeStatusBar();
  static void PrepareChild(ZafWindowObject& child);
  // The rows above the children: the etched edge of a bordered bar.
  int32_t EdgeRows() const { return bordered ? 2 : 0; }
};

#endif
