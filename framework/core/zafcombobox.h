// A one-line field over a drop-down list: the items (strings, or any window objects that draw themselves)
// live in a vertical list named "list" that the combo box holds, and choosing one puts its text in the
// field. A view-only combo box offers only its items; otherwise the field can be edited. The native
// control, its messages and the drawing are the back-end's.
#ifndef FRAMEWORK_CORE_ZAFCOMBOBOX_H
#define FRAMEWORK_CORE_ZAFCOMBOBOX_H

#include "framework/core/zafwindow.h"

class ZafStringData;
class ZafVtList;

class ZafComboBox : public ZafWindow {
 public:
  // The field is one line at (left, top), `width` wide; the dropped list is `height` high, in the same
  // units. Bordered and editable.
  ZafComboBox(int32_t left, int32_t top, int32_t width, int32_t height);
  // Copies the options, the text and the items.
  ZafComboBox(const ZafComboBox& other);
  ZafComboBox(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafComboBox() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  // Also the list class that every list-type window answers.
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // The drop-down list: its children are the items, its current child the chosen one.
  ZafVtList* List() const { return list; }
  ZafStringData* StringData() const { return stringData; }
  bool ViewOnly() const { return viewOnly; }
  // Only before the native control exists; answers the value in force.
  virtual bool SetViewOnly(bool flag);
  // Sorts the items by text from now on (or stops keeping them sorted), as the list does; the control
  // follows. Answers the flag.
  virtual bool SetSort(bool flag);

  // The field's text, taken from the control first.
  const ZafIChar* Text() override;
  // A view-only combo box keeps its text and answers 1; otherwise the text is shown and the answer is 0.
  int SetText(const ZafIChar* text) override;

  // ---- Native half (defined by the back-end) ----
  // Items join the list (an item that already has a parent is left alone); support objects join the
  // combo box. The native list follows.
  ZafWindowObject* Add(ZafWindowObject* object, ZafWindowObject* before = nullptr) override;
  ZafWindowObject* Subtract(ZafWindowObject* object) override;
  void NotifyChildrenDestroy() override;
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  ZafEventType DragDropEvent(const ZafEventRecord& event) override;
  ZafWindowObject* NotifyFocus(ZafWindowObject* focusObject, bool setFocus) override;
  // Taking the focus chooses nothing: without a chosen item the combo box itself takes it, its field left
  // as it was.
  bool SetFocus(bool flag) override;
  ZafWindowObject* NotifySelection(ZafWindowObject* object, bool setSelected) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  ZafRegionStruct ConvertToDrawRegion(const ZafWindowObject* object = nullptr,
                                      const ZafRegionStruct* area = nullptr) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  using ZafWindowObject::ScreenID;
  native::HWND ScreenID(int32_t kind) const override;
  // The control is the field and the dropped list below it: it is placed with the list's height added.
  void UpdateNative() override;
  void UpdatePalettes(uint16_t type, uint16_t state) override;
  void CreateNative() override;
  int UpdateNativeText() override;
  // Takes the text of a control with an edit field into the text data. Answers 0.
  virtual int RefreshText();
  // Fills the control again from the items. Answers 0.
  virtual int ReloadList();

  // ---- Storage ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakeList(int32_t width, int32_t height);
  void MakeText(ZafStringData* data);
  // The edit field's window procedure: its messages reach the combo box as its own events.
  static native::LRESULT EditProcedure(native::HWND edit, native::UINT message, native::WPARAM wParam,
                                       native::LPARAM lParam);
  // The item joins the control at its place in the list, chosen when it is selected.
  void InsertEntry(ZafWindowObject& item);
  ZafWindowObject* ItemAt(int index) const;
  void SelectEntry(int index);
  ZafEventType Command(const ZafEventRecord& event);
  ZafEventType KeyMessage(const ZafEventRecord& event);
  ZafEventType DrawItem(const ZafEventRecord& event);
  ZafEventType MeasureItem(const ZafEventRecord& event);

  ZafVtList* list = nullptr;
  ZafStringData* stringData = nullptr;
  bool viewOnly = false;
};

#endif
