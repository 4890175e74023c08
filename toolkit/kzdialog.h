// KZDialog: every dialog of the program is built in code on it. A dialog class adds its fields in its
// constructor with the Add operations, which place each field at a layout cursor counted in character cells
// and move the cursor on; Execute adds the row of standard buttons under the fields, sizes and centres the
// dialog, runs it modally through the application's loop and hands the answer to ProcessResult, where the
// derived class takes the field values.
#ifndef TOOLKIT_KZDIALOG_H
#define TOOLKIT_KZDIALOG_H

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/kstring.h"
#include "framework/core/zafdialogwindow.h"
#include "toolkit/kzmodalwindow.h"
#include "toolkit/kzwindowleech.h"

class KZAnchoredPopUpMenu;
class KZButton;
class KZComboBox;
class KZInteger;
class KZPrompt;
class KZRadioGroup;
class KZReal;
class KZSelector;
class KZSlider;
class KZString;
class KZText;
class ZafBitmapData;
class ZafStringData;

class KZDialog : public ZafDialogWindow, public KZWindowLeech, public KZModalWindow {
 public:
  // The standard buttons, laid out in this order, and the answers they give.
  static constexpr uint32_t kOk = 16;
  static constexpr uint32_t kYes = 32;
  static constexpr uint32_t kNo = 64;
  static constexpr uint32_t kCancel = 128;
  static constexpr uint32_t kAbort = 256;
  static constexpr uint32_t kRetry = 512;
  static constexpr uint32_t kIgnore = 1024;
  static constexpr ZafEventType kOkResult = -2999;
  static constexpr ZafEventType kYesResult = -2998;
  static constexpr ZafEventType kNoResult = -2997;
  static constexpr ZafEventType kAbortResult = -2996;
  static constexpr ZafEventType kRetryResult = -2995;
  static constexpr ZafEventType kIgnoreResult = -2994;
  static constexpr ZafEventType kCancelResult = -2993;

  // Input still queued when the dialog is about to show was made before it, at whatever the user was
  // doing: a dialog that comes up unasked (an alert at the end of a wait) leaves it queued for after its
  // answer rather than let it answer the dialog unseen.
  enum class KeysTypedAhead { kKept, kLeftForAfter };

  // The standard buttons of `buttonFlags` are made by Execute; the one of `defaultButton` becomes current
  // and the dialog's default button.
  KZDialog(const ZafIChar* title, uint32_t buttonFlags, uint32_t defaultButton,
           KeysTypedAhead keysTypedAhead = KeysTypedAhead::kKept);
  ~KZDialog() override;

  // Takes the answer of the dialog's loop; empty here.
  virtual void ProcessResult(ZafEventType result);
  // The label and the answer of a standard button; a flag without a standard button has an empty label and
  // answers 0, which ends nothing.
  virtual KString ButtonText(uint32_t flag);
  virtual ZafEventType ButtonResult(uint32_t flag);
  // Adds the standard buttons under the fields, then sizes the dialog around them and centres it a little
  // above the middle of the screen.
  virtual void CreateButtons();

  // Escape while the dialog runs closes it as its close box does, answering Cancel whether or not it
  // shows a Cancel button; then the mix-in's focus request, then the framework dialog.
  ZafEventType Event(const ZafEventRecord& event) override;
  // Shows the dialog modally until it is answered, lets ProcessResult take the answer, takes the dialog off
  // the screen and returns the answer. Closing the dialog while it runs answers Cancel. The dialog stays the
  // caller's. Without the application's loop nothing is shown and the answer is LoopModalGoneResult.
  ZafEventType Execute();

  // ---- The layout cursor, in cells ----
  void NewLine();
  void MoveCursor(int32_t columns, int32_t rows);
  // Lines up the index-th field (from 0) of every row of the receiving window's children from child
  // `firstChild` on: a row is a run of children with the same top; each row's field and the fields after
  // it move right until that field's left edge is the rightmost of them all.
  void AlignColumn(int32_t index, int32_t firstChild);

  // ---- Fields at the cursor; a negative width takes the width of the text ----
  // A text of several lines (ending in LF or CR LF) takes a row for each, as wide as its widest line when
  // the width is negative; the cursor goes on from its last row.
  KZPrompt* AddPrompt(const ZafIChar* text, int32_t width);
  // A prompt that shows (and follows) the text data.
  KZPrompt* AddFieldPrompt(ZafStringData* field, int32_t width);
  // A borderless text placed in pixels, `height` pixels high (negative: as many rows of the dialog's font
  // as the text has lines), that never becomes current.
  KZText* AddText(const ZafIChar* text, int32_t width, int32_t height);
  KZText* AddTextBox(const ZafIChar* text, int32_t width, int32_t height);
  KZString* AddString(const ZafIChar* text, int32_t width, int32_t maxLength);
  // A string field with a browse button after it; both return the string field.
  KZString* AddBrowseDirectory(const ZafIChar* text, int32_t width, int32_t maxLength);
  KZString* AddBrowseFile(const ZafIChar* text, const KString& filter, int32_t width, int32_t maxLength);
  KZInteger* AddInteger(int32_t value, int32_t width, int32_t minimum, int32_t maximum);
  KZReal* AddReal(double value, int32_t width, double minimum, double maximum);
  // A slider telling the dialog of each move with an event of `eventCode`.
  KZSlider* AddSlider(int32_t minimum, int32_t maximum, int32_t current, int32_t smallStep, int32_t largeStep,
                      int32_t width, ZafEventType eventCode);
  // Sends `value` when pressed.
  KZButton* AddButton(const ZafIChar* text, int32_t value, int32_t width);
  // Sized to the bitmap in pixels; never current.
  KZButton* AddBitmapButton(ZafBitmapData* bitmap, int32_t value);
  KZButton* AddCheckBox(const ZafIChar* text, bool checked, int32_t value, int32_t width);
  // Radio buttons wait, side by side, for AddRadioGroup; the cursor stays.
  KZButton* AddRadioButton(const ZafIChar* text, int32_t value, int32_t width);
  // A group of every waiting radio button, the one at `selection` chosen.
  KZRadioGroup* AddRadioGroup(int32_t selection);
  // Starts the next group's buttons at its left edge again (AddRadioGroup does not).
  void ResetRadioColumn();
  // Items wait for AddComboBox, which is as wide as the widest waiting item.
  void AddComboItem(const ZafIChar* text, int32_t value);
  // Forgets the widest item's width (AddComboBox does not).
  void ResetComboWidth();
  // A combo box of every waiting item, the one at `selection` chosen; its list shows at most visibleRows
  // items and scrolls beyond them.
  KZComboBox* AddComboBox(int32_t selection, bool editable, int32_t visibleRows);
  // The small button opening a menu under itself; the caller adds the items.
  KZAnchoredPopUpMenu* AddPopUpButton();
  // A bordered list with a vertical scroll bar, `width` cells wide and `rows` lines of the list font high,
  // placed in pixels: `selector` (a derived list) or a plain one for null. The cursor moves down past it.
  KZSelector* AddSelector(int32_t width, int32_t rows, KZSelector* selector = nullptr);

  // ---- Notebook pages: the fields added between AddPage and EndPage go on the page ----
  void BeginNotebook(int32_t minWidth, int32_t minHeight);
  ZafWindow* AddPage(const ZafIChar* title);
  void EndPage();
  // A notebook of every finished page at the cursor, showing the page at currentPage (negative: the
  // last); the cursor goes to the start of the row under it.
  void EndNotebook(int32_t currentPage);

  // Columns and rows: the layout's spacing, open to derived dialogs.
  int32_t leftMargin = 2;
  int32_t fieldGap = 1;
  int32_t promptExtra = 0;
  int32_t fieldExtra = 1;
  int32_t buttonExtra = 2;
  int32_t radioExtra = 3;
  int32_t checkExtra = 2;
  int32_t comboExtra = 3;
  int32_t pageRowsExtra = 2;

 private:
  struct Cursor {
    int32_t row = 0;
    int32_t column = 0;
  };

  // Places the field in the receiving window and moves the cursor past `width` cells and the gap; without
  // a receiving window the field is dropped.
  template <typename Field>
  Field* Place(Field* field, int32_t width);
  // Gives a field made in cells a pixel region at the cursor.
  void PlaceInPixels(ZafWindowObject* field, int32_t width, int32_t height) const;
  // The text's width in cells, or `width` when that is not negative.
  int32_t WidthOr(int32_t width, const ZafIChar* text) const;
  // A text of several lines (each ended by LF or CR LF): its widest line in cells, and its line count.
  struct TextLines {
    int32_t widest = 0;
    int32_t count = 0;
  };
  TextLines MeasureLines(const ZafIChar* text) const;
  static int32_t CellWidth();
  static int32_t CellHeight();

  uint32_t buttonFlags;
  uint32_t defaultButton;
  KeysTypedAhead keysTypedAhead;
  ZafWindow* container;
  Cursor dialogCursor;
  Cursor notebookCursor;
  Cursor* cursor;
  std::vector<std::unique_ptr<ZafWindow>> pages;
  int32_t notebookMinWidth = 0;
  int32_t notebookMinHeight = 0;
  std::vector<std::unique_ptr<KZButton>> radioButtons;
  int32_t radioWidth = 0;
  std::vector<std::unique_ptr<KZButton>> comboItems;
  int32_t comboWidth = 0;
  // Execute's loop is running.
  bool executing = false;
  // The dialog that the innermost running Execute loop shows; null when none runs.
  static KZDialog* innermost;
};

#endif
