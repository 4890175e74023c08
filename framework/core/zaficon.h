// An icon: a picture with an optional title under it that the user chooses like a button, or (icon type
// ZAF_WINDOW_ICON) the picture its window shows in the title bar and the task list. The framework has five
// pictures of its own, numbered as docs/window-records.md lists them. The native window, the drawing and
// the mouse handling are defined by the back-end.
#ifndef FRAMEWORK_CORE_ZAFICON_H
#define FRAMEWORK_CORE_ZAFICON_H

#include "framework/core/zafbutton.h"

class ZafIconData;
struct ZafIconStruct;

// The built-in pictures.
inline constexpr int32_t ZAF_ICON_ASTERISK = 1;
inline constexpr int32_t ZAF_ICON_HAND = 2;
inline constexpr int32_t ZAF_ICON_EXCLAMATION = 3;
inline constexpr int32_t ZAF_ICON_QUESTION = 4;
inline constexpr int32_t ZAF_ICON_APPLICATION = 5;
// Icon types: a chosen picture among the window's objects, or the window's own icon.
inline constexpr int32_t ZAF_OBJECT_ICON = 0;
inline constexpr int32_t ZAF_WINDOW_ICON = 1;

class ZafIcon : public ZafButton {
 public:
  // At (left, top) in cells; sizes itself to the picture and the title. The icon data is taken (deleted
  // with the icon when it is destroyable and nobody else observes it).
  ZafIcon(int32_t left, int32_t top, ZafIconData* icon, const ZafIChar* title = nullptr);
  ZafIcon(const ZafIcon& other);
  ZafIcon(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafIcon() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  ZafIconData* IconData() const { return iconData; }
  int32_t IconType() const { return iconType; }
  // Replaces the picture (null: none), letting go of the old one.
  virtual ZafIconData* SetIconData(ZafIconData* icon);
  // Only before the native window exists; answers the type in force.
  virtual int32_t SetIconType(int32_t type);
  // Shows the built-in picture of that number; another number leaves the icon unchanged. Answers whether
  // the picture was taken.
  bool SetSystemImage(int32_t number);
  // The built-in picture of that number (its pixels are shared by every icon showing it), or null.
  static const ZafIconStruct* SystemImage(int32_t number);

  // ---- Native half (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  bool SetDisabled(bool flag) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  void UpdatePalettes(uint16_t type, uint16_t state) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  void CreateNative() override;
  int UpdateNativeText() override;

  // ---- Storage ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakeIcon();
  // Places the picture and the title inside `region` (collapsed first: the icon's own size), the title
  // under the picture; answers the needed size (back-end).
  ZafRegionStruct Layout(ZafRegionStruct& region, ZafRegionStruct& iconPlace, ZafRegionStruct& titlePlace);
  // Fits the region to the picture and the title, then moves and redraws the native window (back-end).
  void Refit();
  // Gives the parent's frame this icon, large and small (back-end).
  void BecomeWindowIcon();

  ZafIconData* iconData = nullptr;
  int32_t iconType = ZAF_OBJECT_ICON;
  // Redraws after focus and event changes; a window's icon is never drawn as an object.
  bool redrawAfterEvents = true;
};

#endif
