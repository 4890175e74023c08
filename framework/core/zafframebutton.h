// What the title and the system, minimize and maximize buttons of a window frame have in common: buttons
// whose settings are fixed by their class (a program cannot turn a frame button into something else), the
// message codes each may send, the shared pictures of their class, and a native side that only borrows
// the native window of the window they belong to.
#ifndef FRAMEWORK_CORE_ZAFFRAMEBUTTON_H
#define FRAMEWORK_CORE_ZAFFRAMEBUTTON_H

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/core/zafbutton.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafi18ndata.h"

// The message codes a program may give the maximize button and the title, and the minimize button.
inline constexpr int32_t ZAF_MAXIMIZE_CODES[] = {MaximizeEvent, RestoreEvent, ChildMaximizeEvent,
                                                 ChildRestoreEvent};
inline constexpr int32_t ZAF_MINIMIZE_CODES[] = {MinimizeEvent, RestoreEvent, ChildMinimizeEvent,
                                                 ChildRestoreEvent};

// Size of the maximize and minimize buttons' pictures, in pixels.
inline constexpr int32_t ZAF_FRAME_IMAGE_WIDTH = 16;
inline constexpr int32_t ZAF_FRAME_IMAGE_HEIGHT = 14;

// The settings a class of frame button keeps whatever a program sets.
struct ZafFrameButtonSettings {
  ZafNumberID numberID;
  const ZafIChar* stringID;
  int32_t kind;
  int32_t depth;
  bool nonCurrent;
  bool chooseOnDoubleClick;
  bool chooseOnPress;
  bool messageOnSelect;
  // The object never takes the focus (the system button may).
  bool neverFocused;
  // Neither a pressed look nor a picture (the title).
  bool plain;
  // The message code after construction, and the codes a program may set instead (none: always 0).
  int32_t firstCode;
  std::span<const int32_t> codes;
};

class ZafFrameButton : public ZafButton {
 public:
  // ---- Settings the class keeps whatever it is given (each answers the value in force) ----
  bool SetAcceptDrop(bool flag) override;
  bool SetBordered(bool flag) override;
  bool SetCtrlDrag(bool flag) override;
  bool SetShiftCtrlDrag(bool flag) override;
  bool SetShiftDrag(bool flag) override;
  bool SetDisabled(bool flag) override;
  bool SetFocus(bool flag) override;
  bool SetNonCurrent(bool flag) override;
  bool SetParentDrawBorder(bool flag) override;
  bool SetParentDrawFocus(bool flag) override;
  bool SetParentPalette(bool flag) override;
  bool SetSelected(bool flag) override;
  bool SetSupportObject(bool flag) override;
  int32_t SetPlacement(int32_t value) override;
  ZafUserFunction SetUserFunction(ZafUserFunction function) override;
  const ZafIChar* SetHelpContext(const ZafIChar* text) override;
  const ZafIChar* SetTipText(const ZafIChar* text) override;
  const ZafIChar* SetThirdText(const ZafIChar* text) override;
  bool SetDefaultCapable(bool flag) override;
  bool SetToggles(bool flag) override;
  bool SetAutoRepeat(bool flag) override;
  bool SetAutoSize(bool flag) override;
  // The title answers 1 and keeps no picture; the other classes take it.
  ZafError SetBitmap(ZafBitmapData* bitmap) override;
  int32_t SetKind(int32_t newKind) override;
  bool SetPressedLook(bool flag) override;
  int32_t SetDepth(int32_t newDepth) override;
  ZafIChar SetHotKey(ZafIChar character, int32_t index) override;
  int32_t SetTextPlacement(int32_t newPlacement) override;
  bool SetChooseOnDoubleClick(bool flag) override;
  bool SetChooseOnPress(bool flag) override;
  const ZafIChar* SetMessageText(const ZafIChar* text) override;
  bool SetMessageOnSelect(bool flag) override;
  // Only the codes of the class are taken; any other value leaves the code as it is.
  int32_t SetValue(int32_t newValue) override;
  int32_t SetVerticalPlacement(int32_t newPlacement) override;

  // ---- Native side (defined by the back-end) ----
  // The frame of the native window shows the object: nothing is created, placed or drawn here.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  void CreateNative() override;
  void UpdateNative() override;
  void UpdatePalettes(uint16_t type, uint16_t state) override;
  // NativeAttachedEvent borrows the native window of the object's window, NativeGoneEvent lets go of it;
  // nothing else is handled here. Answers UnknownEventResult for every event.
  ZafEventType Event(const ZafEventRecord& event) override;

 protected:
  // An empty button (no region, text or picture) with the class's settings, or the title's with its text.
  ZafFrameButton(const ZafFrameButtonSettings& settings, ZafStringData* text);
  ZafFrameButton(const ZafFrameButton& other) = default;
  // Enters the class's storage level and reads the window-object and button records, then puts the
  // class's settings back over whatever the record held. The derived constructor reads its own fields and
  // calls LeaveReadLevel.
  ZafFrameButton(const ZafFrameButtonSettings& settings, const ZafIChar* name,
                 ZafObjectPersistence& persistence, const ZafIChar* className, ZafClassID classID);

  // Makes sure the class has a storage entry under the object's name, with no fields in it: the
  // maximize and minimize buttons store nothing but their presence.
  ZafError WriteEntryOnly(ZafObjectPersistence& persistence);

  // The parent's native window, or none.
  native::HWND ParentWindow() const;

  // A class's built-in pictures as shared bitmaps: made by the first object of the class, deleted by
  // the framework's clean-up of static data and made again after a language change. Objects never own
  // them.
  template <ZafClassID classID>
  class SharedImages {
   public:
    static void Acquire(std::span<const ZafBitmapStruct> pictures) {
      descriptions = pictures;
      if (images.empty()) {
        Create();
      }
    }
    // Null beyond the pictures.
    static ZafBitmapData* Image(int index) {
      return index >= 0 && static_cast<std::size_t>(index) < images.size() ? images[index].get() : nullptr;
    }

   private:
    static void Create() {
      Destroy();
      for (const ZafBitmapStruct& picture : descriptions) {
        images.emplace_back(ZafBitmapData::ZafBitmapDataFromStruct(picture));
        // Shared by every button: no button may delete it when it lets go of it.
        images.back()->SetDestroyable(false);
      }
      // Shutdown forgets the row, so it is entered again whenever the pictures are made.
      ZafI18nData::RegisterStaticData(&Destroy, &Create, classID);
    }
    static void Destroy() { images.clear(); }

    static inline std::span<const ZafBitmapStruct> descriptions;
    static inline std::vector<std::unique_ptr<ZafBitmapData>> images;
  };

  // The four pictures of the maximize button (up) or the minimize button (down): normal, pressed, restore
  // and restore pressed.
  static std::span<const ZafBitmapStruct> ArrowPictures(bool up);

 private:
  // Puts every fixed setting in place.
  void ApplySettings();

  const ZafFrameButtonSettings* settings;
};

#endif
