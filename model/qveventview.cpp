#include "model/qveventview.h"

#include <algorithm>

#include "model/qvevent.h"
#include "model/yleg.h"

namespace {

// Default left edges in pixels of the columns of each kind of row: event, start, wind, leg, results, image.
constexpr int32_t kDefaultCells[QvEventView::kKindCount][QvEventView::kColumnCount] = {
    {0, 240, 300, 360, 420}, {0, 160, 320, 380, 440}, {0, 160, 240, 320, 480},
    {0, 160, 260, 360, 420}, {0, 160, 220, 280, 340}, {0, 160, 220, 300, 380}};
// The width the last column of a row reaches to.
constexpr int32_t kLastColumnWidth = 100;

// The number of images of a leg over all its cameras.
int32_t ImageCount(const YLeg& leg) {
  int32_t count = 0;
  for (int32_t camera = 0; camera < leg.CameraCount(); ++camera) {
    count += leg.Images(camera)->Count();
  }
  return count;
}

bool ValidCell(int32_t kind, int32_t column) {
  return kind >= 0 && kind < QvEventView::kKindCount && column >= 0 && column < QvEventView::kColumnCount;
}

}  // namespace

QvEventView::QvEventView(QvEvent* event) : itsEvent(event) {
  for (int32_t kind = 0; kind < kKindCount; ++kind) {
    std::copy(std::begin(kDefaultCells[kind]), std::end(kDefaultCells[kind]), cells[kind].begin());
  }
}

int32_t QvEventView::CountItems() const {
  int32_t count = 1 + itsEvent->GetStartCount() + itsEvent->GetWindCount();
  for (int32_t i = 0; i < itsEvent->GetLegCount(); ++i) {
    count += 2 + ImageCount(*itsEvent->Leg(i));
  }
  return count;
}

int32_t QvEventView::GetCell(int32_t kind, int32_t column) const {
  return ValidCell(kind, column) ? cells[kind][column] : 0;
}

int32_t QvEventView::GetSpan(int32_t kind, int32_t column) const {
  if (!ValidCell(kind, column)) {
    return 0;
  }
  return column + 1 < kColumnCount ? cells[kind][column + 1] - cells[kind][column] : kLastColumnWidth;
}

void QvEventView::SetCell(int32_t kind, int32_t column, int32_t left) {
  if (!ValidCell(kind, column)) {
    return;
  }
  const int32_t low = column > 0 ? cells[kind][column - 1] : 0;
  const int32_t high = column + 1 < kColumnCount ? cells[kind][column + 1] : left;
  cells[kind][column] = std::clamp(left, low, std::max(low, high));
}

void QvEventView::Deliver(const KMessage& message) const {
  if (itsWindow != nullptr) {
    itsWindow->Notify(message);
  }
}

void QvEventView::Iterator::Init(const QvEventView& view) {
  itsView = &view;
  Reset(-1);
}

bool QvEventView::Iterator::Reset(int32_t newRow) {
  kind = kNone;
  start = nullptr;
  wind = nullptr;
  leg = nullptr;
  image = nullptr;
  row = -1;
  if (itsView == nullptr || newRow < 0) {
    return false;
  }
  const QvEvent& event = *itsView->GetRoot();
  int32_t rest = newRow;
  if (rest == 0) {
    kind = kEventRow;
  } else if ((rest -= 1) < event.GetStartCount()) {
    kind = kStartRow;
    start = event.GetStart(rest);
  } else if ((rest -= event.GetStartCount()) < event.GetWindCount()) {
    kind = kWindRow;
    wind = event.Wind(rest);
  } else {
    rest -= event.GetWindCount();
    for (int32_t i = 0; i < event.GetLegCount() && kind == kNone; ++i) {
      YLeg* candidate = event.Leg(i);
      const int32_t rows = 2 + ImageCount(*candidate);
      if (rest >= rows) {
        rest -= rows;
        continue;
      }
      leg = candidate;
      if (rest < 2) {
        kind = rest == 0 ? kLegRow : kResultsRow;
        break;
      }
      rest -= 2;
      for (int32_t camera = 0; camera < leg->CameraCount(); ++camera) {
        KList* images = leg->Images(camera);
        if (rest < images->Count()) {
          kind = kImageRow;
          image = images->Item(rest);
          break;
        }
        rest -= images->Count();
      }
    }
  }
  if (kind == kNone) {
    leg = nullptr;
    return false;
  }
  row = newRow;
  return true;
}
