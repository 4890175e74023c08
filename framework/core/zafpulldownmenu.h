// The menu bar of a window: a support object of the window (number ID 0xFFF5) whose children are the bar
// entries, each owning its drop-down list. The current child is the highlighted entry. On the native side
// its native handle is the window's menu bar (HMENU).
#ifndef FRAMEWORK_CORE_ZAFPULLDOWNMENU_H
#define FRAMEWORK_CORE_ZAFPULLDOWNMENU_H

#include <cstdint>

#include "framework/core/zafmenuwindow.h"
#include "native/user/nativetypes.h"

class ZafPullDownMenu : public ZafMenuWindow {
 public:
  // An empty bar at 0, 0 of size 0, 0: bordered, not destroyable, a support object.
  ZafPullDownMenu();
  ZafPullDownMenu(const ZafPullDownMenu& other);
  // Reads the stored bar of that name with its entries; the number ID is the bar's whatever was stored.
  ZafPullDownMenu(const ZafIChar* name, ZafObjectPersistence& persistence);
  // A bar deleted while it lives is taken off its window's frame first (defined by the back-end).
  ~ZafPullDownMenu() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // ---- Settings where a bar differs from a pop-up menu (each answers the value in force) ----
  // 2: the bar takes its parent's client region when fitted.
  int32_t SetPlacement(int32_t value) override;
  bool SetSupportObject(bool flag) override;
  bool SetDestroyable(bool flag) override;
  uint32_t SetSelectMultiple(bool flag) override;
  bool SetTemporary(bool flag) override;

  // ---- Native side (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  // The region unchanged: the bar covers no part of its window's client area.
  ZafRegionStruct ClientRegion(const ZafWindowObject* object = nullptr) override;
  // Nothing: the bar is made when its window's native window is attached.
  void CreateNative() override;
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
