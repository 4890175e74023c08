// The options dialog's Ok: every page's fields written back in a fixed order, and the named entries' fields
// moved between the dialog and the settings tree.
#include <cmath>

#include "app/qvzlanemissingselector.h"
#include "app/qvzoptionsdialog.h"
#include "app/settingsfiles.h"
#include "app/settingwrites.h"
#include "app/yzapplication.h"
#include "devices/qvscoreboard.h"
#include "foundation/kregistry.h"
#include "foundation/krgroup.h"
#include "imaging/ui/yzserialport.h"
#include "model/qvsettings.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"
#include "toolkit/kzstring.h"

namespace {

using namespace SettingWrites;

constexpr double kLatestDownload = 5.0;
constexpr double kDownloadStep = 0.5;

// Away from zero up to the next multiple of half a second; a multiple stays.
double RoundedDownloadTime(double seconds) {
  const double steps = std::ceil(std::fabs(seconds) / kDownloadStep);
  return std::copysign(steps * kDownloadStep, seconds);
}

KString FieldText(ZafWindowObject* field) {
  return KString(field->Text());
}

double RealValue(KZReal* field) {
  return field->ZafReal::Value();
}

// The panel's choice as a settings text, when the panel takes its entries and the text fits the setting.
bool PanelSettings(KZSerialPort& panel, KString& text) {
  return panel.Store(text) && text.Length() <= QvZOptionsDialog::kMaxPortText;
}

// An entry's port is written only when the user changed the panel: a port that this machine does not have
// right now (an adapter unplugged) shows as none, and must not be replaced by it.
bool ChangedPanelSettings(KZSerialPort& panel, KString& text) {
  return panel.IsChanged() && PanelSettings(panel, text);
}

void LoadPanel(KZSerialPort& panel, const KString& settings) {
  panel.Load(settings);
  panel.SetChanged(false);
}

// Writes the list's choice when the user changed it; `offset` turns the index into the setting's value.
void WriteChangedList(KZComboBox* list, const char16_t* setting, int32_t offset) {
  if (list->Changed()) {
    WriteInt(nullptr, setting, list->SelectedIndex() + offset);
  }
}

// `choice`: the setting as the board reads it.
void SelectFrom(KRGroup* entry, const char16_t* key, KZRadioGroup* group, int32_t choice) {
  if (Has(entry, key)) {
    group->SetSelection(choice);
  }
}

// `on`: the switch as the board reads it.
void CheckFrom(KRGroup* entry, const char16_t* key, KZButton* box, bool on) {
  if (Has(entry, key)) {
    box->SetSelected(on);
  }
}

}  // namespace

void QvZOptionsDialog::ProcessResult(ZafEventType result) {
  if (result != kOkResult) {
    return;
  }
  WriteInt(nullptr, u"\\Event\\SingleEvent", singleEventGroup->GetSelection());
  if (languageList->Changed() && services.files) {
    services.files->SetLanguage(languageList->SelectedIndex());
  }
  WriteText(nullptr, u"\\Event\\Directory", FieldText(directoryField));
  ApplyDownloadWindow();
  ApplyDatabase();
  SaveSerialEntry();
  WriteInt(nullptr, u"\\Database\\CharMode", charModeGroup->GetSelection());
  WriteBool(nullptr, u"\\Database\\File\\WriteVXF", writeVxfGroup->GetSelection() == 1);
  WriteInt(nullptr, u"\\Database\\File\\CharModeVXF", charModeVxfGroup->GetSelection());
  ApplyChart();
  ApplyResults();
  SaveScoreboardEntry();
}

void QvZOptionsDialog::ApplyDownloadWindow() {
  const double start = RoundedDownloadTime(RealValue(startField));
  const double end = RoundedDownloadTime(RealValue(endField));
  if (start >= 0 && start <= kLatestDownload && start < end) {
    WriteFloat(nullptr, u"\\Hardware\\BlockSensor\\StartTimeDL", start);
  } else if (start >= end) {
    if (YZApplication* application = YZApplication::Current()) {
      application->Message(
          QvSettings::Text(u"\\Strings\\Alerts\\BadDownloadTime",
                           u"'Download starting time' should be less than 'Download ending time'"));
    }
  }
  if (end >= 0 && end <= kLatestDownload && end > start) {
    WriteFloat(nullptr, u"\\Hardware\\BlockSensor\\EndTimeDL", end);
  }
}

void QvZOptionsDialog::ApplyDatabase() {
  // A mode without a button of its own stays until the user chooses one.
  if (const int32_t mode = dataSourceGroup->GetSelection(); mode >= 0) {
    WriteInt(nullptr, u"\\Database\\Mode", mode);
  }
  WriteText(nullptr, u"\\Database\\File\\DataInDir", FieldText(dataInField));
  WriteText(nullptr, u"\\Database\\File\\DataOutDir", FieldText(dataOutField));
  KString port = ReadText(nullptr, u"\\Database\\QXF\\SerialPort");
  if (Has(nullptr, u"\\Database\\QXF\\SerialPort") && PanelSettings(*photoFinishPanel, port)) {
    WriteText(nullptr, u"\\Database\\QXF\\SerialPort", port);
  }
  WriteBool(nullptr, u"\\Database\\QXF\\IgnoreERHCheck", ignoreErhBox->Selected());
}

void QvZOptionsDialog::ApplyChart() {
  WriteChangedList(widthList, u"\\Chart\\Brush\\Width", 1);
  WriteChangedList(styleList, u"\\Chart\\Brush\\Style", 0);
  WriteChangedList(brushColorList, u"\\Chart\\Brush\\Color", 0);
  WriteChangedList(backgroundColorList, u"\\Chart\\Background\\Color", 0);
  WriteChangedList(faceColorList, u"\\Chart\\Background\\FaceColor", 0);
  WriteFloat(nullptr, u"\\Chart\\Axes\\MinX", RealValue(minXField));
  WriteFloat(nullptr, u"\\Chart\\Axes\\MaxX", RealValue(maxXField));
  WriteBool(nullptr, u"\\Chart\\Axes\\ShowY", showYBox->Selected());
  WriteBool(nullptr, u"\\Chart\\Scale\\AcrossTraces", scaleAcrossBox->Selected());
}

void QvZOptionsDialog::ApplyResults() {
  WriteChangedList(lanesList, u"\\Event\\Results\\DefaultLanes", 1);
  if (showAllRedBox->Changed()) {
    WriteBool(nullptr, u"\\Event\\Results\\ShowAllFSInRed", showAllRedBox->Selected());
  }
  laneList->Apply();
}

// ---- The named entries ----

void QvZOptionsDialog::SaveSerialEntry() {
  if (!currentSerialEntry) {
    return;
  }
  if (Has(currentSerialEntry, u"Name")) {
    WriteText(currentSerialEntry, u"Name", FieldText(portNameField));
  }
  KString port;
  if (Has(currentSerialEntry, u"SerialPort") && ChangedPanelSettings(*portPanel, port)) {
    WriteText(currentSerialEntry, u"SerialPort", port);
  }
}

void QvZOptionsDialog::LoadSerialEntry(KRGroup* entry) {
  currentSerialEntry = entry;
  if (!entry) {
    return;
  }
  if (Has(entry, u"Name")) {
    portNameField->SetText(ReadText(entry, u"Name").CStr());
  }
  if (Has(entry, u"SerialPort")) {
    LoadPanel(*portPanel, ReadText(entry, u"SerialPort"));
  }
  portPanel->Refresh();
}

void QvZOptionsDialog::SaveScoreboardEntry() {
  KRGroup* entry = currentBoardEntry;
  if (!entry) {
    return;
  }
  const auto writeInt = [entry](const char16_t* key, int32_t value) {
    if (Has(entry, key)) {
      WriteInt(entry, key, value);
    }
  };
  // A switch is kept as a Bool or as an Int, as the board reads it.
  const auto writeSwitch = [entry](const char16_t* key, bool on) {
    if (Has(entry, key) && !WriteBool(entry, key, on)) {
      WriteInt(entry, key, on ? 1 : 0);
    }
  };
  if (Has(entry, u"Name")) {
    WriteText(entry, u"Name", FieldText(boardNameField));
  }
  if (Has(entry, u"Script")) {
    WriteText(entry, u"Script", FieldText(scriptList));
  }
  writeInt(u"CharMode", boardCharModeGroup->GetSelection());
  writeInt(u"ResultsMode", resultsModeGroup->GetSelection());
  writeSwitch(u"PageMode", pageModeBox->Selected());
  writeInt(u"PageSize", pageSizeField->ZafInteger::Value());
  int32_t pageTime = 0;
  if (pageTimeField->GetTime(pageTime)) {
    writeInt(u"PageTime", pageTime);
  }
  writeSwitch(u"IncludeFirst", includeFirstBox->Selected());
  writeSwitch(u"AffilAbbr", affilAbbrBox->Selected());
  KString port;
  if (Has(entry, u"SerialPort") && ChangedPanelSettings(*boardPanel, port)) {
    WriteText(entry, u"SerialPort", port);
  }
}

void QvZOptionsDialog::LoadScoreboardEntry(KRGroup* entry) {
  currentBoardEntry = entry;
  if (!entry) {
    return;
  }
  // Read as the board reads it: a value outside its range is replaced in the entry before it is shown.
  const QvScoreboard::Settings board = QvScoreboard::Settings::Read(*entry);
  if (Has(entry, u"Script")) {
    scriptList->SelectByText(ReadText(entry, u"Script").CStr());
  }
  if (Has(entry, u"Name")) {
    boardNameField->SetText(ReadText(entry, u"Name").CStr());
  }
  SelectFrom(entry, u"CharMode", boardCharModeGroup, board.codeSet);
  if (Has(entry, u"SerialPort")) {
    LoadPanel(*boardPanel, ReadText(entry, u"SerialPort"));
  }
  SelectFrom(entry, u"ResultsMode", resultsModeGroup, board.resultsMode);
  CheckFrom(entry, u"PageMode", pageModeBox, board.pageMode);
  if (Has(entry, u"PageSize")) {
    pageSizeField->SetValue(board.pageSize);
  }
  if (Has(entry, u"PageTime")) {
    pageTimeField->SetTime(board.pageTime, 0);
  }
  CheckFrom(entry, u"IncludeFirst", includeFirstBox, board.includeFirst);
  CheckFrom(entry, u"AffilAbbr", affilAbbrBox, board.affiliationAbbreviated);
  boardPanel->Refresh();
  EnablePageFields();
}
