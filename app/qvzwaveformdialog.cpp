#include "app/qvzwaveformdialog.h"

#include "app/busypointer.h"
#include "app/linkquestions.h"
#include "devices/qvblocksensors.h"
#include "foundation/kregistry.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventmanager.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"
#include "toolkit/kzbutton.h"

namespace {

constexpr int32_t kSelectorCells = 42;
constexpr int32_t kSelectorRows = 4;
constexpr int32_t kButtonCells = 9;

KString ChartText(const char16_t* name, const char16_t* fallback) {
  return QvSettings::Text(KString(u"\\Strings\\Chart\\").Append(name).CStr(), fallback);
}

void Post(ZafEventType type) {
  ZafWindowObject::eventManager->Put(ZafEventRecord(static_cast<int32_t>(type), 0), Q_END);
}

}  // namespace

// ---- The list ----

QvZWaveformSelector::QvZWaveformSelector(QvZWaveformDialog& dialog)
    : KZSelector(0, 0, 0, 0), itsDialog(dialog) {
  SetColumnCount(3);
  const int32_t cellWidth = display != nullptr ? display->cellWidth : 0;
  SetColumnPosition(1, kColumnCells[0] * cellWidth);
  SetColumnPosition(2, (kColumnCells[0] + kColumnCells[1]) * cellWidth);
}

int32_t QvZWaveformSelector::ColumnCount(KPoint) {
  return 3;
}

void QvZWaveformSelector::CellText(KPoint cell, int32_t column, KString& text, uint32_t&) {
  if (cell.y < 0 || cell.y >= itsDialog.TrialCount()) {
    return;
  }
  switch (column) {
    case 0:
      text = itsDialog.PortName();
      break;
    case 1:
      text.AppendInt(cell.y + 1);
      break;
    case 2:
      if (itsDialog.ReactionTime(cell.y).HasResolution()) {
        itsDialog.ReactionTime(cell.y).Format(text);
      } else {
        text = QvSettings::Text(u"\\Strings\\Event\\Results\\Time\\NoTime", u"No Time");
      }
      break;
    default:
      break;
  }
}

bool QvZWaveformSelector::SetCurrentCell(KPoint cell) {
  const bool changed = KZSelector::SetCurrentCell(cell);
  if (CurrentCell().y >= 0) {
    itsDialog.EnableDownload();
  }
  return changed;
}

// ---- The dialog ----

QvZWaveformDialog::QvZWaveformDialog(KSerialPort& port, int32_t lane, int32_t& answer,
                                     const KRGroup& portEntry)
    : KZDialog(nullptr, kCancel, kCancel),
      itsAnswer(answer),
      portName(KRegistry::GetString(&portEntry, KString::View(u"Name"))) {
  itsAnswer = -1;
  int32_t count = 0;
  if (!AskTrialCount(port, lane, count)) {
    // Closes the dialog as cancelled as soon as it runs.
    Post(kCancelResult);
    return;
  }
  reactionTimes.resize(static_cast<size_t>(count));
  NewLine();
  AddPrompt(ChartText(u"TrialCount", u"Available Trials: ").AppendInt(count).CStr(), -1);
  NewLine();
  AddPrompt(QvSettings::Text(u"\\Strings\\Event\\Results\\Fields\\Source", u"Source").CStr(),
            QvZWaveformSelector::kColumnCells[0] - 1);
  AddPrompt(ChartText(u"TrialNumber", u"Trial Number").CStr(), QvZWaveformSelector::kColumnCells[1]);
  AddPrompt(ChartText(u"ReactionTime", u"Reaction Time").CStr(), QvZWaveformSelector::kColumnCells[2]);
  NewLine();
  selector = static_cast<QvZWaveformSelector*>(
      AddSelector(kSelectorCells, kSelectorRows, new QvZWaveformSelector(*this)));
  if (selector != nullptr) {
    selector->ChangeExtent({1, count});
  }
  NewLine();
  downloadButton = AddButton(ChartText(u"Download", u"Download").CStr(), kDownload, kButtonCells);
  NewLine();
  downloadAllButton =
      AddButton(ChartText(u"DownloadAll", u"Download All").CStr(), kDownloadAll, kButtonCells);
  NewLine();
  if (downloadButton != nullptr) {
    downloadButton->SetDisabled(true);
  }
  if (downloadAllButton != nullptr) {
    downloadAllButton->SetDisabled(count == 0);
  }
  FetchReactionTimes(port, lane);
}

bool QvZWaveformDialog::AskTrialCount(KSerialPort& port, int32_t lane, int32_t& count) {
  QvBlockSensors* link = QvBlockSensors::Global();
  while (link == nullptr || !link->GetTrialList(port, lane, count)) {
    if (link == nullptr || AskLinkTimeout(KString(u": "), portName, false) != kRetryResult) {
      return false;
    }
  }
  return true;
}

void QvZWaveformDialog::FetchReactionTimes(KSerialPort& port, int32_t lane) {
  QvBlockSensors& link = *QvBlockSensors::Global();
  const BusyPointer busy;
  for (int32_t trial = 0; trial < TrialCount(); ++trial) {
    // The headers come from the sensor whose trials were counted.
    link.DownloadTrials(port, lane, trial, 0, true, true, 0);
    QvResult scratch;
    link.FillResult(scratch, true);
    reactionTimes[static_cast<size_t>(trial)] = scratch.GetReactionTime().Rounded();
  }
}

void QvZWaveformDialog::EnableDownload() {
  if (downloadButton != nullptr) {
    downloadButton->SetDisabled(false);
  }
}

ZafEventType QvZWaveformDialog::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case kDownload:
      itsAnswer = selector != nullptr ? selector->CurrentCell().y : -1;
      if (itsAnswer >= 0) {
        Post(kOkResult);
      }
      return event.type;
    case kDownloadAll:
      itsAnswer = kAllTrials;
      Post(kOkResult);
      return event.type;
    default:
      return KZDialog::Event(event);
  }
}
