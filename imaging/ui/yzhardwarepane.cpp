#include "imaging/ui/yzhardwarepane.h"

#include "devices/yhardware.h"
#include "devices/yhardwareview.h"
#include "framework/core/zafscrollbar.h"
#include "imaging/ui/yzalignwindow.h"
#include "imaging/ui/yzhardwaretitle.h"

namespace {

// The palette colour of a row whose interface answers the manager's query.
constexpr uint8_t kAnsweringColour = 12;

}  // namespace

YZHardwarePane::YZHardwarePane(YHardwareView* view)
    : KZEditableSelector(0, 0, 0, 0), title(new YZHardwareTitle(this, view)) {
  Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
  // The title measures its own length, which its resizes keep as the designed columns.
  header = title;
  selectorFlags &= ~kHeaderFollowsWidth;
  SetView(view);
}

void YZHardwarePane::SetView(YHardwareView* view) {
  itsView = view;
  itsHardware = view ? view->Owner() : nullptr;
  title->SetView(view);
  if (view) {
    const auto [column, row] = view->Size1();
    KZEditableSelector::SetPosition({column, row});
    const auto [currentColumn, currentRow] = view->Size2();
    KZEditableSelector::SetCurrentCell({currentColumn, currentRow});
  }
}

void YZHardwarePane::Refresh() {
  ChangeExtent({1, itsHardware ? itsHardware->Flag4342() : 0});
  KZEditableSelector::Refresh();
}

bool YZHardwarePane::SetPosition(KPoint newPosition) {
  const bool moved = KZEditableSelector::SetPosition(newPosition);
  if (itsView) {
    itsView->SetSize1(Position().x, Position().y);
  }
  return moved;
}

bool YZHardwarePane::SetCurrentCell(KPoint cell) {
  const int32_t oldRow = CurrentCell().y;
  const bool changed = KZEditableSelector::SetCurrentCell(cell);
  if (itsView) {
    itsView->SetSize2(CurrentCell().x, CurrentCell().y);
  }
  if (alignWindow && CurrentCell().y != oldRow) {
    alignWindow->SetValue(CurrentCell().y);
  }
  return changed;
}

int32_t YZHardwarePane::ColumnCount(KPoint cell) {
  return itsView ? itsView->ColumnCount(cell.y) : 0;
}

void YZHardwarePane::ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) {
  if (itsView) {
    const int32_t rowLeft = rect.left;
    rect.left = rowLeft + itsView->Column(cell.y, column);
    rect.right = rect.left + itsView->ColumnWidth(cell.y, column) - 1;
  }
  // No column positions of the list's own: the base only applies the inner margins.
  KZEditableSelector::ColumnRegion(cell, column, rect, mode);
}

ZafPaletteStruct YZHardwarePane::ColumnPalette(KPoint cell, int32_t column, uint16_t type, uint16_t state) {
  ZafPaletteStruct palette = KZEditableSelector::ColumnPalette(cell, column, type, state);
  if (itsHardware && itsHardware->InterfaceCall18(cell.y)) {
    palette.colorForeground = kAnsweringColour;
  }
  return palette;
}

void YZHardwarePane::DrawCell(KPoint cell) {
  if (itsView) {
    itsView->SetColumnWidth(cell.y, ClientPixels().x, false);
  }
  KZEditableSelector::DrawCell(cell);
}
