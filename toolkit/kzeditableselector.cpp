#include "toolkit/kzeditableselector.h"

#include <optional>

#include "framework/win32/zafnativecontrol.h"
#include "native/user/messageapi.h"
#include "native/user/metrics.h"
#include "toolkit/kzeditableselectorstring.h"
#include "toolkit/kzevents.h"

namespace {

bool EndsBackwards(ZafEventType reason) {
  return reason == KZEditableSelector::kEndByUp || reason == KZEditableSelector::kEndByLeft ||
         reason == KZEditableSelector::kEndByShiftTab;
}

bool EndsForwards(ZafEventType reason) {
  return reason == KZEditableSelector::kEndByDown || reason == KZEditableSelector::kEndByRight ||
         reason == KZEditableSelector::kEndByTab;
}

}  // namespace

KZEditableSelector::KZEditableSelector(int32_t left, int32_t top, int32_t width, int32_t height)
    : KZSelector(left, top, width, height) {
  cellMargins = {1, 1, 1, 1};
  columnFrameDepth = -1;
  SetUnitSize({unitSize.x, unitSize.y + cellMargins.top + cellMargins.bottom});
}

KZEditableSelector::~KZEditableSelector() {
  // The field is the selector's to delete, not the window's.
  if (editor) {
    Subtract(editor.get());
  }
}

// ---- What derived lists decide ----

void KZEditableSelector::LockRefresh() {
  editorFlags |= kRefreshLocked;
}

bool KZEditableSelector::UnlockRefresh() {
  editorFlags &= ~kRefreshLocked;
  return false;
}

int32_t KZEditableSelector::NextEditColumn(KPoint, int32_t) {
  return kStopEditing;
}

int32_t KZEditableSelector::PrevEditColumn(KPoint, int32_t) {
  return kStopEditing;
}

bool KZEditableSelector::CanEditCell(KPoint, int32_t) {
  return false;
}

void KZEditableSelector::StoreEdit(int32_t, KZEditableSelectorString&, ZafEventType) {}

bool KZEditableSelector::EditClosed() {
  return false;
}

// ---- The field's life ----

bool KZEditableSelector::EditCell(KPoint pixel, int32_t how) {
  if (how != kEditByPress) {
    return false;
  }
  int32_t column = -1;
  const KPoint cell = CellFromPoint(pixel, &column);
  if (column < 0 || !CanEditCell(cell, column)) {
    return false;
  }
  editingColumn = column;
  LockRefresh();
  OpenEditor();
  return true;
}

void KZEditableSelector::OpenEditor() {
  KRect area = CellRegion(CurrentCell());
  ColumnRegion(CurrentCell(), editingColumn, area, kColumnEditor);
  // The whole stored text, however long: a text cut here would be stored cut.
  KString text;
  uint32_t textFlags = kTextForEditor;
  CellText(CurrentCell(), editingColumn, text, textFlags);
  editor = std::make_unique<KZEditableSelectorString>(this, area, text.CStr());
  Add(editor.get());
  editor->TakeFocus();
  editor->SetChanged(false);
}

void KZEditableSelector::CloseEditor(ZafEventType reason) {
  if (!editor) {
    return;
  }
  // A press outside the field that ended the edit goes where it landed only now: a store that asks a
  // question must not take it for the answer, nor one that runs a pass route it into this list while the
  // field is still being stored. The window system refuses it when any input came since: it is spent.
  const std::optional<native::MSG> pressOutside = editor->PressOutside();
  if (reason != kEndByEscape) {
    StoreEdit(editingColumn, *editor, reason);
  }
  Subtract(editor.get());
  editor.reset();
  DrawCell(CurrentCell());
  MoveEditorOn(reason);
  if (pressOutside) {
    native::RoutePressAgain(*pressOutside);
  }
}

void KZEditableSelector::MoveEditorOn(ZafEventType reason) {
  const KPoint cell = CurrentCell();
  int32_t same = kStopEditing;
  KPoint target = cell;
  const bool backwards = EndsBackwards(reason);
  if (backwards) {
    same = PrevEditColumn(cell, editingColumn);
    target = cell.x <= 0 ? KPoint(extent.x - 1, cell.y - 1) : KPoint(cell.x - 1, cell.y);
  } else if (EndsForwards(reason)) {
    same = NextEditColumn(cell, editingColumn);
    target = cell.x >= extent.x - 1 ? KPoint(0, cell.y + 1) : KPoint(cell.x + 1, cell.y);
  }
  if (same >= 0) {
    editingColumn = same;
    OpenEditor();
    return;
  }
  // The derived list is asked about the next cell only when there is one.
  if (same == kNextCell && ExtentRegion().Contains(target)) {
    const int32_t first = backwards ? PrevEditColumn(target, -1) : NextEditColumn(target, -1);
    if (first >= 0) {
      if (UnlockRefresh()) {
        Refresh();
        return;
      }
      MoveCurrentCell(target);
      MakeVisible(CurrentCell(), true, true);
      editingColumn = first;
      LockRefresh();
      OpenEditor();
      return;
    }
  }
  if (UnlockRefresh() || EditClosed()) {
    Refresh();
  }
}

void KZEditableSelector::StoreOpenEdit() {
  if (!editor) {
    return;
  }
  StoreEdit(editingColumn, *editor, kEndByEnter);
  editor->LetGo();
  // The text is stored: the close must not store it a second time, which for some lists is not harmless
  // (a camera value stored has the image captured again).
  editor->EndEdit(kEndByEscape);
}

// ---- Events, colours, areas ----

ZafEventType KZEditableSelector::Event(const ZafEventRecord& event) {
  if (event.type == EndEditEvent) {
    CloseEditor(event.value);
    return EndEditEvent;
  }
  const ZafEventType code = MapMouseEvent(event);
  if (code == kEndByTab || code == kEndByShiftTab) {
    if (editor) {
      editor->EndEdit(code);
    }
    return code;
  }
  if (code == ChosenByDoubleClickEvent && EditByDoubleClick(event)) {
    return code;
  }
  const bool opening = !editor;
  const ZafEventType answer = KZSelector::Event(event);
  if (opening && editor && event.type == E_OSEVENT) {
    // The press opened the field; its second click, if any, lands in the field.
    editor->OpenedByPress(event.osEvent);
  }
  return answer;
}

bool KZEditableSelector::EditByDoubleClick(const ZafEventRecord& event) {
  const KPoint pixel = PixelOf(event);
  int32_t column = -1;
  const KPoint cell = CellFromPoint(pixel, &column);
  return !editor && cell == CurrentCell() && column >= 0 && CanEditCell(cell, column) &&
         EditCell(pixel, kEditByPress);
}

void KZEditableSelector::Refresh() {
  if (!Editing()) {
    KZSelector::Refresh();
  }
}

void KZEditableSelector::ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) {
  KZSelector::ColumnRegion(cell, column, rect, mode == kColumnEditor ? kColumnInner : mode);
}

void KZEditableSelector::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  const bool selected = state & ZAF_PM_SELECTED;
  const native::COLORREF window = native::GetSysColor(native::COLOR_WINDOW);
  if (type == ZAF_PM_TEXT || type == ZAF_PM_FOREGROUND) {
    const int text = (state & ZAF_PM_DISABLED) ? native::COLOR_GRAYTEXT : native::COLOR_WINDOWTEXT;
    ZafFillSystemColor(palette.colorForeground, palette.osForeground, native::GetSysColor(text));
    if (selected) {
      ZafFillSystemColor(palette.colorBackground, palette.osBackground, window);
    }
  } else if (type == ZAF_PM_BACKGROUND && selected) {
    ZafFillSystemColors(palette, window, window);
  }
  // The framework window's colours, not the selector's, which would highlight the current cell.
  KZScroller::SetDisplayColors(palette, type, state);
}
