// The push, check, radio and flat button: a label and an optional picture that the user chooses with the
// mouse, the space bar or its hot key. Choosing runs the button's selection function and, when the button
// is set to, queues an event whose type is the button's value. The frame buttons, menu items and the
// toolkit's buttons derive from it. The native control and the drawing are defined by the back-end.
#ifndef FRAMEWORK_CORE_ZAFBUTTON_H
#define FRAMEWORK_CORE_ZAFBUTTON_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/core/zafwindowobject.h"

class ZafBitmapData;
class ZafStringData;

// Button kinds. Kind 3 behaves as a push button; a flat button has no bevel and is never drawn natively.
inline constexpr int32_t ZAF_PUSH_BUTTON = 0;
inline constexpr int32_t ZAF_RADIO_BUTTON = 1;
inline constexpr int32_t ZAF_CHECK_BOX = 2;
inline constexpr int32_t ZAF_PUSH_BUTTON_3 = 3;
inline constexpr int32_t ZAF_FLAT_BUTTON = 4;

// Where the text stands beside the bitmap, and the vertical placement of the bitmap-and-text block.
inline constexpr int32_t ZAF_TEXT_RIGHT = 0;
inline constexpr int32_t ZAF_TEXT_LEFT = 1;
inline constexpr int32_t ZAF_TEXT_BELOW = 2;
inline constexpr int32_t ZAF_VERTICAL_TOP = 0;
inline constexpr int32_t ZAF_VERTICAL_BOTTOM = 1;
inline constexpr int32_t ZAF_VERTICAL_CENTER = 2;

// Pixels around a default-capable button in edit mode, where its default frame is drawn.
inline constexpr int32_t ZAF_BUTTON_EDIT_FRAME = 5;
// Pixels between the bitmap and the text when a button is drawn or sized.
inline constexpr int32_t ZAF_BUTTON_LAYOUT_GAP = 4;
// Size of the shared check-box and radio-button images, in pixels.
inline constexpr int32_t ZAF_CHECK_IMAGE_SIZE = 13;
// The deepest bevel a button takes, in pixels: the drawing draws one ring per pixel, and a stored record
// must not be able to ask for millions of them.
inline constexpr int32_t ZAF_BUTTON_MAX_DEPTH = 255;

class ZafButton : public ZafWindowObject {
 public:
  // Region (left, top, left + width - 1, top + height - 1) in cells. The text is copied; the bitmap is
  // taken (deleted with the button when it is destroyable and nobody else uses it). Check boxes and radio
  // buttons made this way toggle their selected state when chosen.
  ZafButton(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text,
            ZafBitmapData* bitmap = nullptr, int32_t kind = ZAF_PUSH_BUTTON);
  // The same without text (a null text would not say which form is meant).
  ZafButton(int32_t left, int32_t top, int32_t width, int32_t height, std::nullptr_t,
            ZafBitmapData* bitmap = nullptr, int32_t kind = ZAF_PUSH_BUTTON);
  // The full form: the text is string data that the button shows and observes (null = a new empty text).
  // It does not set the toggling of check boxes and radio buttons.
  ZafButton(int32_t left, int32_t top, int32_t width, int32_t height, ZafStringData* text,
            ZafBitmapData* bitmap, int32_t kind);
  // Copies the settings; destroyable text and bitmap data are copied, shared data stays shared.
  ZafButton(const ZafButton& other);
  // Reads the named button from the persistence's current window; a read error is kept in the error word.
  ZafButton(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafButton() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // ---- Text ----
  const ZafIChar* Text() override;
  // Sets the text of the button's string data; answers 0.
  int SetText(const ZafIChar* text) override;
  ZafStringData* StringData() const { return stringData; }

  // ---- Settings ----
  int32_t Value() const { return value; }
  const ZafIChar* MessageText() const { return messageText.get(); }
  ZafBitmapData* Bitmap() const { return bitmapData; }
  int32_t Depth() const { return depth; }
  bool DefaultCapable() const { return defaultCapable; }
  bool Toggles() const { return toggles; }
  bool AutoRepeat() const { return autoRepeat; }
  bool AutoSize() const { return autoSize; }
  int32_t Kind() const { return kind; }
  bool PressedLook() const { return pressedLook; }
  ZafIChar HotKeyChar() const { return hotKeyChar; }
  int32_t HotKeyIndex() const { return hotKeyIndex; }
  bool ChooseOnDoubleClick() const { return chooseOnDoubleClick; }
  bool ChooseOnPress() const { return chooseOnPress; }
  bool MessageOnSelect() const { return messageOnSelect; }
  int32_t TextPlacement() const { return textPlacement; }
  int32_t VerticalPlacement() const { return verticalPlacement; }
  // A check box or radio button shows a mark beside its text; a push button (kind 0 or 3) has a bevel.
  bool IsCheckOrRadio() const { return kind == ZAF_CHECK_BOX || kind == ZAF_RADIO_BUTTON; }
  bool IsPushKind() const { return kind == ZAF_PUSH_BUTTON || kind == ZAF_PUSH_BUTTON_3; }
  // The region as the program last set it; every size change starts from it.
  ZafRegionStruct UnpressedRegion() const { return unpressedRegion; }
  // Kept as the unpressed region too.
  void SetRegion(const ZafRegionStruct& newRegion) override;

  // The flag and word setters change the setting only while the native control does not exist and answer
  // the setting in force.
  virtual bool SetDefaultCapable(bool flag);
  virtual bool SetToggles(bool flag);
  virtual bool SetAutoRepeat(bool flag);
  virtual bool SetAutoSize(bool flag);
  // Replaces the bitmap (null = none); the old one is released. Answers 0 when the bitmap was taken.
  virtual ZafError SetBitmap(ZafBitmapData* bitmap);
  // Also resets the bevel depth: 2 for push buttons (kinds 0 and 3), 0 for the others.
  virtual int32_t SetKind(int32_t newKind);
  // Sets the pressed look; a change on a native, unselected button redraws it (defined by the back-end).
  virtual bool SetPressedLook(bool flag);
  // A depth outside 0 to ZAF_BUTTON_MAX_DEPTH is refused.
  virtual int32_t SetDepth(int32_t newDepth);
  // Stores the character upper-cased with its index in the text; refused once the native control exists.
  // An index past the text is kept (the text may be set or changed later) and underlines nothing.
  // Answers the character in force.
  virtual ZafIChar SetHotKey(ZafIChar character, int32_t index);
  virtual int32_t SetTextPlacement(int32_t newPlacement);
  virtual bool SetChooseOnDoubleClick(bool flag);
  virtual bool SetChooseOnPress(bool flag);
  // An owned copy (null = none), sent with the value event.
  virtual const ZafIChar* SetMessageText(const ZafIChar* text);
  // Set, the button's selection function becomes SendValueCallback; cleared, the plain one again.
  virtual bool SetMessageOnSelect(bool flag);
  // The type of the event queued when the button is chosen; stored at any time.
  virtual int32_t SetValue(int32_t newValue);
  virtual int32_t SetVerticalPlacement(int32_t newPlacement);
  // With the native control: sizes the button again, moves the control and redraws it. Answers 0
  // (defined by the back-end).
  virtual ZafEventType Relayout();

  // ---- Choosing ----
  // The selection function of a button with message-on-select: the plain user callback first, then, for
  // ChosenByDoubleClickEvent, or ChosenEvent when choose-on-double-click is off, an event of the button's
  // value with a copy of the message text and the button as its object goes to the end of the queue.
  ZafEventType SendValueCallback(ZafWindowObject* object, ZafEventRecord& event, ZafEventType code);
  // Every choice goes through here with ChosenEvent or ChosenByDoubleClickEvent: a toggling button flips
  // its selected state (a selected one whose window allows a single selection only stays selected), then
  // the selection function runs. Answers what the selection function answers.
  ZafEventType Choose(const ZafEventRecord& event, ZafEventType code);
  // Whether the platform may draw the button itself rather than the framework drawing it.
  bool NativeDrawable() const;

  // ---- Layout ----
  // Places the bitmap (size in `bitmapRegion`) and the text (size in `textRegion`) inside `region`: side by
  // side with the text right (placement 0) or left (1) of the bitmap, or stacked with the text below (2),
  // `gap` pixels apart when both are there, and placed down as the vertical placement says. Across, the
  // block is centred; a check box's or radio button's keeps to the side of its mark (left for text placement
  // 0, right for 1), as a label beside a box is read.
  // An empty region (right = left - 1, or bottom = top - 1) is first given the needed width or height.
  // The two size regions come back holding the places; the answer is (1, 1, needed width, needed height).
  // A width or height past 32767 pixels (a picture from a file may claim any size) is laid out as 32767;
  // places that would leave the coordinate range are held at its ends.
  static ZafRegionStruct ComputeLayout(const ZafButton& button, ZafRegionStruct& region,
                                       ZafRegionStruct& bitmapRegion, ZafRegionStruct& textRegion,
                                       int32_t gap);

  // ---- Shared images ----
  // The 13x13 check-box and radio-button images; they exist while at least one button does.
  static ZafBitmapData* CheckBoxImage(bool checked, bool pressed);
  static ZafBitmapData* RadioButtonImage(bool checked, bool pressed);

  // ---- Native half (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  bool SetSelected(bool flag) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  ZafEventType DrawBorder(ZafRegionStruct& region, ZafEventType drawType) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  void UpdatePalettes(uint16_t type, uint16_t state) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  void CreateNative() override;
  int UpdateNativeText() override;

  // ---- Storage ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 protected:
  // For derived classes: enters their storage level and reads the window-object and button records;
  // the derived constructor reads its own fields next and then calls LeaveReadLevel.
  ZafButton(const ZafIChar* name, ZafObjectPersistence& persistence, const ZafIChar* className,
            ZafClassID classID);
  // The button record, written after the window-object record (BeginWrite) and read back by the reading
  // constructors. A malformed record sets the persistence's error and leaves the defaults.
  void WriteButtonFields(ZafObjectPersistence& persistence);
  void ReadButtonFields(ZafObjectPersistence& persistence);
  // Changes a word setting only before the native control exists; answers the value in force.
  int32_t SetWordBeforeCreation(int32_t& field, int32_t newValue);
  // The selection function that the message-on-select setting in force asks for.
  void FollowMessageOnSelect();
  // Drawing helpers shared with derived classes (back-end).
  // The text's size in the palette selected on the open drawing; empty without text.
  ZafRegionStruct MeasureText();
  // The label centred in its place, after a shadow copy in the background colour when disabled.
  void DrawLabelText(const ZafRegionStruct& place, const ZafPaletteStruct& palette);

  int32_t value = 0;
  std::unique_ptr<ZafIChar[]> messageText;
  ZafBitmapData* bitmapData = nullptr;
  int32_t depth = 2;
  bool defaultCapable = false;
  bool toggles = false;
  bool autoRepeat = false;
  bool autoSize = false;
  int32_t kind = ZAF_PUSH_BUTTON;
  bool pressedLook = false;
  ZafIChar hotKeyChar = 0;
  int32_t hotKeyIndex = -1;
  bool chooseOnDoubleClick = false;
  bool chooseOnPress = false;
  bool messageOnSelect = false;
  int32_t textPlacement = ZAF_TEXT_BELOW;
  int32_t verticalPlacement = ZAF_VERTICAL_CENTER;
  ZafRegionStruct unpressedRegion;
  ZafStringData* stringData = nullptr;

 private:
  // The common start of the constructors: settings for the kind, text and bitmap subscribed, images made.
  void MakeButton(ZafStringData* text, ZafBitmapData* bitmap, int32_t newKind);
  // Observes new data, lets go of old data and deletes it when destroyable and nobody else uses it.
  void TakeStringData(ZafStringData* data);
  void TakeBitmapData(ZafBitmapData* data);
  static ZafLong StringDataChanged(ZafElement* object, int kind);
  static ZafLong BitmapDataChanged(ZafElement* object, int kind);
  // The shared images are made by the first button and deleted with the last.
  static void AcquireImages();
  static void ReleaseImages();

  // ---- Native helpers (defined by the back-end) ----
  // The button counts as the default when it has the focus, or is both the permanent and the current
  // default button of its root window.
  bool CountsAsDefault();
  // Gives the control another button type, keeping the rest of its style.
  void SetControlType(native::DWORD type, bool redraw);
  // The auto-size height after a size change: check boxes and radio buttons keep their vertical centre,
  // push buttons their bottom.
  void AutoSizeRegion();
  // WM_DRAWITEM: the pressed look from the item's state, then the owner drawing.
  ZafEventType DrawItemMessage(const ZafEventRecord& event);
  // WM_CTLCOLORBTN: a check box or radio button shows its parent's background around its mark.
  ZafEventType ControlColorMessage(const ZafEventRecord& event);
  // The looks: a check box or radio button; a push or flat button; the one-pixel face move of a push
  // button whose pressed look changed.
  void DrawCheckOrRadio(ZafRegionStruct region, ZafEventType drawType);
  void DrawPushButton(ZafRegionStruct region, ZafEventType drawType, bool countsAsDefault);
  void DrawPressChange(ZafRegionStruct region, bool countsAsDefault);
  // An image at a position of the open drawing, with native handles made for the call when it has none.
  static void DrawImage(ZafBitmapData* image, int32_t x, int32_t y);

  static int buttonCount;
};

#endif
