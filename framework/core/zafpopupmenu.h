// A pop-up menu: standing alone, a context menu that opens at its region's left and top (screen pixels)
// and goes away once a choice is made; inside a menu item, that item's drop-down list or cascade. Its
// children are the menu's items; the current child is the highlighted one. On the native side its native
// handle is a menu (HMENU), made only while the menu has items.
#ifndef FRAMEWORK_CORE_ZAFPOPUPMENU_H
#define FRAMEWORK_CORE_ZAFPOPUPMENU_H

#include <cstdint>

#include "framework/core/zafmenuwindow.h"
#include "native/user/nativetypes.h"

class ZafPopUpMenu : public ZafMenuWindow {
 public:
  // A menu at (left, top) of size 0, 0: bordered, temporary, neither destroyable nor sizeable.
  ZafPopUpMenu(int32_t left, int32_t top);
  // Copies the settings, the destroyable flag among them, and duplicates every item.
  ZafPopUpMenu(const ZafPopUpMenu& other);
  // Reads the stored menu of that name with its items and support objects; the destroyable flag is the
  // record's (not destroyable when the record is refused).
  ZafPopUpMenu(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // ---- Settings where a pop-up menu differs from a menu bar (each answers the value in force) ----
  int32_t SetPlacement(int32_t value) override;
  bool SetTemporary(bool flag) override;

  // Each entry's check mark is its own: checking one entry leaves the others as they are, and the last
  // checked entry may be cleared.
  ZafWindowObject* NotifySelection(ZafWindowObject* object, bool setSelected) override;

  // ---- The menu as the submenu of an item (its parent) ----
  // Whether the menu has items: a submenu with items makes its item a cascade.
  bool HasItems() const { return First() != nullptr; }
  // Adds an item in front of `before` (at the end when null). When the owning item's native entry
  // exists as a plain command and this is the first item, the entry is made again as a cascade.
  ZafWindowObject* AddMenuItem(ZafWindowObject* object, ZafWindowObject* before = nullptr);
  // Takes an item out; when the owning item's native entry exists and the last item went, the entry is
  // made again as a plain command.
  ZafWindowObject* SubtractMenuItem(ZafWindowObject* object);
  // Deletes every item; when the owning item's native entry is a cascade, it is made again as a plain
  // command.
  void DestroyMenuItems();
  // Sorts the items with the compare function; the entries of a live menu are made again in the new
  // order.
  void SortMenuItems();
  // The focus object of the item that owns this menu: when the menu is current, the menu itself
  // without a current item, else the menu's focus object; otherwise the item when it is current.
  ZafWindowObject* OwnerFocusObject();
  // The submenu's part of its item's stored record: its name (empty when the menu has no items; an
  // unnamed menu with items is named "menu" first), then, with items, the menu's own stored object.
  void WriteAsSubmenu(ZafObjectPersistence& persistence);
  // Reads what WriteAsSubmenu wrote from the item's open record; a name that leads nowhere is a read
  // error of the persistence.
  void ReadAsSubmenu(ZafObjectPersistence& persistence);
  // Reads the stored menu of that name into this one: its window record, items and support objects.
  // The settings a menu keeps are restored afterwards.
  void ReadStored(const ZafIChar* name, ZafObjectPersistence& persistence);

  // ---- Native side (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  // The native menu, made only when the menu has items.
  void CreateNative() override;
  // The identifier of the native entry of the item owning this menu: the menu itself for a cascade,
  // else the item's number ID taken as a signed 16-bit value.
  native::UINT_PTR EntryIdentifier(ZafNumberID itemNumberID) const;
  // The submenu of a menu item of either kind, or null for any other object.
  static ZafPopUpMenu* SubmenuOf(ZafWindowObject* object);

  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  // The settings every pop-up menu keeps.
  void MakeMenu();
  // The item this menu is the submenu of, when that item's native entry exists; else null.
  ZafWindowObject* OwnerWithEntry() const;
  // The owning item's native entry is made again around a change of the list (destroyed, then the
  // change, then created), so that it turns into a cascade or back into a plain command.
  template <typename Change>
  ZafWindowObject* RecreateOwnerEntry(Change change);
};

#endif
