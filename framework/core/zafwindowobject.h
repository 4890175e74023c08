// The base of every visible object: its place in the object tree, its region and coordinate type, the
// native window it draws in, its state flags, three help and tip texts, its palette, the user hooks, and
// the palette, event-map, focus, selection and storage rules that every window, field and button shares.
// The operations that touch the native window system are defined by the back-end.
#ifndef FRAMEWORK_CORE_ZAFWINDOWOBJECT_H
#define FRAMEWORK_CORE_ZAFWINDOWOBJECT_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafeventtypes.h"
#include "framework/core/zafregionstruct.h"
#include "framework/data/zafelement.h"
#include "framework/data/zafobjectpersistence.h"
#include "framework/data/zafpalettestruct.h"
#include "native/gdi/gditypes.h"
#include "native/user/nativetypes.h"

class ZafDisplay;
class ZafEventManager;
class ZafPaletteData;
class ZafWindowManager;

// Palette types (a mask) and the states that PaletteState builds.
inline constexpr uint16_t ZAF_PM_OUTLINE = 1;
inline constexpr uint16_t ZAF_PM_BACKGROUND = 2;
inline constexpr uint16_t ZAF_PM_FOREGROUND = 4;
inline constexpr uint16_t ZAF_PM_TEXT = 8;
inline constexpr uint16_t ZAF_PM_LIGHT_SHADOW = 32;
inline constexpr uint16_t ZAF_PM_DARK_SHADOW = 64;
inline constexpr uint16_t ZAF_PM_FOCUS = 128;
inline constexpr uint16_t ZAF_PM_ACTIVE = 1;
inline constexpr uint16_t ZAF_PM_CURRENT = 2;
inline constexpr uint16_t ZAF_PM_NOT_ACTIVE = 4;
inline constexpr uint16_t ZAF_PM_SELECTED = 8;
inline constexpr uint16_t ZAF_PM_DISABLED = 16;
inline constexpr uint16_t ZAF_PM_ENABLED = 32;
inline constexpr uint16_t ZAF_PM_NOT_SELECTED = 64;
inline constexpr uint16_t ZAF_PM_NOT_CURRENT = 128;
// What the colour and font getters ask for: active, enabled and not selected.
inline constexpr uint16_t ZAF_PM_GETTER_STATE = ZAF_PM_ACTIVE | ZAF_PM_ENABLED | ZAF_PM_NOT_SELECTED;

// Palette bytes that ask for the native system default, or for the parent's value.
inline constexpr uint8_t ZAF_STYLE_SYSTEM = 254;
inline constexpr uint8_t ZAF_STYLE_INHERIT = 253;
inline constexpr uint8_t ZAF_COLOR_SYSTEM = 253;
inline constexpr uint8_t ZAF_COLOR_INHERIT = 252;

// Device types of event-map rows.
inline constexpr int32_t ZAF_KEYBOARD_DEVICE = 10;
inline constexpr int32_t ZAF_MOUSE_DEVICE = 30;

// Number IDs from 0x8000 up (negative as 16-bit values) belong to the support objects of windows.
inline constexpr bool ZafIsReservedNumberID(ZafNumberID id) {
  return static_cast<int16_t>(id) < 0;
}

// A row of an event map: the logical event for (device, raw code, modifiers). A map ends with a row whose
// logical event is EndOfEventMap.
struct ZafEventMap {
  ZafEventType logicalEvent;
  int32_t deviceType;
  int32_t rawCode;
  int32_t modifiers;
};

class ZafWindowObject : public ZafElement {
 public:
  using UserCallback = ZafEventType (ZafWindowObject::*)(ZafWindowObject* object, ZafEventRecord& event,
                                                         ZafEventType code);

  // Region (left, top, left + width - 1, top + height - 1) in cells.
  ZafWindowObject(int32_t left, int32_t top, int32_t width, int32_t height);
  // Copies the settings, not the place in a tree: no parent, no native window, focus cleared.
  ZafWindowObject(const ZafWindowObject& other);
  // Reads the named object from the persistence's current window; a read error is kept in the error word.
  ZafWindowObject(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafWindowObject() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // ---- Events ----
  // The base handler of logical events: answers the code when handled, UnknownEventResult otherwise.
  virtual ZafEventType Event(const ZafEventRecord& event);
  // Native messages (defined by the back-end).
  virtual ZafEventType NativeEvent(const ZafEventRecord& event);

 protected:
  // Parts of NativeEvent: the window's new place becomes the region; an owner-drawn control is drawn in
  // the state its item record gives; a child control gets its colours and background brush.
  ZafEventType WindowPositionChanged(const ZafEventRecord& event);
  ZafEventType DrawItem(const ZafEventRecord& event);
  ZafEventType ControlColor(const ZafEventRecord& event);

 public:
  // The logical event for a raw device event through the class's own map (the event's type when none).
  virtual ZafEventType MapEvent(const ZafEventRecord& event);
  // Windows hand the scroll events to it; scrolling classes act on them. Answers the event's type.
  virtual ZafEventType ScrollEvent(const ZafEventRecord& event) { return event.type; }
  // The logical event of the first row matching the event's raw code, device and modifiers; events that
  // are already logical (type below 0 or above 99) come back unchanged; EndOfEventMap when no row matches.
  ZafEventType MapEventTable(const ZafEventMap* table, const ZafEventRecord& event);
  // Fills the raw code, modifiers and data of a native key or mouse message for this object (defined by
  // the back-end): a key not yet translated gets its virtual key, shift state and character; a mouse
  // message not yet translated for this object gets its button code, modifiers and its position relative
  // to the object's top-left corner in pixels. The reference object becomes this object. Answers 1 when
  // it filled the event, else 0 (other events, and framework-made device events, which carry their codes).
  virtual int ConvertCoordinates(ZafEventRecord& event);

  // ---- Tree and searches ----
  ZafWindowObject* Parent() const { return parent; }
  // Set by the window that adds the object.
  void SetParent(ZafWindowObject* newParent) { parent = newParent; }
  virtual ZafWindowObject* FindObject(ZafNumberID id);
  // A name beginning with "~" is a path searched from the window manager.
  virtual ZafWindowObject* FindObjectByName(const ZafIChar* name);
  ZafWindowObject* FindObjectByNarrowName(const char* name);
  // The top-level ancestor, or the object itself.
  virtual ZafWindowObject* RootObject();
  virtual ZafWindowObject* FocusObject();
  // The root window's permanent (true) or current default button; null when the root is no window.
  ZafWindowObject* DefaultButton(bool permanent);
  // (0, 0, width - 1, height - 1) of the object in pixels; windows answer the area left for children.
  virtual ZafRegionStruct ClientRegion(const ZafWindowObject* object = nullptr);
  virtual ZafWindowObject* Duplicate();

  // ---- Region ----
  ZafRegionStruct Region() const { return region; }
  // Takes the five words as they are.
  virtual void SetRegion(const ZafRegionStruct& newRegion);
  int32_t CoordinateType() const { return coordinateType; }
  // Only before the native window exists; sets the type word of the region too, without converting.
  virtual int32_t SetCoordinateType(int32_t type);
  // Converts the object's own region to the type (through ConvertRegion).
  virtual void SetCoordinateTypeOfRegion(int32_t type);
  // Converts a region to the type; between cells and the other types the display's pre-space and
  // post-space are added or removed so that fields placed in cells keep a gap between rows.
  virtual void ConvertRegion(ZafRegionStruct& target, int32_t type);
  int32_t Placement() const { return placement; }
  virtual int32_t SetPlacement(int32_t value);

  // ---- Texts ----
  virtual const ZafIChar* Text() { return nullptr; }
  // 1 = not supported here; text-bearing classes answer 0.
  virtual int SetText(const ZafIChar* text);
  int SetNarrowText(const char* text);
  const ZafIChar* HelpContext() const { return helpContext.get(); }
  const ZafIChar* TipText() const { return tipText.get(); }
  const ZafIChar* ThirdText() const { return thirdText.get(); }
  const ZafIChar* TextD() const { return textD.get(); }
  virtual const ZafIChar* SetHelpContext(const ZafIChar* text);
  virtual const ZafIChar* SetTipText(const ZafIChar* text);
  virtual const ZafIChar* SetThirdText(const ZafIChar* text);
  const ZafIChar* SetTextD(const ZafIChar* text);
  uint16_t wordA = 0;
  uint16_t wordB = 0;

  // ---- Flags ----
  bool AcceptDrop() const { return acceptDrop; }
  virtual bool SetAcceptDrop(bool flag);
  bool AutomaticUpdate() const { return automaticUpdate; }
  virtual bool SetAutomaticUpdate(bool flag);
  bool Bordered() const { return bordered; }
  virtual bool SetBordered(bool flag);
  virtual bool Changed() { return changed; }
  virtual bool SetChanged(bool flag);
  // The drag flags; a list that stands in for another object answers with that object's.
  virtual bool CtrlDrag() const { return ctrlDrag; }
  virtual bool ShiftCtrlDrag() const { return shiftCtrlDrag; }
  virtual bool ShiftDrag() const { return shiftDrag; }
  virtual bool AnyDrag() const { return ctrlDrag || shiftCtrlDrag || shiftDrag; }
  virtual bool SetCtrlDrag(bool flag);
  virtual bool SetShiftCtrlDrag(bool flag);
  virtual bool SetShiftDrag(bool flag);
  bool Disabled() const { return disabled; }
  // SetAutomaticUpdate, SetDisabled, SetFocus, SetVisible and SetOwnNativeWindow change the native
  // window too and are defined by the back-end.
  virtual bool SetDisabled(bool flag);
  bool EditMode() const { return editMode; }
  virtual bool SetEditMode(bool flag);
  bool Focus() const { return focus; }
  virtual bool SetFocus(bool flag);
  bool NonCurrent() const { return nonCurrent; }
  virtual bool SetNonCurrent(bool flag);
  bool NativeDrawing() const { return nativeDrawing; }
  virtual bool SetNativeDrawing(bool flag);
  bool ParentDrawBorder() const { return parentDrawBorder; }
  virtual bool SetParentDrawBorder(bool flag);
  bool ParentDrawFocus() const { return parentDrawFocus; }
  virtual bool SetParentDrawFocus(bool flag);
  bool ParentPalette() const { return parentPalette; }
  virtual bool SetParentPalette(bool flag);
  bool Selected() const { return selected; }
  virtual bool SetSelected(bool flag);
  bool ToggleSelected() { return SetSelected(!selected); }
  bool SupportObject() const { return supportObject; }
  // The plain window object may not be a support object: always clears the flag and answers false.
  virtual bool SetSupportObject(bool flag);
  bool OwnNativeWindow() const { return ownNativeWindow; }
  virtual bool SetOwnNativeWindow(bool flag);
  bool Visible() const { return visible; }
  virtual bool SetVisible(bool flag);
  ZafError Error() const { return error; }
  virtual ZafError SetError(ZafError value);

  // The flag and-ed (visible, automatic update) or or-ed (disabled, non-current) with the ancestors'.
  bool IsVisibleUp(bool checkParents = true) const;
  bool IsAutomaticUpdateUp(bool checkParents = true) const;
  bool IsDisabledUp(bool checkParents = true) const;
  bool IsNonCurrentUp() const;

  // ---- Palettes ----
  ZafPaletteData* PaletteData() const { return paletteData; }
  // Subscribes to the data; the old data is deleted when it is destroyable and nobody else uses it.
  virtual ZafPaletteData* SetPaletteData(ZafPaletteData* data);
  // The entry for (type, state), merged from the own data and class tables up to the window manager.
  virtual ZafPaletteStruct LogicalPalette(uint16_t type, uint16_t state);
  // The state bits of the object as it stands.
  virtual uint16_t PaletteState();
  virtual const ZafPaletteMap* MapPalette(uint16_t type, uint16_t state);
  // The first row with (row type & type) != 0 and (row state & state) == row state, or null.
  static const ZafPaletteMap* MapPaletteTable(const ZafPaletteMap* table, uint16_t type, uint16_t state);
  // Colour getters ask for the active, enabled, not-selected state; a second value goes to `second`.
  uint8_t BackgroundColor(uint8_t* second = nullptr);
  uint8_t TextColor(uint8_t* second = nullptr);
  uint8_t TextFont();
  virtual uint8_t SetBackgroundColor(uint8_t color, uint8_t second);
  virtual uint8_t SetTextColor(uint8_t color, uint8_t second);
  virtual uint8_t SetFont(uint8_t font);
  // Fills native colours of a palette whose bytes ask for the system default (defined by the back-end).
  virtual void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state);
  // Redraws after a palette change (defined by the back-end).
  virtual void UpdatePalettes(uint16_t type, uint16_t state);

  // ---- Focus and selection ----
  // The focus protocol: losing asks the object (FocusLoseEvent) whether it lets go; gaining runs up the
  // tree to the window manager. Answers the object that refused, or null.
  virtual ZafWindowObject* NotifyFocus(ZafWindowObject* focusObject, bool setFocus);
  virtual ZafWindowObject* NotifySelection(ZafWindowObject* object, bool setSelected);

  // ---- Native window (defined by the back-end) ----
  native::HWND ScreenID() const { return screenID; }
  void SetScreenID(native::HWND id) { screenID = id; }
  // The native window of a part of a compound object; a plain object has one window for every part.
  virtual native::HWND ScreenID(int32_t part) const;
  // Creates the object's own native window of the framework's class, hidden or disabled as the object is,
  // and stores it as the screen ID; UpdateNative places it.
  virtual void CreateNative();
  // Creates the native window or shares the parent's.
  virtual void AttachNative();
  // The native drawing region (pixels): of `object` (default: this one), or of `region` given relative to
  // this object's top-left corner. An object with its own window answers its own client area.
  virtual ZafRegionStruct ConvertToDrawRegion(const ZafWindowObject* object = nullptr,
                                              const ZafRegionStruct* region = nullptr);
  // Puts the item's text (and selection) into the native list or combo box it belongs to: 0 when done,
  // 1 when the object is not an item of a natively drawn list.
  virtual int UpdateNativeText();
  // Brings the native placement up to date with the region: an own native window is moved; for an object
  // drawn in its parent's window the old and new areas (after a move) or the strips its size change
  // uncovers are repainted, and the object is told of the move (-3505) and the size change (-3504).
  virtual void UpdateNative();
  // Destroys an own native window; an object drawn in its parent's window has its area repainted.
  virtual void DestroyNative();
  // The native half of DrawNowEvent, RedisplayEvent and RedisplayRegionEvent.
  virtual void RedisplayNative(const ZafEventRecord& event);
  // Redraws the object through its own RedisplayEvent handling (defined by the back-end); an object
  // without a native window has nothing to redraw. An object drawn in its parent's window is redrawn even
  // while hidden, which wipes it.
  void Redisplay();
  virtual ZafEventType DragDropEvent(const ZafEventRecord& event);
  ZafRegionStruct LastNativeRegion() const { return lastNativeRegion; }
  void ResetLastNativeRegion();

  // ---- Drawing (defined by the back-end) ----
  // Opens drawing on the display for the object's native window, clipped to its region, and answers its
  // drawing region (native pixels). In edit mode the drawing takes a context of the window that may draw
  // over the parent's other children. Calls nest; each must be closed by EndDraw.
  virtual ZafRegionStruct BeginDraw();
  // Closes what the matching BeginDraw opened.
  virtual void EndDraw();
  // Draws the object: border (when bordered), background, text and focus mark, inside one
  // BeginDraw/EndDraw pair. Answers the draw type.
  virtual ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType);
  // Draws the 3-D edge of `region` (native pixels, inside a BeginDraw) for RedisplayEvent and
  // RedisplayRegionEvent: |depth| one-pixel rings (2 when depth is 0), raised for a positive depth and
  // sunken for a negative one, in the light and dark shadow palettes. The region comes back shrunk by
  // the rings drawn; for other draw types it is only shrunk by |depth| on every side.
  virtual void DrawShadow(ZafRegionStruct& region, int32_t depth, ZafEventType drawType);
  // Fills `region` with the background palette for DrawNowEvent, RedisplayEvent, RedisplayRegionEvent
  // and ChosenEvent. Answers the draw type.
  virtual ZafEventType DrawBackground(ZafRegionStruct& region, ZafEventType drawType);
  // The sunken two-ring edge, or, with the parent-draws-border flag, the parent's border over `region`.
  virtual ZafEventType DrawBorder(ZafRegionStruct& region, ZafEventType drawType);
  // Toggles the focus rectangle around `region` when focus is gained or lost, and on a redisplay of the
  // current object; with the parent-draws-focus flag the parent draws it instead. Without that flag the
  // region comes back narrowed by one pixel on every side. Answers the draw type.
  virtual ZafEventType DrawFocus(ZafRegionStruct& region, ZafEventType drawType);

  // ---- Edit mode (defined by the back-end) ----
  // The interactive move or size that a press in edit mode starts: a frame follows the pointer until the
  // button is released, then the object takes the new region. A press within 4 pixels of an edge moves
  // that edge (two at a corner), anywhere else the whole object. Answers the release code, 1005.
  virtual ZafEventType UpdatePosition(const ZafEventRecord& event);

 protected:
  // In edit mode every key and mouse event is served here instead of by the object's own handling.
  ZafEventType EditModeEvent(const ZafEventRecord& event);

 public:
  // ---- Coordinates (defined by the back-end) ----
  // Native coordinates are pixels relative to the client area of the nearest native window. Called on an
  // object O, usually the parent of `object`: the position (default: the top-left corner of `object`'s
  // region) in pixels plus the left and top of O and each of its ancestors, up to but not including the
  // first that has its own native window.
  virtual ZafPositionStruct PositionToNative(const ZafWindowObject* object,
                                             const ZafPositionStruct* position = nullptr);
  // The reverse walk: a native position back to the coordinates `object`'s region lives in, in pixels.
  virtual ZafPositionStruct PositionFromNative(const ZafWindowObject* object,
                                               const ZafPositionStruct& position);
  // Both corners through PositionToNative (default region: `object`'s own); the size is kept exactly.
  virtual ZafRegionStruct RegionToNative(const ZafWindowObject* object,
                                         const ZafRegionStruct* region = nullptr);
  virtual ZafRegionStruct RegionFromNative(const ZafWindowObject* object, const ZafRegionStruct& region);
  // A position in the coordinates of this object's region (its parent's) to the screen, in pixels.
  virtual ZafPositionStruct PositionToScreen(const ZafPositionStruct& position);
  // A screen point to the coordinates of this object's region, in pixels.
  virtual ZafPositionStruct PositionFromScreen(int32_t x, int32_t y);

  // ---- User hooks ----
  ZafUserFunction UserFunction() const { return userFunction; }
  virtual ZafUserFunction SetUserFunction(ZafUserFunction function);
  UserCallback userCallback;
  // Calls the user function with a copy of the event; 0 without one.
  ZafEventType DefaultUserCallback(ZafWindowObject* object, ZafEventRecord& event, ZafEventType code);
  void* userObject = nullptr;

  // ---- Storage ----
  // Writes the object under its string ID, naming an unnamed object "FIELD_<number>" first.
  virtual ZafError Write(ZafObjectPersistence& persistence);
  // The name the object is stored under: its string ID, or "FIELD_<number>" while it has none.
  std::u16string StorageName() const;
  virtual ZafObjectConstructor ReadFunction() const;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

  // Auto-repeat timing of buttons, in milliseconds; the setters answer the value in force.
  static int32_t RepeatDelay() { return repeatDelay; }
  static int32_t RepeatPeriod() { return repeatPeriod; }
  static int32_t SetRepeatDelay(int32_t milliseconds);
  static int32_t SetRepeatPeriod(int32_t milliseconds);

  // The framework's shared display, event manager and window manager.
  static ZafDisplay* display;
  static ZafEventManager* eventManager;
  static ZafWindowManager* windowManager;
  // The framework's object persistence, from which stored windows are opened by name; null when the
  // program has none. Not owned here.
  static ZafObjectPersistence* objectPersistence;

 protected:
  // Enters the storage level of a derived class and reads the window-object record; the derived
  // constructor reads its own fields next and then calls LeaveReadLevel.
  ZafWindowObject(const ZafIChar* name, ZafObjectPersistence& persistence, const ZafIChar* className,
                  ZafClassID classID);
  // What that constructor does, for an object already built: takes the name, enters the storage level and
  // reads the window-object record. False when the object's record could not be opened.
  bool EnterReadLevel(const ZafIChar* name, ZafObjectPersistence& persistence, const ZafIChar* className,
                      ZafClassID classID);
  // Leaves the level entered by the reading constructor, keeping any read error in the error word.
  void LeaveReadLevel(ZafObjectPersistence& persistence);
  // Reads the fields the storage record holds from the current object file.
  void ReadFields(ZafObjectPersistence& persistence);
  // Writes the record into the already opened object file.
  void WriteFields(ZafObjectPersistence& persistence);
  // Names an unnamed object, enters its storage level, opens its entry and writes the window-object
  // record; false when the entry could not be opened. EndWrite must follow either way.
  bool BeginWrite(ZafObjectPersistence& persistence);
  // BeginWrite without the record: for objects whose entry holds no fields.
  bool OpenWriteEntry(ZafObjectPersistence& persistence);
  ZafError EndWrite(ZafObjectPersistence& persistence);
  // Numbering and naming on PrepareEvent.
  void NumberAndName();
  // Makes the root window forget default buttons inside this object, which is being deleted; called
  // before anything inside it is deleted.
  void LeaveDefaultButtons();
  // A native window this object made and still answers for (its user data is this object) is taken down
  // with the object, so that no message reaches the object once it is deleted; the handle is cleared.
  // Windows made by others are left alone (defined by the back-end).
  void ReleaseNativeWindow(native::HWND& window);
  // Only before the native window exists: sets a flag and answers the value in force.
  bool SetBeforeCreation(bool& field, bool flag);
  // For one-line objects before the native window exists: a region one cell high, about to be given in
  // `type`, keeps one line's height in that type (its bottom moves).
  void KeepLineHeight(ZafRegionStruct& target, int32_t type);

  ZafWindowObject* parent = nullptr;
  native::HWND screenID = nullptr;
  ZafRegionStruct region;
  ZafRegionStruct lastNativeRegion;
  ZafPaletteData* paletteData = nullptr;
  ZafUserFunction userFunction = nullptr;
  bool acceptDrop = false;
  bool ctrlDrag = false;
  bool shiftCtrlDrag = false;
  bool shiftDrag = false;
  int32_t coordinateType = 0;
  int32_t placement = 0;
  bool changed = false;
  bool editMode = false;
  // The context each open BeginDraw took for itself (null when the display took its own), innermost last,
  // so every EndDraw gives back exactly what its BeginDraw took.
  std::vector<native::HDC> drawContexts;
  bool focus = false;
  bool nonCurrent = false;
  bool disabled = false;
  bool nativeDrawing = true;
  bool parentDrawBorder = false;
  bool parentDrawFocus = false;
  bool parentPalette = false;
  bool selected = false;
  bool supportObject = false;
  bool ownNativeWindow = true;
  bool visible = true;
  bool automaticUpdate = true;
  bool bordered = false;
  ZafError error = ZAF_ERROR_NONE;
  // The next number a root gives to an unnumbered object (kept by roots only).
  ZafNumberID nextNumberID = 1;

 private:
  static ZafLong PaletteDataChanged(ZafElement* object, int kind);
  // Lets go of the palette data, deleting it when it is destroyable and nobody else uses it.
  void ReleasePaletteData();
  // Makes own palette data when there is none, so a colour or font can be set.
  ZafPaletteData& OwnPaletteData();
  // A getter's byte from the own data (unless not set there), else from the class table.
  uint8_t GetterByte(uint16_t type, uint8_t ZafPaletteStruct::*byte, uint8_t notSet,
                     uint8_t ZafPaletteStruct::*secondByte, uint8_t* second);

  std::unique_ptr<ZafIChar[]> helpContext;
  std::unique_ptr<ZafIChar[]> tipText;
  std::unique_ptr<ZafIChar[]> thirdText;
  std::unique_ptr<ZafIChar[]> textD;

  static int32_t repeatDelay;
  static int32_t repeatPeriod;
};

#endif
