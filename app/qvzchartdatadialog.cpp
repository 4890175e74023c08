#include "app/qvzchartdatadialog.h"

#include <numeric>

#include "app/busypointer.h"
#include "app/chartdatatext.h"
#include "app/yzapplication.h"
#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/kx.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventmanager.h"
#include "model/qvsettings.h"
#include "model/qvtrace.h"
#include "toolkit/kzbutton.h"

namespace {

constexpr int32_t kListLines = 16;
constexpr int32_t kExportWidth = 10;
constexpr const ZafIChar* kHeadings[QvZChartDataDisplaySelector::kColumns] = {u"Time", u"X", u"Y",
                                                                              u"Summed X, Y", u"Slope"};

void ShowExportError() {
  if (YZApplication* application = YZApplication::Current()) {
    application->Error(KString(u"Error writing export file"));
  }
}

}  // namespace

QvZChartDataDisplaySelector::QvZChartDataDisplaySelector(QvZChartDataDialog* owner,
                                                         const std::array<int32_t, kColumns>& pixelWidths)
    : KZSelector(0, 0, 0, 0), itsOwner(owner), widths(pixelWidths) {
  ChangeExtent({1, QvTrace::kSampleCount});
  // The gun's row at the top of the list.
  SetPosition({0, QvTrace::kGunSample});
  SetCurrentCell({0, QvTrace::kGunSample});
}

QvZChartDataDisplaySelector::~QvZChartDataDisplaySelector() = default;

void QvZChartDataDisplaySelector::Refresh() {
  ChangeExtent({1, QvTrace::kSampleCount});
  KZSelector::Refresh();
}

int32_t QvZChartDataDisplaySelector::ColumnCount(KPoint) {
  return kColumns;
}

void QvZChartDataDisplaySelector::ColumnRegion(KPoint, int32_t column, KRect& rect, int32_t) {
  if (column < 0 || column >= kColumns) {
    return;
  }
  const int32_t left = rect.left + std::accumulate(widths.begin(), widths.begin() + column, 0);
  rect.left = left;
  // Each column ends one pixel before the next begins.
  rect.right = left + widths[column] - 2;
}

void QvZChartDataDisplaySelector::CellText(KPoint cell, int32_t column, KString& text, uint32_t&) {
  text = ChartDataCell(cell.y, column);
}

QvZChartDataDialog::QvZChartDataDialog() : KZDialog(u"Chart Data", kOk, kOk) {
  std::array<int32_t, QvZChartDataDisplaySelector::kColumns> pixels{};
  for (int32_t column = 0; column < QvZChartDataDisplaySelector::kColumns; ++column) {
    AddPrompt(kHeadings[column], kColumnCells[column]);
    pixels[column] = kColumnCells[column] * (display != nullptr ? display->cellWidth : 0);
  }
  NewLine();
  const int32_t listCells = std::accumulate(kColumnCells.begin(), kColumnCells.end(), 0);
  list = static_cast<QvZChartDataDisplaySelector*>(
      AddSelector(listCells, kListLines, new QvZChartDataDisplaySelector(this, pixels)));
  NewLine();
  MoveCursor(listCells - kExportWidth, 0);
  exportButton = AddButton(u"Export", kExportCommand, kExportWidth);
  NewLine();
}

QvZChartDataDialog::~QvZChartDataDialog() = default;

ZafEventType QvZChartDataDialog::Event(const ZafEventRecord& event) {
  if (event.type != kExportCommand) {
    return KZDialog::Event(event);
  }
  Export();
  return event.type;
}

void QvZChartDataDialog::Export() {
  // Each press starts afresh: a file dialog cancelled before does not stop this export.
  exportStatus = 0;
  KFile file;
  if (const KString folder = QvSettings::Text(u"\\Database\\File\\DataOutDir"); !folder.IsEmpty()) {
    KFile::AppendName(file, folder);
  }
  // The export is always a text file: the dialog checks the name with that extension before it replaces it.
  if (KSaveFileDialog(file, KString(u"txt"), true) < 0) {
    exportStatus = kExportCancelled;
    return;
  }
  const KString path = file.Name();
  {
    BusyPointer busy;
    try {
      KFile::SaveSafely(path, [](KStream& stream) { WriteChartData(stream); });
    } catch (const KX& error) {
      exportStatus = error.Code();
    }
  }
  if (exportStatus != 0) {
    ShowExportError();
  }
  // Written or failed, the dialog closes as by its Ok button.
  ZafEventRecord ok(kOkResult, 0);
  if (ZafWindowObject::eventManager != nullptr) {
    ZafWindowObject::eventManager->Put(ok);
  }
}
