// The system button of a window frame: the box that opens the window's system menu (restore, move, size,
// minimize, maximize, close). By default the platform's own system menu is used; with system options set,
// the items of the button's own menu take its place.
#ifndef FRAMEWORK_CORE_ZAFSYSTEMBUTTON_H
#define FRAMEWORK_CORE_ZAFSYSTEMBUTTON_H

#include <cstdint>

#include "framework/core/zafframebutton.h"
#include "framework/core/zafpopupmenu.h"

class ZafLanguageData;

// The number ID of the system button's menu.
inline constexpr ZafNumberID ZAF_NUMID_SYSTEM_BUTTON_MENU = 0xFFF4;
// Size of the system button's picture, in pixels.
inline constexpr int32_t ZAF_SYSTEM_IMAGE_WIDTH = 7;
inline constexpr int32_t ZAF_SYSTEM_IMAGE_HEIGHT = 3;

class ZafSystemButton : public ZafFrameButton {
 public:
  // Options 0 keep the platform's system menu; any other value replaces it with the menu's items.
  explicit ZafSystemButton(int32_t options = 0);
  // Copies the button, its menu with the items and its options.
  ZafSystemButton(const ZafSystemButton& other);
  // Reads the button's record, its options and, when they are not 0, its menu's items.
  ZafSystemButton(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafSystemButton() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // The button first, then its menu.
  ZafWindowObject* FindObject(ZafNumberID id) override;
  ZafWindowObject* FindObjectByName(const ZafIChar* name) override;

  // ---- The system menu ----
  ZafPopUpMenu& SystemMenu() { return systemMenu; }
  int32_t SystemOptions() const { return systemOptions; }
  // Only before the native window is borrowed. Answers the options in force.
  virtual int32_t SetSystemOptions(int32_t options);
  virtual ZafWindowObject* AddMenuItem(ZafWindowObject* object);
  // Deletes every item of the menu.
  virtual void DestroyMenuItems();
  // Sorts the menu's items with its compare function.
  virtual void SortMenuItems();
  virtual ZafWindowObject* SubtractMenuItem(ZafWindowObject* object);
  // The texts of the system commands (numbered as the menu item types), in the framework's language.
  const ZafLanguageData* LanguageData() const { return languageData; }
  // The shared 7x3 picture.
  static ZafBitmapData* Image();

  // ---- Storage ----
  // The button record, the options (16 bits) and, when they are not 0, the menu with its items.
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

  // ---- Native side (defined by the back-end) ----
  // NativeAttachedEvent borrows the window's native window and, with options, empties the window's
  // system menu and builds the menu's items into it; NativeGoneEvent gives the window its platform
  // system menu back. Both answer their own code. PrepareEvent goes to the menu, whose answer is given;
  // everything else answers UnknownEventResult.
  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  // The menu belongs to the button: its parent, IDs, and neither destroyed nor kept by anyone else.
  void MakeSystemButton();

  ZafPopUpMenu systemMenu{0, 0};
  int32_t systemOptions = -1;
  ZafLanguageData* languageData = nullptr;
};

#endif
