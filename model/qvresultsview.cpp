#include "model/qvresultsview.h"

#include <algorithm>

#include "foundation/kregistry.h"
#include "foundation/krint.h"
#include "model/qvsettings.h"

namespace {

// Default widths in pixels of lane, status, id, first name, last name, affiliation, licence, reaction time
// and power.
constexpr int32_t kDefaultWidths[QvResultsView::kColumnCount] = {40, 90, 60, 100, 120, 100, 80, 90, 60};

KString ColumnPath(int32_t column) {
  KString path(u"\\Event\\Results\\Columns\\Width");
  path.AppendInt(column);
  return path;
}

KString LanePath(int32_t lane) {
  KString path(u"\\Event\\Results\\Lanes\\Missing\\Lane");
  path.AppendInt(lane + 1);
  return path;
}

using Widths = std::array<int32_t, QvResultsView::kColumnCount>;

// The first name, last name, affiliation and licence: texts a printed page may cut. The lane, the status,
// the id, the reaction time and the power are what a sheet of results is for: they keep their full widths,
// the id because an official reads the athlete's number off the sheet, and a cut number reads as another.
constexpr bool kFreeText[QvResultsView::kColumnCount] = {false, false, false, true, true,
                                                         true,  true,  false, false};

int64_t Total(const Widths& widths) {
  int64_t total = 0;
  for (const int32_t each : widths) {
    total += each;
  }
  return total;
}

// Widths wider together than `width`, each no narrower than the column keeps, brought down to `width`,
// each column giving up in proportion to what it has above what it keeps; what they keep when even that
// is wider.
Widths ShrinkTowards(const Widths& widths, const Widths& kept, int32_t width) {
  const int64_t keptTotal = Total(kept);
  if (keptTotal >= width) {
    return kept;
  }
  const int64_t room = Total(widths) - keptTotal;
  Widths shrunk;
  for (int32_t column = 0; column < QvResultsView::kColumnCount; ++column) {
    shrunk[column] =
        kept[column] + static_cast<int32_t>((widths[column] - kept[column]) * (width - keptTotal) / room);
  }
  return shrunk;
}

bool ValidLane(int32_t lane) {
  return lane >= 0 && lane < QvResultsView::kLaneSettingCount;
}

}  // namespace

void QvResultsView::Deliver(const KMessage& message) const {
  if (itsWindow != nullptr) {
    itsWindow->Notify(message);
  }
}

void QvResultsView::ShowResult(QvResult& result) const {
  if (itsWindow != nullptr) {
    itsWindow->ShowResult(result);
  }
}

int32_t QvResultsView::ColumnWidth(int32_t column) {
  if (column < 0 || column >= kColumnCount) {
    return 0;
  }
  return QvSettings::Int(ColumnPath(column).CStr(), kDefaultWidths[column],
                         {kMinColumnWidth, kMaxColumnWidth, QvSettings::Outside::kNearestEnd});
}

void QvResultsView::RelayoutColumns(int32_t width, bool changed,
                                    const std::array<int32_t, kColumnCount>& least) {
  if (!changed && width == laidOutWidth) {
    return;
  }
  laidOutWidth = width;
  int32_t left = 0;
  for (int32_t column = 0; column < kColumnCount; ++column) {
    columnStarts[column] = left;
    left += std::max(ColumnWidth(column), least[column]);
  }
  columnStarts[kColumnCount] = std::max(left, width);
}

void QvResultsView::FitColumns(int32_t width, const std::array<int32_t, kColumnCount>& least,
                               const std::array<int32_t, kColumnCount>& widest) {
  Widths full;
  Widths keptAndTitles;
  for (int32_t column = 0; column < kColumnCount; ++column) {
    full[column] = std::max(least[column], widest[column]);
    keptAndTitles[column] = kFreeText[column] ? least[column] : full[column];
  }
  RelayoutColumns(width, true, full);
  laidOutWidth = -1;
  Widths widths;
  for (int32_t column = 0; column < kColumnCount; ++column) {
    widths[column] = columnStarts[column + 1] - columnStarts[column];
  }
  for (const Widths& kept : {full, keptAndTitles, Widths{}}) {
    if (Total(widths) <= width) {
      break;
    }
    widths = ShrinkTowards(widths, kept, width);
  }
  int32_t left = 0;
  for (int32_t column = 0; column < kColumnCount; ++column) {
    columnStarts[column] = left;
    left += widths[column];
  }
  columnStarts[kColumnCount] = std::max(left, width);
}

int32_t QvResultsView::ColumnStart(int32_t column) const {
  return column >= 0 && column <= kColumnCount ? columnStarts[column] : 0;
}

bool QvResultsView::SetColumnWidth(int32_t column, int32_t width) {
  if (column < 0 || column >= kColumnCount) {
    return false;
  }
  width = std::clamp(width, kMinColumnWidth, kMaxColumnWidth);
  const KRInt* node = KRegistry::GetInt(QvSettings::Root(), ColumnPath(column));
  if (node != nullptr && node->Value() == width) {
    return false;
  }
  KString line = ColumnPath(column);
  line.Append(u":Int,0,");
  line.AppendInt(kMinColumnWidth);
  line.AppendChar(u',');
  line.AppendInt(kMaxColumnWidth);
  line.AppendChar(u'=');
  line.AppendInt(width);
  if (!QvSettings::Write(line)) {
    return false;
  }
  laidOutWidth = -1;
  return true;
}

bool QvResultsView::IsSpecialLengthSet(int32_t lane) {
  if (!ValidLane(lane)) {
    return false;
  }
  return QvSettings::Int(LanePath(lane).CStr(), 0, QvSettings::kSwitch) != 0;
}

bool QvResultsView::EnableSpecialLength(int32_t lane, bool on) {
  if (!ValidLane(lane)) {
    return false;
  }
  KRInt* node = KRegistry::GetInt(QvSettings::Root(), LanePath(lane));
  if (node == nullptr || (node->Value() != 0) == on) {
    return false;
  }
  node->Set(on ? 1 : 0);
  return true;
}

void QvResultsView::Setup() {
  for (int32_t lane = 0; lane < kLaneSettingCount; ++lane) {
    if (KRegistry::Lookup(QvSettings::Root(), LanePath(lane)) == nullptr) {
      KString line = LanePath(lane);
      line.Append(u":Int=1");
      QvSettings::Write(line);
    }
  }
}
