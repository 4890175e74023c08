// A selector whose column texts the user edits in place: a press on the current cell opens a one-line
// field over the column under the pointer when the derived list allows it. Enter, Escape, Tab, Shift+Tab
// or a press outside the field end the edit; the text goes to the derived list to store (not on Escape),
// and Tab and Shift+Tab move the field on to the next or previous editable column, wrapping into the next
// or previous row. The derived list decides which columns are editable, where the field goes next and how
// a text is stored; this class runs the field's life.
#ifndef TOOLKIT_KZEDITABLESELECTOR_H
#define TOOLKIT_KZEDITABLESELECTOR_H

#include <cstdint>
#include <memory>

#include "toolkit/kzevents.h"
#include "toolkit/kzselector.h"

class KZEditableSelectorString;

class KZEditableSelector : public KZSelector {
 public:
  // Bit of `editorFlags`: Refresh does nothing while a field is open.
  static constexpr uint32_t kRefreshLocked = 1;
  // ColumnRegion's mode of the field's area: the column's inner area.
  static constexpr int32_t kColumnEditor = 3;
  // The text flag CellText starts with when the text is asked for the field rather than for drawing.
  static constexpr uint32_t kTextForEditor = 8;
  // Answers of NextEditColumn and PrevEditColumn besides a column: go on to the next (previous) cell, or
  // stop editing.
  static constexpr int32_t kNextCell = -1;
  static constexpr int32_t kStopEditing = -2;

  // Why an edit ended: the value of the EndEditEvent that closes it. Escape stores nothing; a press outside
  // the field ends it as Enter does; the arrows are posted by derived lists.
  static constexpr ZafEventType kEndByEnter = ChosenEvent;
  static constexpr ZafEventType kEndByEscape = BreakEvent;
  static constexpr ZafEventType kEndByUp = 1050;
  static constexpr ZafEventType kEndByDown = 1051;
  static constexpr ZafEventType kEndByLeft = 1052;
  static constexpr ZafEventType kEndByRight = 1053;
  static constexpr ZafEventType kEndByShiftTab = 1054;
  static constexpr ZafEventType kEndByTab = 1055;

  // Every column framed by a one-pixel sunken edge, its text one pixel inside it, and rows two pixels
  // higher than the font to make room for both.
  KZEditableSelector(int32_t left, int32_t top, int32_t width, int32_t height);
  ~KZEditableSelector() override;

  virtual void LockRefresh();
  // True asks for a refresh of the list; here false.
  virtual bool UnlockRefresh();
  // The next editable column of the cell after `from` (-1: before the first), kNextCell or kStopEditing.
  virtual int32_t NextEditColumn(KPoint cell, int32_t from);
  // The same backwards (`from` -1: after the last).
  virtual int32_t PrevEditColumn(KPoint cell, int32_t from);
  virtual bool CanEditCell(KPoint cell, int32_t column);
  // Takes the edited text of the current cell from the field.
  virtual void StoreEdit(int32_t column, KZEditableSelectorString& editor, ZafEventType reason);
  // Whether the list must be refreshed after an edit ended without moving on; here false.
  virtual bool EditClosed();

  // EndEditEvent closes the field; Tab and Shift+Tab go to an open field, which ends its edit with them,
  // and are dropped without one; a double click on an editable cell of the current row opens the field; the
  // rest is the selector's.
  ZafEventType Event(const ZafEventRecord& event) override;
  // Like the selector's, but the current cell is not highlighted.
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  void Refresh() override;
  // Opens the field on a press of the first button on the current cell, over the column under the point,
  // when CanEditCell allows it.
  bool EditCell(KPoint pixel, int32_t how) override;
  void ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) override;

  // Stores the open field's text now and has the field closed from the queue, letting go of the pointer
  // and the focus meanwhile: a menu or a question that opens next sees the text and takes the input.
  void StoreOpenEdit();

  bool Editing() const { return editorFlags & kRefreshLocked; }
  // The column the field edits or last edited (-1 before the first edit).
  int32_t EditingColumn() const { return editingColumn; }

 private:
  // A double click on an editable column of the current row opens the field there, as a press does: its
  // first click only made the row current. True when the field opened.
  bool EditByDoubleClick(const ZafEventRecord& event);
  // Opens the field over the current cell's editing column with that column's whole text.
  void OpenEditor();
  // Stores (unless the reason is Escape), closes the field and moves it on where the reason says; a press
  // outside the field that ended the edit goes on last.
  void CloseEditor(ZafEventType reason);
  // After a close: opens the field again on the next or previous editable column when the reason moves on,
  // or refreshes the list when it asks.
  void MoveEditorOn(ZafEventType reason);

  uint32_t editorFlags = 0;
  int32_t editingColumn = -1;
  std::unique_ptr<KZEditableSelectorString> editor;
};

#endif
