#pragma once
// The choice of a trial stored on a block sensor for download: the dialog asks the sensor how many trials
// it holds, fetches the header of each for its reaction time and lists them; Download answers the chosen
// trial's index, Download All -2. It talks to the sensor over a port its caller has opened.

#include <cstdint>
#include <vector>

#include "foundation/kstring.h"
#include "model/ytime.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzselector.h"

class KRGroup;
class KSerialPort;
class KZButton;
class QvZWaveformDialog;

// The stored trials, one row each: the port's name, the trial's number and its reaction time.
class QvZWaveformSelector : public KZSelector {
 public:
  // Column widths in character cells.
  static constexpr int32_t kColumnCells[3] = {17, 10, 15};

  explicit QvZWaveformSelector(QvZWaveformDialog& dialog);

  int32_t ColumnCount(KPoint cell) override;
  void CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) override;
  // A row chosen enables Download.
  bool SetCurrentCell(KPoint cell) override;

 private:
  QvZWaveformDialog& itsDialog;
};

class QvZWaveformDialog : public KZDialog {
 public:
  static constexpr ZafEventType kDownload = 10165;
  static constexpr ZafEventType kDownloadAll = 10166;
  // The answer of Download All.
  static constexpr int32_t kAllTrials = -2;

  // `answer` receives the chosen trial's index (negative while none is chosen) or kAllTrials.
  QvZWaveformDialog(KSerialPort& port, int32_t lane, int32_t& answer, const KRGroup& portEntry);

  int32_t TrialCount() const { return static_cast<int32_t>(reactionTimes.size()); }
  const YTime& ReactionTime(int32_t trial) const { return reactionTimes[static_cast<size_t>(trial)]; }
  const KString& PortName() const { return portName; }
  QvZWaveformSelector* Selector() const { return selector; }
  KZButton* DownloadButton() const { return downloadButton; }
  KZButton* DownloadAllButton() const { return downloadAllButton; }
  void EnableDownload();

  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  // The number of trials the sensor holds; false when the user gave up asking.
  bool AskTrialCount(KSerialPort& port, int32_t lane, int32_t& count);
  void FetchReactionTimes(KSerialPort& port, int32_t lane);

  int32_t& itsAnswer;
  KString portName;
  std::vector<YTime> reactionTimes;
  QvZWaveformSelector* selector = nullptr;
  KZButton* downloadButton = nullptr;
  KZButton* downloadAllButton = nullptr;
};
