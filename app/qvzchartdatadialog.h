#pragma once
// The chart data dialog of the Chart menu: the numbers behind the curve of the result the chart shows, sample
// by sample (time, raw X and Y, the summed curve and its slope), with an Export button that writes the raw
// samples as a text file.

#include <array>
#include <cstdint>

#include "toolkit/kzdialog.h"
#include "toolkit/kzselector.h"

class QvZChartDataDialog;

// The dialog's list: one row per trace sample, five columns side by side.
class QvZChartDataDisplaySelector : public KZSelector {
 public:
  static constexpr int32_t kColumns = 5;

  QvZChartDataDisplaySelector(QvZChartDataDialog* owner, const std::array<int32_t, kColumns>& pixelWidths);
  ~QvZChartDataDisplaySelector() override;

  void Refresh() override;
  int32_t ColumnCount(KPoint cell) override;
  void ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) override;
  void CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) override;

 private:
  QvZChartDataDialog* itsOwner;
  std::array<int32_t, kColumns> widths;
};

class QvZChartDataDialog : public KZDialog {
 public:
  static constexpr ZafEventType kExportCommand = 10168;
  // The export status of a cancelled file dialog.
  static constexpr int32_t kExportCancelled = 1004;
  // Column widths in character cells: time, X, Y, summed, slope.
  static constexpr std::array<int32_t, QvZChartDataDisplaySelector::kColumns> kColumnCells = {6, 7, 7, 10,
                                                                                              10};

  QvZChartDataDialog();
  ~QvZChartDataDialog() override;

  ZafEventType Event(const ZafEventRecord& event) override;

  QvZChartDataDisplaySelector* List() const { return list; }
  int32_t ExportStatus() const { return exportStatus; }

 private:
  void Export();

  QvZChartDataDisplaySelector* list = nullptr;
  KZButton* exportButton = nullptr;
  int32_t exportStatus = 0;
};
