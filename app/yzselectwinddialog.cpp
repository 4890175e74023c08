#include "app/yzselectwinddialog.h"

#include <algorithm>

#include "framework/core/zafdisplay.h"
#include "model/qvsettings.h"
#include "model/ywind.h"
#include "model/ywindgauge.h"
#include "toolkit/kzselector.h"

namespace {

constexpr int32_t kTimeCells = 12;
constexpr int32_t kListCells = 28;
constexpr int32_t kListRows = 5;
constexpr int32_t kColumns = 2;

void ListText(KPoint cell, int32_t column, KString& text, uint32_t&, uintptr_t dialog) {
  reinterpret_cast<const YZSelectWindDialog*>(dialog)->RowText(cell.y, column, text);
}

}  // namespace

YZSelectWindDialog::YZSelectWindDialog(const YWindGauge& gauge)
    : KZDialog(QvSettings::Text(u"\\Strings\\Event\\Wind\\Select\\Title").CStr(), kOk | kCancel, kOk),
      gauge(gauge) {
  AddPrompt(QvSettings::Text(u"\\Strings\\Event\\Wind\\Select\\Time").CStr(), kTimeCells - 2 * fieldExtra);
  AddPrompt(QvSettings::Text(u"\\Strings\\Event\\Wind\\Select\\Reading").CStr(), -1);
  NewLine();
  list = AddSelector(kListCells, kListRows);
  if (list) {
    list->SetTextCallback(ListText, reinterpret_cast<uintptr_t>(this));
    list->SetColumnCount(kColumns);
    const int32_t cellWidth = display && display->cellWidth > 0 ? display->cellWidth : 1;
    list->SetColumnPosition(1, kTimeCells * cellWidth);
  }
  int32_t beyond = 0;
  const int32_t count = gauge.GetCount(beyond);
  listed = std::clamp(count, 0, kMaxListed);
  older = std::max(beyond, 0) + std::max(count - kMaxListed, 0);
  // Every reading held gets a row: listing "listed minus older" rows would drop the newest readings once
  // the gauge held more than the list shows.
  if (list) {
    list->ChangeExtent({1, listed});
  }
  NewLine();
}

YZSelectWindDialog::~YZSelectWindDialog() = default;

void YZSelectWindDialog::RowText(int32_t row, int32_t column, KString& text) const {
  YWind wind;
  if (!gauge.GetReading(listed - 1 - row, wind)) {
    return;
  }
  if (column == 0) {
    wind.Time().Format(text, YTime::kUnitsPerSecond);
    return;
  }
  wind.Format(text);
  text.AppendChar(u' ');
  wind.UnitsText(text);
}
