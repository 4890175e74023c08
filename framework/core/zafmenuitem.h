// What a menu bar entry and a pop-up menu entry have in common: a flat button that owns a pop-up menu as
// its submenu (a bar entry's drop-down list, or an entry's cascade when it has items), the settings every
// menu entry keeps, the searches that reach into the submenu, the submenu's part of the stored record, and
// the native entry's identifier, text, position and life.
#ifndef FRAMEWORK_CORE_ZAFMENUITEM_H
#define FRAMEWORK_CORE_ZAFMENUITEM_H

#include <cstdint>
#include <memory>

#include "framework/core/zafbutton.h"
#include "framework/core/zafpopupmenu.h"

class ZafMenuItem : public ZafButton {
 public:
  ZafPopUpMenu& Submenu() { return submenu; }
  const ZafPopUpMenu& Submenu() const { return submenu; }

  // ---- The submenu ----
  // Adds an object to the submenu in front of `position` (at the end when null).
  virtual ZafWindowObject* AddMenuItem(ZafWindowObject* object, ZafWindowObject* position = nullptr);
  // Deletes every item of the submenu; a cascade's native entry becomes a plain command.
  virtual void DestroyMenuItems();
  // Sorts the submenu with its compare function; its native entries follow the new order.
  virtual void SortMenuItems();
  virtual ZafWindowObject* SubtractMenuItem(ZafWindowObject* object);

  // The item first, then the submenu.
  ZafWindowObject* FindObject(ZafNumberID id) override;
  ZafWindowObject* FindObjectByName(const ZafIChar* name) override;
  ZafWindowObject* FocusObject() override;

  // ---- Settings a menu entry keeps whatever it is given (each answers the value in force) ----
  bool SetAcceptDrop(bool flag) override;
  bool SetBordered(bool flag) override;
  bool SetCtrlDrag(bool flag) override;
  bool SetShiftCtrlDrag(bool flag) override;
  bool SetShiftDrag(bool flag) override;
  bool SetParentDrawBorder(bool flag) override;
  bool SetParentDrawFocus(bool flag) override;
  bool SetParentPalette(bool flag) override;
  int32_t SetPlacement(int32_t value) override;
  bool SetSupportObject(bool flag) override;
  // A flat entry without bevel, pressed look, default role, toggling, repeat or automatic size; the text
  // right of an image, centred.
  int32_t SetKind(int32_t newKind) override;
  int32_t SetDepth(int32_t newDepth) override;
  bool SetPressedLook(bool flag) override;
  bool SetDefaultCapable(bool flag) override;
  bool SetToggles(bool flag) override;
  bool SetAutoRepeat(bool flag) override;
  bool SetAutoSize(bool flag) override;
  int32_t SetTextPlacement(int32_t newPlacement) override;
  int32_t SetVerticalPlacement(int32_t newPlacement) override;

  // ---- Storage: the button's record, the entry's own fields, then the submenu ----
  ZafError Write(ZafObjectPersistence& persistence) override;

  // ---- Native side (defined by the back-end) ----
  // The life of the native entry and the submenu's list; the rest is the button's.
  ZafEventType Event(const ZafEventRecord& event) override;
  // A menu or system command for this entry chooses it.
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  // Inserts the entry at its position in the menu that holds it (the parent's native menu).
  void CreateNative() override;
  // The entry is greyed or enabled at once when it exists.
  bool SetDisabled(bool flag) override;
  // The entry's text and state are put into the existing entry. Answers 0.
  int UpdateNativeText() override;
  // The handle is the containing menu's, never a window's, and the native menu shows and highlights its
  // entries itself: these only keep the flag.
  bool SetVisible(bool flag) override;
  bool SetAutomaticUpdate(bool flag) override;
  bool SetFocus(bool flag) override;
  // The native menu draws and places its entries itself.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  void UpdateNative() override;
  void RedisplayNative(const ZafEventRecord& event) override;
  // The menu that holds the native entry (null before it is made).
  native::HMENU ContainingMenu() const { return reinterpret_cast<native::HMENU>(screenID); }
  // The entry's command: the submenu for a cascade, else the number ID.
  virtual native::UINT_PTR EntryIdentifier() const;
  // The kind and state of the entry: a cascade, greyed when disabled.
  virtual native::UINT EntryFlags() const;
  // The entry's native position: the place in the parent's list, plus what the platform shows first.
  virtual int32_t EntryPosition();
  // The text with its hot key marked for the native menu (null without text).
  std::unique_ptr<ZafIChar[]> EntryText();

  // An entry deleted while its menu lives takes its native entry along, so the entries after it keep
  // their places (defined by the back-end).
  ~ZafMenuItem() override;

 protected:
  // A flat button at 0, 0 as wide as the text (1 without text) showing `text`; an empty submenu.
  explicit ZafMenuItem(ZafStringData* text);
  ZafMenuItem(const ZafMenuItem& other);
  // Reads the window-object and button records; the derived constructor reads its own fields, then
  // ReadSubmenu, then leaves the level.
  ZafMenuItem(const ZafIChar* name, ZafObjectPersistence& persistence, const ZafIChar* className,
              ZafClassID classID);
  // The fields a derived entry writes between the button's record and the submenu.
  virtual void WriteEntryFields(ZafObjectPersistence& persistence);
  void ReadSubmenu(ZafObjectPersistence& persistence);
  // The settings every entry keeps.
  void MakeMenuItem();
  // Redraws the bar of the window the entry belongs to, when the root is a window with a native frame.
  void RedrawMenuBar();
  // Removes the native entry from its menu, takes down the submenu and forgets the handles. The entry is
  // found by its place, so the entry must still be in its menu's list.
  void DestroyEntry();

  ZafPopUpMenu submenu;

 private:
  // The submenu lives inside the entry: the entry is its parent and it is never deleted on its own.
  void MakeSubmenu();
};

#endif
