// What a menu of either kind (a pop-up menu or a window's menu bar) shares: the settings every menu keeps
// whatever it is given, the taking down of its items' native entries, and a native handle that is a menu
// (HMENU), never a window, so the native menu shows, highlights and draws itself. It has no class of its
// own: the menus answer, store and read as the windows they are.
#ifndef FRAMEWORK_CORE_ZAFMENUWINDOW_H
#define FRAMEWORK_CORE_ZAFMENUWINDOW_H

#include <cstdint>

#include "framework/core/zafwindow.h"
#include "native/user/nativetypes.h"

class ZafMenuWindow : public ZafWindow {
 public:
  // A menu deleted while it lives takes its native menu (and the cascades in it) along; the system
  // button's menu is the window's own system menu, which is not the menu's to take (defined by the
  // back-end).
  ~ZafMenuWindow() override;

  // ---- Settings a menu keeps whatever it is given (each answers the value in force) ----
  bool SetAcceptDrop(bool flag) override;
  bool SetBordered(bool flag) override;
  bool SetDisabled(bool flag) override;
  bool SetNonCurrent(bool flag) override;
  bool SetParentPalette(bool flag) override;
  bool SetLocked(bool flag) override;
  bool SetMaximized(bool flag) override;
  bool SetMinimized(bool flag) override;
  bool SetModal(bool flag) override;
  bool SetMovable(bool flag) override;
  ZafWindow* SetOwner(ZafWindow* newOwner) override;
  bool SetSystemKeys(bool flag) override;
  bool SetSizeable(bool flag) override;

  // ---- The items and their native entries ----
  // A native entry is found by its item's place in the list, so an item's entry is taken down while the
  // item is still in the list.
  ZafWindowObject* Subtract(ZafWindowObject* object) override;
  // The entries are taken down last first, so that each still stands at its item's place when it goes.
  void NotifyChildrenDestroy() override;

  // ---- Native side (defined by the back-end) ----
  // Nothing: a native menu places itself.
  void UpdateNative() override;
  // The native menu draws itself: nothing to redisplay.
  void RedisplayNative(const ZafEventRecord& event) override;
  // Answer the draw type; the native menu draws itself and its own frame.
  ZafEventType DrawBorder(ZafRegionStruct& region, ZafEventType drawType) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  // The native menu, whatever the part.
  native::HWND ScreenID(int32_t part) const override;
  using ZafWindowObject::ScreenID;
  // The handle is a menu's, never a window's, and the native menu shows and highlights itself: these
  // only keep the flag.
  bool SetVisible(bool flag) override;
  bool SetAutomaticUpdate(bool flag) override;
  bool SetFocus(bool flag) override;
  native::HMENU Menu() const { return reinterpret_cast<native::HMENU>(screenID); }

 protected:
  ZafMenuWindow(int32_t left, int32_t top, int32_t width, int32_t height);
  ZafMenuWindow(const ZafMenuWindow& other);

  // Forces the settings every menu keeps; each kind of menu adds its own.
  void MakeMenuWindow();
  // The focus events of a menu: gaining it, the menu takes it as an object; losing it, the current item
  // loses it first and the menu is left without a current item.
  ZafEventType FocusGained(const ZafEventRecord& event);
  ZafEventType FocusLost(const ZafEventRecord& event);
  // The event for the menu as an object, then for each of its items.
  ZafEventType EventToMenuAndItems(const ZafEventRecord& event);
  // The walk of WM_MENUSELECT: moves the current item to the entry the message names, or hands the
  // message to the current item's submenu when it names a menu further down. `offset` is added to
  // positions (the bar's leading system-menu entry).
  ZafEventType MenuSelect(const ZafEventRecord& event, int32_t offset);
};

#endif
