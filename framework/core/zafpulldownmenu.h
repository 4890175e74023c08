// The menu bar of a window: a support object of the window (number ID 0xFFF5) whose children are the bar
// entries, each owning its drop-down list. The current child is the highlighted entry. On the native side
// its native handle is the window's menu bar (HMENU).
#ifndef FRAMEWORK_CORE_ZAFPULLDOWNMENU_H
#define FRAMEWORK_CORE_ZAFPULLDOWNMENU_H

#include <cstdint>

#include "framework/core/zafwindow.h"
#include "native/user/nativetypes.h"

class ZafPullDownMenu : public ZafWindow {
 public:
  // An empty bar at 0, 0 of size 0, 0: bordered, not destroyable, a support object.
  ZafPullDownMenu();
  ZafPullDownMenu(const ZafPullDownMenu& other);
  // Reads the stored bar of that name with its entries; the number ID is the bar's whatever was stored.
  ZafPullDownMenu(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // ---- Settings a bar keeps whatever it is given (each answers the value in force) ----
  bool SetAcceptDrop(bool flag) override;
  bool SetBordered(bool flag) override;
  bool SetDisabled(bool flag) override;
  bool SetNonCurrent(bool flag) override;
  bool SetParentPalette(bool flag) override;
  // 2: the bar takes its parent's client region when fitted.
  int32_t SetPlacement(int32_t value) override;
  bool SetSupportObject(bool flag) override;
  bool SetDestroyable(bool flag) override;
  bool SetLocked(bool flag) override;
  bool SetMaximized(bool flag) override;
  bool SetMinimized(bool flag) override;
  bool SetModal(bool flag) override;
  bool SetMovable(bool flag) override;
  ZafWindow* SetOwner(ZafWindow* newOwner) override;
  bool SetSystemKeys(bool flag) override;
  uint32_t SetSelectMultiple(bool flag) override;
  bool SetSizeable(bool flag) override;
  bool SetTemporary(bool flag) override;

  // ---- The entries: taken down while still in the list, last first (their native entries are found by
  // their places) ----
  ZafWindowObject* Subtract(ZafWindowObject* object) override;
  void NotifyChildrenDestroy() override;

  // ---- Native side (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  // The region unchanged: the bar covers no part of its window's client area.
  ZafRegionStruct ClientRegion(const ZafWindowObject* object = nullptr) override;
  // Nothing: the bar is made when its window's native window is attached.
  void CreateNative() override;
  void UpdateNative() override;
  // The native bar draws itself: nothing to redisplay.
  void RedisplayNative(const ZafEventRecord& event) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  ZafEventType DrawBorder(ZafRegionStruct& region, ZafEventType drawType) override;
  // The native bar, whatever the part.
  native::HWND ScreenID(int32_t part) const override;
  using ZafWindowObject::ScreenID;
  // The handle is a menu's, never a window's, and the native bar shows and highlights itself: these only
  // keep the flag.
  bool SetVisible(bool flag) override;
  bool SetAutomaticUpdate(bool flag) override;
  bool SetFocus(bool flag) override;
  native::HMENU Menu() const { return reinterpret_cast<native::HMENU>(screenID); }
  // The frame window the bar belongs to: its parent's outer native window, or null without a parent.
  native::HWND FrameWindow() const;
  // How many entries the platform shows in front of the bar's own: 1 while the root is a multiple-
  // document window whose active child is maximised (the child's system menu), else 0.
  int32_t PositionOffset() const;

  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  // The settings every bar keeps.
  void MakeBar();
};

#endif
