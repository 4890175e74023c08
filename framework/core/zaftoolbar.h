// A row or column of controls along one side of a window. It is a support object of the window, takes its
// place from the window's client area, and (with wrapping on) arranges its children in rows or columns and
// sizes itself to them; the layout, the edge towards the client area and the colours are the back-end's.
#ifndef FRAMEWORK_CORE_ZAFTOOLBAR_H
#define FRAMEWORK_CORE_ZAFTOOLBAR_H

#include "framework/core/zafembeddedwindow.h"

// The side of the window a bar stands on.
inline constexpr int32_t ZAF_DOCK_TOP = 0;
inline constexpr int32_t ZAF_DOCK_LEFT = 1;
inline constexpr int32_t ZAF_DOCK_BOTTOM = 2;
inline constexpr int32_t ZAF_DOCK_RIGHT = 3;

class ZafToolBar : public ZafEmbeddedWindow {
 public:
  // Bordered, a non-current support object placed by its window, at the top, wrapping.
  ZafToolBar(int32_t left, int32_t top, int32_t width, int32_t height);
  ZafToolBar(const ZafToolBar& other);
  ZafToolBar(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  int32_t DockSide() const { return dockSide; }
  bool Wrap() const { return wrap; }
  // Both act only before the native window exists; each answers the value in force.
  virtual int32_t SetDockSide(int32_t side);
  virtual bool SetWrap(bool flag);

  bool SetAcceptDrop(bool flag) override;
  // Always 2: the bar takes its place from its window.
  int32_t SetPlacement(int32_t value) override;
  // Only before the bar has a parent.
  bool SetSupportObject(bool flag) override;
  const ZafPaletteMap* MapPalette(uint16_t type, uint16_t state) override;

  // ---- Native half (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  void CreateNative() override;
  ZafRegionStruct ClientRegion(const ZafWindowObject* object = nullptr) override;
  void ConvertRegion(ZafRegionStruct& target, int32_t type) override;
  ZafRegionStruct RegionToNative(const ZafWindowObject* object,
                                 const ZafRegionStruct* region = nullptr) override;
  ZafRegionStruct RegionFromNative(const ZafWindowObject* object, const ZafRegionStruct& region) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  ZafEventType DrawBorder(ZafRegionStruct& region, ZafEventType drawType) override;
  ZafEventType DrawFocus(ZafRegionStruct& region, ZafEventType drawType) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  using ZafWindowObject::ScreenID;
  native::HWND ScreenID(int32_t kind) const override;
  void UpdateNative() override;

  // ---- Storage ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakeToolBar();
  bool Horizontal() const { return dockSide == ZAF_DOCK_TOP || dockSide == ZAF_DOCK_BOTTOM; }
  // Arranges the children in rows (or columns) and answers the bar's thickness, in pixels.
  int32_t LayOut(int32_t length);
  // Places the children's native windows after the bar moved or changed size, and repaints the edge.
  ZafEventType Sized(const ZafEventRecord& event);
  void RepaintEdge(int32_t width, int32_t height);

  int32_t dockSide = ZAF_DOCK_TOP;
  bool wrap = true;
};

#endif
