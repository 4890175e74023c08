// The toolkit's owner-drawn list: a scrolled pane of rows one text line high and one page wide, each row
// cut into columns at fixed pixel positions, with one current cell the user picks with the pointer. Each
// column shows a text asked for through CellText (or a callback), aligned and greyed per text; the current
// row is drawn in the system's highlight colours (and, in a dialog's list that has the focus, in the focus
// mark). A drag moves the current cell, scrolls the list by itself and can end in a cell-drag notification.
// The program's lists derive from it.
#ifndef TOOLKIT_KZSELECTOR_H
#define TOOLKIT_KZSELECTOR_H

#include <cstdint>
#include <memory>

#include "foundation/kpoint.h"
#include "foundation/krect.h"
#include "foundation/kstring.h"
#include "toolkit/kzscroller.h"

class KZSizer;

class KZSelector : public KZScroller {
 public:
  // Bits of `selectorFlags`.
  // Only the press moves the current cell; moving and releasing during a drag do not.
  static constexpr uint32_t kPressOnly = 1;
  // A drag from one cell to another shows the drop pointer and ends in CellDragged.
  static constexpr uint32_t kCellDragging = 2;
  // A drag is in progress.
  static constexpr uint32_t kDragging = 4;
  // The header's length follows the row width.
  static constexpr uint32_t kHeaderFollowsWidth = 8;
  // While it has the focus the list marks the current row, an empty one its first row's place, as a list
  // in a dialog shows where Tab went.
  static constexpr uint32_t kMarksFocus = 16;

  // Bits of the flags that come with a cell text: centred, right-aligned (wins over centred), greyed.
  static constexpr uint32_t kTextCentred = 1;
  static constexpr uint32_t kTextRight = 2;
  static constexpr uint32_t kTextDisabled = 4;

  // What EditCell is asked for: a press of the first button on the current cell, or of the second
  // button on any cell (just made current).
  static constexpr int32_t kEditByPress = 1;
  static constexpr int32_t kEditByContext = 2;

  // Modes of ColumnRegion: the column's whole area (0 and 1) or its inner area inside the margins (2).
  static constexpr int32_t kColumnArea = 0;
  static constexpr int32_t kColumnFrame = 1;
  static constexpr int32_t kColumnInner = 2;

  // Fills the text and the text flags of one column of a cell. The user word is the caller's own, wide
  // enough for a pointer.
  using TextCallback = void (*)(KPoint cell, int32_t column, KString& text, uint32_t& textFlags,
                                uintptr_t userWord);

  KZSelector(int32_t left, int32_t top, int32_t width, int32_t height);
  ~KZSelector() override;

  // Clamped into the contents, the upper bound last, so an axis without contents gives -1; true when it
  // changed. Nothing is redrawn.
  virtual bool SetCurrentCell(KPoint cell);
  // SetCurrentCell, then the old and the new current cell are redrawn when it changed.
  virtual void MoveCurrentCell(KPoint cell);
  // Opens an editor on the current cell (how: kEditByPress or kEditByContext); true when one opened.
  virtual bool EditCell(KPoint pixel, int32_t how);
  // A drag with kCellDragging ended on another cell than it began on.
  virtual void CellDragged(KPoint target, KPoint source);
  // Columns of the row of that cell.
  virtual int32_t ColumnCount(KPoint cell);
  // Narrows a row's pixel rectangle to one column (modes above).
  virtual void ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode);
  virtual ZafPaletteStruct ColumnPalette(KPoint cell, int32_t column, uint16_t type, uint16_t state);
  // The text of one column: the callback's, or empty without one.
  virtual void CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags);
  virtual void DrawColumnFrame(KPoint cell, int32_t column);
  virtual void DrawColumn(KPoint cell, int32_t column);

  // Pointer presses, drags and releases pick the current cell; the focus coming or going redraws its mark
  // (kMarksFocus); other events are the scroller's.
  ZafEventType Event(const ZafEventRecord& event) override;
  // The scroller's; then the focus mark of an empty list (kMarksFocus).
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  // System colours of list text and rows: highlighted when selected, grey when disabled.
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  // The scroller's; then the header's length follows the row width, and the header is redisplayed when
  // it changed (unless the list redisplays itself after every size change anyway).
  void UpdateScroll() override;
  // Re-clamps the current cell and redisplays the header too.
  void Refresh() override;
  // 6 steps a second for the first one and a half seconds, then 9.
  int32_t AutoScrollRate(int32_t elapsed) override;
  // The current cell, when visible, takes the selected state.
  ZafPaletteStruct CellPalette(KPoint cell, uint16_t type, uint16_t state) override;
  // The row's background, then each of its columns.
  void DrawCell(KPoint cell) override;

  KPoint CurrentCell() const { return currentCell; }
  // n columns, all at position 0. Without memory for them every column spans the whole row and the old
  // count stays.
  void SetColumnCount(int32_t count);
  // Only for an index below the column count.
  void SetColumnPosition(int32_t index, int32_t pixels);
  void SetTextCallback(TextCallback callback, uintptr_t userWord);
  // The cell under a pixel point of the pane, and the column there (-1 when none) when asked for.
  KPoint CellFromPoint(KPoint pixel, int32_t* column);
  KPoint CellFromScreenPoint(KPoint screen, int32_t* column) {
    return CellFromPoint(FromScreenPoint(screen), column);
  }

  // The column header above the list (not owned; null for none), set by the list that has one.
  KZSizer* header = nullptr;
  uint32_t selectorFlags = kHeaderFollowsWidth;
  // Insets of a column's inner area, in pixels.
  KRect cellMargins{0, 0, 0, 0};
  // The 3-D edge drawn round each column (0: none; -1: a one-pixel sunken edge).
  int32_t columnFrameDepth = 0;

 protected:
  // The pixel point of the pane where a pointer event happened.
  KPoint PixelOf(const ZafEventRecord& event);

 private:
  // The pointer events of the first and second buttons, as the toolkit's mouse table names them.
  ZafEventType PointerEvent(ZafEventType code, KPoint pixel);
  // Whether the cell can be pressed: inside the whole visible cells and the contents.
  bool IsPressable(KPoint cell);
  // Whether the list shows a focus mark now (kMarksFocus, the focus held).
  bool MarksFocus() const;
  // The cell the focus mark goes round: the current one, else the first.
  KPoint FocusCell();

  KPoint currentCell{-1, -1};
  KPoint anchor{0, 0};
  int32_t columnCount = 1;
  std::unique_ptr<int32_t[]> columnPositions;
  TextCallback textCallback = nullptr;
  uintptr_t callbackWord = 0;
};

#endif
