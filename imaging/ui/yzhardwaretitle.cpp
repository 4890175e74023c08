#include "imaging/ui/yzhardwaretitle.h"

#include "devices/yhardwareview.h"
#include "imaging/ui/yzhardwarepane.h"

namespace {

// Every row of the list has the same columns: the title measures them on the first.
constexpr int32_t kLayoutRow = 0;
constexpr int32_t kTitleHeight = 20;

}  // namespace

YZHardwareTitle::YZHardwareTitle(YZHardwarePane* pane, YHardwareView* view)
    : KZSizer(ZAF_DOCK_TOP, kTitleHeight, 0, 0), itsPane(pane), itsView(view) {}

int32_t YZHardwareTitle::CellCount() {
  return itsView ? itsView->ColumnCount(kLayoutRow) : 0;
}

int32_t YZHardwareTitle::BoundaryPosition(int32_t index) {
  if (!itsView || index < 0 || index > CellCount()) {
    return KZSizer::BoundaryPosition(index);
  }
  return itsView->FittedEdge(index);
}

void YZHardwareTitle::MoveBoundary(int32_t index, int32_t position) {
  if (itsView && itsView->SetColumnEdge(kLayoutRow, index, position)) {
    KZSizer::MoveBoundary(index, position);
    itsPane->Redisplay();
  }
}

ZafEventType YZHardwareTitle::Event(const ZafEventRecord& event) {
  const ZafEventType answer = KZSizer::Event(event);
  if (MapEvent(event) != SizedEvent) {
    return answer;
  }
  const int32_t width = Region().Converted(ZAF_PIXEL, display).Width();
  SetLength(width);
  // A row with no width yet (not laid out, or shrunk away) would make every designed column 0 wide for
  // good.
  if (itsView && width > 0) {
    itsView->SetColumnWidth(kLayoutRow, width, true);
  }
  return answer;
}

ZafEventType YZHardwareTitle::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  if (itsView) {
    itsView->SetColumnWidth(kLayoutRow, Length(), false);
  }
  return KZSizer::Draw(event, drawType);
}
