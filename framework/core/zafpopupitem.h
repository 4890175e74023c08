// An entry of a pop-up menu: a command, a check item (its selected state is the check mark), a separator,
// one of the predefined commands of an item type, or a cascade when its submenu has items. Choosing it
// runs its selection function; a typed entry queues its command event.
#ifndef FRAMEWORK_CORE_ZAFPOPUPITEM_H
#define FRAMEWORK_CORE_ZAFPOPUPITEM_H

#include <cstdint>

#include "framework/core/zafmenuitem.h"

class ZafBitmapData;
class ZafLanguageData;

// Item types: the predefined commands an entry can stand for.
inline constexpr int32_t ZAF_ITEM_ORDINARY = 0;
inline constexpr int32_t ZAF_ITEM_CLOSE = 2;
inline constexpr int32_t ZAF_ITEM_MAXIMIZE = 3;
inline constexpr int32_t ZAF_ITEM_MINIMIZE = 4;
inline constexpr int32_t ZAF_ITEM_MOVE = 5;
inline constexpr int32_t ZAF_ITEM_RESTORE = 6;
inline constexpr int32_t ZAF_ITEM_SEPARATOR = 7;
inline constexpr int32_t ZAF_ITEM_SIZE = 8;
inline constexpr int32_t ZAF_ITEM_EXIT = 10;
inline constexpr int32_t ZAF_ITEM_COPY = 11;
inline constexpr int32_t ZAF_ITEM_CUT = 12;
inline constexpr int32_t ZAF_ITEM_PASTE = 13;

class ZafPopUpItem : public ZafMenuItem {
 public:
  // The text is copied (null: none); then the item type is set.
  explicit ZafPopUpItem(const ZafIChar* text, int32_t itemType = ZAF_ITEM_ORDINARY);
  // The text is string data the entry shows and observes (null: a new empty text).
  explicit ZafPopUpItem(ZafStringData* text, int32_t itemType = ZAF_ITEM_ORDINARY);
  ZafPopUpItem(const ZafPopUpItem& other);
  ZafPopUpItem(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafPopUpItem() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  int32_t MenuItemType() const { return menuItemType; }
  // Gives the entry the command, selection function and text of the type; nothing changes once the
  // native entry exists, nor for a number that is no item type (0 to 13). Answers the type in force.
  virtual int32_t SetMenuItemType(int32_t type);

  // The shared images of menus that draw their own entries: the check mark (9 x 10) and the cascade
  // arrow (5 x 9), black, or white for the highlighted entry. They exist once an entry was made.
  static ZafBitmapData* CheckImage(bool current);
  static ZafBitmapData* ArrowImage(bool current);

  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

  // ---- Native side (defined by the back-end) ----
  // The help hint of the highlighted entry, then what every entry does.
  ZafEventType Event(const ZafEventRecord& event) override;
  // In a system button's menu a predefined command is carried out by the platform, not posted.
  void CreateNative() override;
  // In a system button's menu a predefined command is the platform's system command; a cascade's
  // submenu still wins.
  native::UINT_PTR EntryIdentifier() const override;
  // A separator, checked and disabled entries besides the cascade.
  native::UINT EntryFlags() const override;
  // The check mark: checked or cleared at once when the entry exists.
  bool SetSelected(bool flag) override;
  bool SetChecked(bool flag) { return SetSelected(flag); }

 protected:
  void WriteEntryFields(ZafObjectPersistence& persistence) override;

 private:
  // The system command of the item type when the entry is in a system button's menu, else 0.
  native::UINT_PTR SystemCommand() const;
  // The shared data taken, then the type set.
  void MakePopUpItem(int32_t itemType);
  // One use of the language table taken, and the shared images made when they are not there.
  void TakeSharedData();
  // The shared images are made by the first entry and live until the framework's static data go.
  static void MakeImages();
  static void DestroyImages();

  int32_t menuItemType = ZAF_ITEM_ORDINARY;
  ZafLanguageData* languageData = nullptr;
};

#endif
