// A vertical list: its children are the items (strings, buttons, any window objects), shown as the
// entries of one native list box rather than as windows of their own. It sorts its items by text when
// asked, selects one or several, takes items dragged from other lists, and colours selected items with its
// text and background colours exchanged. Keeping the list box in step is the back-end's.
#ifndef FRAMEWORK_CORE_ZAFVTLIST_H
#define FRAMEWORK_CORE_ZAFVTLIST_H

#include "framework/core/zafembeddedwindow.h"

// Selection modes (the window's selection word).
inline constexpr uint32_t ZAF_SELECT_SINGLE = 0;
inline constexpr uint32_t ZAF_SELECT_MULTIPLE = 1;
inline constexpr uint32_t ZAF_SELECT_EXTENDED = 2;

class ZafVtList : public ZafEmbeddedWindow {
 public:
  // Bordered, unsorted, single selection.
  ZafVtList(int32_t left, int32_t top, int32_t width, int32_t height);
  // Copies the items, each drawn inside the copy; the sort flag and compare function go with them.
  ZafVtList(const ZafVtList& other);
  ZafVtList(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  // Also the list class every list-type window answers.
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  bool SortFlag() const { return sort; }
  // On: the items follow the default text order from now on, re-ordered at once. Off: a compare function
  // of the application's own stays. Answers the flag.
  virtual bool SetSort(bool flag);
  // Re-orders the items by the compare function and refills the list box. Answers 0.
  virtual int Sort();
  // Refills the list box from the items (defined by the back-end). Answers 0.
  virtual int ResetNative();
  // A list may be temporary (a drop-down).
  bool SetTemporary(bool flag) override;
  // Items can be dragged out of a list: its drag flags are its own (the items keep theirs).
  bool SetCtrlDrag(bool flag) override;
  bool SetShiftCtrlDrag(bool flag) override;
  bool SetShiftDrag(bool flag) override;
  // A temporary list with a parent (a drop-down list) answers with its parent's flags, so that dragging
  // from it is what dragging from its owner would be; any other list with its own.
  bool CtrlDrag() const override;
  bool ShiftCtrlDrag() const override;
  bool ShiftDrag() const override;
  bool AnyDrag() const override;

  // The colours act on the item states: the background of unselected items and the text of selected ones
  // take `color`; the text of unselected items and the background of selected ones take it in
  // SetTextColor. Answer `color`.
  uint8_t SetBackgroundColor(uint8_t color, uint8_t second) override;
  uint8_t SetTextColor(uint8_t color, uint8_t second) override;
  // The font of every text state. Answers `font`.
  uint8_t SetFont(uint8_t font) override;

  ZafEventType MapEvent(const ZafEventRecord& event) override;
  const ZafPaletteMap* MapPalette(uint16_t type, uint16_t state) override;

  // ---- Native half (defined by the back-end) ----
  // Takes an item without a parent in, drawn inside the list and in its colours; the list box is not told.
  ZafWindowObject* AddItem(ZafWindowObject* object, ZafWindowObject* before = nullptr);
  // The native entry of an item: its text, or the item itself when the items draw themselves.
  native::LPARAM EntryOf(ZafWindowObject& item);
  // A drop on a list-type window (a list or a combo box) that accepts drops: a drop with no key held is
  // a move with Shift and a copy with Ctrl; the drag object's text becomes a new item, or the selected
  // items of a list-type drag object are copied or moved over. Answers the drop code, or -1 when refused.
  static ZafEventType DropOnList(ZafWindow& target, const ZafEventRecord& event);
  ZafWindowObject* Add(ZafWindowObject* object, ZafWindowObject* before = nullptr) override;
  ZafWindowObject* Subtract(ZafWindowObject* object) override;
  void NotifyChildrenDestroy() override;
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  ZafEventType DragDropEvent(const ZafEventRecord& event) override;
  ZafEventType ScrollEvent(const ZafEventRecord& event) override;
  ZafWindowObject* NotifyFocus(ZafWindowObject* focusObject, bool setFocus) override;
  ZafWindowObject* NotifySelection(ZafWindowObject* object, bool setSelected) override;
  void CreateNative() override;
  void UpdatePalettes(uint16_t type, uint16_t state) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  ZafEventType DrawBorder(ZafRegionStruct& region, ZafEventType drawType) override;
  ZafEventType DrawFocus(ZafRegionStruct& region, ZafEventType drawType) override;
  using ZafWindowObject::ScreenID;
  native::HWND ScreenID(int32_t kind) const override;
  void UpdateNative() override;

  // ---- Storage ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakeList();
  // The object whose drag flags the list answers with, null for its own.
  const ZafWindowObject* DragAnswerer() const;
  // Every item is drawn inside the list, in the list's colours.
  void MarkItems();
  void FillNative(bool created);
  ZafEventType Command(const ZafEventRecord& event);
  ZafEventType SelectionChanged(const ZafEventRecord& event);
  ZafEventType DrawItem(const ZafEventRecord& event);
  ZafEventType MeasureItem(const ZafEventRecord& event);
  ZafEventType ListColors(const ZafEventRecord& event);
  // Sets bytes of the palette of (type, state) in the list's own palette data.
  void ChangePalette(uint16_t type, uint16_t state, void (*change)(ZafPaletteStruct&, uint8_t, uint8_t),
                     uint8_t value, uint8_t second);

  bool sort = false;
};

#endif
