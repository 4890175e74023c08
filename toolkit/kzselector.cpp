#include "toolkit/kzselector.h"

#include <algorithm>
#include <new>

#include "framework/core/zafdevice.h"
#include "framework/win32/zafmouseimages.h"
#include "framework/win32/zafnativecontrol.h"
#include "native/user/metrics.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzsizer.h"

namespace {

// The logical pointer events of the toolkit's mouse table.
constexpr ZafEventType kPressEvent = 1003;
constexpr ZafEventType kReleaseEvent = 1005;
constexpr ZafEventType kContextPressEvent = 1006;

// The toolkit's font slot of list text.
constexpr uint8_t kListFont = 1;
// Horizontal alignment codes of the display's text in a rectangle; the text hangs from the top.
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignRight = 1;
constexpr int32_t kAlignCentre = 2;
constexpr int32_t kAlignTop = 0;

int32_t AlignmentOf(uint32_t textFlags) {
  if (textFlags & KZSelector::kTextRight) {
    return kAlignRight;
  }
  return (textFlags & KZSelector::kTextCentred) ? kAlignCentre : kAlignLeft;
}

}  // namespace

KZSelector::KZSelector(int32_t left, int32_t top, int32_t width, int32_t height)
    : KZScroller(left, top, width, height) {
  SetFont(kListFont);
  SetUnitSize({0, FontHeight(kListFont)});
  options |= kUnitWidthIsPage;
}

KZSelector::~KZSelector() = default;

// ---- Current cell ----

bool KZSelector::SetCurrentCell(KPoint cell) {
  const KPoint old = currentCell;
  // Upper bound last: an axis without contents leaves -1.
  currentCell = {std::min(std::max(cell.x, 0), extent.x - 1), std::min(std::max(cell.y, 0), extent.y - 1)};
  return currentCell != old;
}

void KZSelector::MoveCurrentCell(KPoint cell) {
  const KPoint old = currentCell;
  if (!SetCurrentCell(cell)) {
    return;
  }
  RedrawUnits({old.x, old.y, old.x, old.y}, RedisplayEvent);
  RedrawUnits({currentCell.x, currentCell.y, currentCell.x, currentCell.y}, RedisplayEvent);
}

bool KZSelector::EditCell(KPoint, int32_t) {
  return false;
}

void KZSelector::CellDragged(KPoint, KPoint) {}

void KZSelector::UpdateScroll() {
  KZScroller::UpdateScroll();
  if (header && (selectorFlags & kHeaderFollowsWidth) && header->SetLength(unitSize.x) &&
      !(flags & kRedisplayOnGeometry)) {
    header->Redisplay();
  }
}

void KZSelector::Refresh() {
  SetCurrentCell(currentCell);
  if (header) {
    header->Redisplay();
  }
  KZScroller::Refresh();
}

// ---- Columns ----

void KZSelector::SetColumnCount(int32_t count) {
  int32_t* positions = count >= 0 ? new (std::nothrow) int32_t[static_cast<size_t>(count)]() : nullptr;
  columnPositions.reset(positions);
  if (positions) {
    columnCount = count;
  }
}

void KZSelector::SetColumnPosition(int32_t index, int32_t pixels) {
  if (columnPositions && index >= 0 && index < columnCount) {
    columnPositions[static_cast<size_t>(index)] = pixels;
  }
}

int32_t KZSelector::ColumnCount(KPoint) {
  return columnCount;
}

void KZSelector::ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) {
  if (columnPositions) {
    // A derived list may count more columns than it has positions for: those have no area, and the last
    // column with a position runs to the row's end.
    if (column < 0 || column >= columnCount) {
      rect.left = rect.right + 1;
    } else {
      const int32_t* positions = columnPositions.get();
      if (column > 0) {
        rect.left += positions[column];
      }
      if (column < ColumnCount(cell) - 1 && column + 1 < columnCount) {
        rect.right = positions[column + 1] - positions[column] + rect.left - 1;
      }
    }
  }
  if (mode == kColumnInner) {
    rect = {rect.left + cellMargins.left, rect.top + cellMargins.top, rect.right - cellMargins.right,
            rect.bottom - cellMargins.bottom};
  }
}

KPoint KZSelector::CellFromPoint(KPoint pixel, int32_t* column) {
  const KPoint cell = PixelToUnit(pixel);
  if (column) {
    *column = -1;
    const int32_t count = ColumnCount(cell);
    for (int32_t index = 0; index < count; ++index) {
      KRect region = CellRegion(cell);
      ColumnRegion(cell, index, region, kColumnArea);
      if (region.Contains(pixel)) {
        *column = index;
        break;
      }
    }
  }
  return cell;
}

void KZSelector::SetTextCallback(TextCallback callback, uintptr_t userWord) {
  textCallback = callback;
  callbackWord = userWord;
}

void KZSelector::CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) {
  if (textCallback) {
    textCallback(cell, column, text, textFlags, callbackWord);
  }
}

// ---- Colours ----

ZafPaletteStruct KZSelector::ColumnPalette(KPoint cell, int32_t, uint16_t type, uint16_t state) {
  return CellPalette(cell, type, state);
}

ZafPaletteStruct KZSelector::CellPalette(KPoint cell, uint16_t type, uint16_t state) {
  if (cell == currentCell && MeasuredRange().Contains(cell)) {
    state |= ZAF_PM_SELECTED;
  }
  return KZScroller::CellPalette(cell, type, state);
}

void KZSelector::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  const bool selected = state & ZAF_PM_SELECTED;
  const native::COLORREF window =
      native::GetSysColor(selected ? native::COLOR_HIGHLIGHT : native::COLOR_WINDOW);
  if (type == ZAF_PM_TEXT || type == ZAF_PM_FOREGROUND) {
    int text = selected ? native::COLOR_HIGHLIGHTTEXT : native::COLOR_WINDOWTEXT;
    if (state & ZAF_PM_DISABLED) {
      text = native::COLOR_GRAYTEXT;
    }
    ZafFillSystemColors(palette, native::GetSysColor(text), window);
  } else if (type == ZAF_PM_BACKGROUND) {
    ZafFillSystemColors(palette, window, window);
  }
  KZScroller::SetDisplayColors(palette, type, state);
}

// ---- Drawing ----

void KZSelector::DrawCell(KPoint cell) {
  BeginDraw();
  KZScroller::DrawCell(cell);
  if (ExtentRegion().Contains(cell)) {
    const int32_t count = ColumnCount(cell);
    for (int32_t column = 0; column < count; ++column) {
      DrawColumn(cell, column);
    }
    if (MarksFocus() && cell == FocusCell()) {
      DrawFocusMark(CellRegion(cell));
    }
  }
  EndDraw();
}

ZafEventType KZSelector::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  const ZafEventType answer = KZScroller::Draw(event, drawType);
  if (MarksFocus() && ExtentRegion().IsEmpty()) {
    // Only over what the scroller just filled: the whole units the update touches.
    const ZafRegionStruct region = event.Region();
    const KRect filled =
        UnitToPixel(PixelToUnit(FromDrawRect({region.left, region.top, region.right, region.bottom})));
    BeginDraw();
    const KRect previousClip = SetClipRegion(filled);
    DrawFocusMark(CellRegion({0, 0}));
    SetClipRegion(previousClip);
    EndDraw();
  }
  return answer;
}

bool KZSelector::MarksFocus() const {
  return (selectorFlags & kMarksFocus) != 0 && Focus();
}

KPoint KZSelector::FocusCell() {
  return ExtentRegion().Contains(currentCell) ? currentCell : KPoint{0, 0};
}

void KZSelector::DrawColumnFrame(KPoint cell, int32_t column) {
  if (columnFrameDepth == 0) {
    return;
  }
  KRect frame = CellRegion(cell);
  ColumnRegion(cell, column, frame, kColumnFrame);
  if (frame.Area() > 0) {
    BeginDraw();
    KZWindowLeech::DrawShadow(frame, columnFrameDepth, RedisplayEvent);
    EndDraw();
  }
}

void KZSelector::DrawColumn(KPoint cell, int32_t column) {
  DrawColumnFrame(cell, column);
  KRect inner = CellRegion(cell);
  ColumnRegion(cell, column, inner, kColumnInner);
  if (inner.Area() <= 0) {
    return;
  }
  KString text;
  uint32_t textFlags = 0;
  CellText(cell, column, text, textFlags);
  if (text.IsEmpty()) {
    return;
  }
  BeginDraw();
  const uint16_t state = (textFlags & kTextDisabled) ? ZAF_PM_DISABLED : PaletteState();
  const ZafPaletteStruct palette = ColumnPalette(cell, column, ZAF_PM_TEXT, state);
  const KZDrawingState previous = ApplyPalette(palette);
  // A text background of its own; the system's is the row's, already filled.
  if (palette.colorBackground != ZAF_COLOR_SYSTEM) {
    DrawRectangle(inner, 0, true);
  }
  DrawTextFitted(inner, text.CStr(), AlignmentOf(textFlags), kAlignTop, false);
  SetDrawingState(previous);
  EndDraw();
}

// ---- The pointer ----

int32_t KZSelector::AutoScrollRate(int32_t elapsed) {
  return elapsed < 1500 ? 6 : 9;
}

ZafEventType KZSelector::Event(const ZafEventRecord& event) {
  if ((selectorFlags & kMarksFocus) != 0 &&
      (event.type == FocusGainedEvent || event.type == FocusLostEvent)) {
    const ZafEventType answer = KZScroller::Event(event);
    const KPoint cell = FocusCell();
    RedrawUnits({cell.x, cell.y, cell.x, cell.y}, RedisplayEvent);
    return answer;
  }
  const ZafEventType code = MapMouseEvent(event);
  if (code < kPressEvent || code > kContextPressEvent) {
    return KZScroller::Event(event);
  }
  return PointerEvent(code, PixelOf(event));
}

KPoint KZSelector::PixelOf(const ZafEventRecord& event) {
  ZafEventRecord translated = event;
  if (translated.referenceObject != this) {
    ConvertCoordinates(translated);
  }
  const ZafPositionStruct at = translated.Position();
  return {at.column, at.line};
}

bool KZSelector::IsPressable(KPoint cell) {
  return VisibleRange(false).Contains(cell) && ExtentRegion().Contains(cell);
}

ZafEventType KZSelector::PointerEvent(ZafEventType code, KPoint pixel) {
  const KPoint cell = PixelToUnit(pixel);
  KZApplication* application = KZApplication::application;
  if (code == kContextPressEvent) {
    if (!(selectorFlags & kDragging) && IsPressable(cell)) {
      MoveCurrentCell(cell);
      EditCell(pixel, kEditByContext);
    }
    return code;
  }
  if (code == kPressEvent && !(selectorFlags & kDragging) && IsPressable(cell) &&
      (cell != currentCell || !EditCell(pixel, kEditByPress))) {
    // The application feeds the last pointer event to the selector while it is still, which keeps
    // auto-scroll going.
    if (application) {
      application->SetCapture(this, KZApplication::kCaptureFeedsMouse);
    }
    selectorFlags |= kDragging;
    anchor = cell;
  }
  if (!(selectorFlags & kDragging)) {
    return code;
  }
  if (!(selectorFlags & kPressOnly) || code == kPressEvent) {
    const bool scrolling = AutoScrollCheck(cell);
    if (scrolling) {
      MoveCurrentCell({-1, -1});
      AutoScrollStep(cell);
    }
    if (!scrolling || code == kReleaseEvent) {
      MoveCurrentCell(cell);
    }
  }
  const bool dragged = (selectorFlags & kCellDragging) && currentCell != anchor;
  if (application && (selectorFlags & kCellDragging)) {
    application->SetMouseImage(dragged ? DM_DRAG_MOVE : DefaultImage);
  }
  if (code == kReleaseEvent) {
    if (application) {
      application->SetCapture(nullptr, 0);
    }
    selectorFlags &= ~kDragging;
    if (dragged) {
      CellDragged(currentCell, anchor);
    }
  }
  return code;
}
