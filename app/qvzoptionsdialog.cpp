#include "app/qvzoptionsdialog.h"

#include "app/chartsettings.h"
#include "app/defaultlanes.h"
#include "app/qvzcontrol.h"
#include "app/qvzlanemissingselector.h"
#include "app/qvzscoreboardselector.h"
#include "app/qvzserialselector.h"
#include "app/settingsfiles.h"
#include "app/settingwrites.h"
#include "devices/qvblocksensors.h"
#include "devices/qvschedule.h"
#include "devices/qvscoreboards.h"
#include "devices/qvserialport.h"
#include "foundation/kregistry.h"
#include "foundation/krgroup.h"
#include "foundation/krstring.h"
#include "foundation/ktime.h"
#include "framework/core/zafdisplay.h"
#include "imaging/ui/yzserialport.h"
#include "model/qvsettings.h"
#include "model/racelanes.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"
#include "toolkit/kzstring.h"

namespace {

using namespace SettingWrites;

// Widths in character cells.
constexpr int32_t kNameColumn = 17;
constexpr int32_t kStatusColumn = 20;
constexpr int32_t kLaneListWidth = 18;
constexpr int32_t kEntryButtonWidth = 9;
constexpr int32_t kFolderWidth = 30;
constexpr int32_t kFolderLength = 255;
constexpr int32_t kEntryNameWidth = 14;
constexpr int32_t kEntryNameLength = 31;
constexpr int32_t kSecondsWidth = 3;
constexpr int32_t kPageSizeWidth = 3;
constexpr int32_t kPageTimeWidth = 6;
constexpr int32_t kPageTimeLength = 20;
constexpr int32_t kNoteIndent = 10;
// Rows of the entry lists and of the lane list.
constexpr int32_t kEntryRows = 4;
constexpr int32_t kLaneRows = 12;
constexpr int32_t kListRows = 15;
constexpr int32_t kBrushWidths = 10;
// Both ends of the download window and of the chart's X range, in seconds.
constexpr double kLatestDownload = 5.0;
constexpr double kEarliestX = -3.0;
constexpr double kLatestX = 2.0;
// The panels' choices: ports of both kinds with their line settings; a TCP link with address and port.
constexpr uint32_t kPortChoices = 63;
constexpr uint32_t kPhotoFinishChoices = 1664;

constexpr const char16_t* kColorKeys[] = {
    u"Black",   u"White",     u"Red",      u"Green",    u"Blue",        u"Yellow", u"Cyan",     u"Magenta",
    u"DarkRed", u"DarkGreen", u"DarkBlue", u"DarkCyan", u"DarkMagenta", u"Brown",  u"DarkGray", u"LightGray"};

KString Setting(const char16_t* path) {
  return QvSettings::Text(path);
}

int32_t CellPixels() {
  const ZafDisplay* display = ZafWindowObject::display;
  return display && display->cellWidth > 0 ? display->cellWidth : 1;
}

void Enable(ZafWindowObject* field, bool on) {
  if (field) {
    field->SetDisabled(!on);
  }
}

}  // namespace

QvZOptionsDialog::QvZOptionsDialog(int32_t firstPage, const Services& services)
    : KZDialog(Setting(u"\\Strings\\Options\\Title").CStr(), kOk | kCancel, kOk),
      firstPage(firstPage),
      services(services) {
  BeginNotebook(0, 0);
  BuildGeneralPage();
  BuildSerialPage();
  BuildChartPage();
  BuildScoreboardPage();
  BuildResultsPage();
  BuildDatabasePage();
  EndNotebook(firstPage);
  // Every field exists now, so the lists can fill them from their first entries.
  for (QvZEntrySelector* list :
       {static_cast<QvZEntrySelector*>(boardList), static_cast<QvZEntrySelector*>(serialList)}) {
    list->Refresh();
    list->MoveCurrentCell({0, 0});
  }
  laneList->MoveCurrentCell({0, 0});
}

QvZOptionsDialog::~QvZOptionsDialog() = default;

// ---- Building ----

void QvZOptionsDialog::BeginPage(const char16_t* group) {
  labelGroup = KString(u"\\Strings\\Options\\");
  labelGroup.Append(group).AppendChar(u'\\');
  AddPage(Label(u"Title").CStr());
}

KString QvZOptionsDialog::Label(const char16_t* key) const {
  if (key[0] == u'\\') {
    return Setting(key);
  }
  KString path(labelGroup);
  path.Append(key);
  return Setting(path.CStr());
}

void QvZOptionsDialog::AddLabel(const char16_t* key) {
  AddPrompt(Label(key).CStr(), -1);
}

KZRadioGroup* QvZOptionsDialog::AddChoices(std::initializer_list<const char16_t*> keys, int32_t selection) {
  ResetRadioColumn();
  for (const char16_t* key : keys) {
    AddRadioButton(Label(key).CStr(), 0, -1);
  }
  return AddRadioGroup(selection);
}

KZRadioGroup* QvZOptionsDialog::AddCodeSetChoices(int32_t selection) {
  KZRadioGroup* group = AddChoices(
      {u"\\Strings\\CharMode\\SingleByte", u"\\Strings\\CharMode\\Unicode", u"\\Strings\\CharMode\\Native"},
      selection);
  if (!KNarrowApi()) {
    ZafElement* native = group->FirstChild();
    while (native && native->Next()) {
      native = native->Next();
    }
    Enable(static_cast<ZafWindowObject*>(native), false);
  }
  return group;
}

KZComboBox* QvZOptionsDialog::AddList(std::initializer_list<KString> texts, int32_t selection) {
  ResetComboWidth();
  for (const KString& text : texts) {
    AddComboItem(text.CStr(), 0);
  }
  KZComboBox* list = AddComboBox(selection, false, kListRows);
  list->SetChanged(false);
  return list;
}

KZComboBox* QvZOptionsDialog::AddNumberList(int32_t count, int32_t selection) {
  ResetComboWidth();
  for (int32_t number = 1; number <= count; ++number) {
    KString text;
    text.AppendInt(number);
    AddComboItem(text.CStr(), 0);
  }
  KZComboBox* list = AddComboBox(selection, false, kListRows);
  list->SetChanged(false);
  return list;
}

KZComboBox* QvZOptionsDialog::AddColorList(int32_t selection) {
  ResetComboWidth();
  for (const char16_t* key : kColorKeys) {
    KString path(u"\\Strings\\Options\\Chart\\Colors\\");
    path.Append(key);
    AddComboItem(Setting(path.CStr()).CStr(), 0);
  }
  KZComboBox* list = AddComboBox(selection, false, kListRows);
  list->SetChanged(false);
  return list;
}

KZComboBox* QvZOptionsDialog::AddLanguageList() {
  ResetComboWidth();
  if (const KRGroup* choices = KRegistry::GetGroup(QvSettings::Root(), KString(u"\\Language\\Choices"))) {
    for (const KRNode* child = choices->NextChild(nullptr); child; child = choices->NextChild(child)) {
      KString name;
      if (const auto* entry = dynamic_cast<const KRString*>(child)) {
        // "file,display name,locale code"
        name.GetField(entry->Value(), 1, u',');
      }
      AddComboItem(name.CStr(), 0);
    }
  }
  KZComboBox* list = AddComboBox(services.files ? services.files->LanguageIndex() : -1, false, kListRows);
  // Cleared once its selection is set, so that an untouched list switches nothing.
  list->SetChanged(false);
  return list;
}

KZComboBox* QvZOptionsDialog::AddScriptList() {
  ResetComboWidth();
  for (const KRNode* script = QvScoreboards::Find(nullptr); script; script = QvScoreboards::Find(script)) {
    AddComboItem(script->Name().CStr(), 0);
  }
  return AddComboBox(-1, false, kListRows);
}

void QvZOptionsDialog::AddEntryList(KZSelector* list, const char16_t* nameKey, const char16_t* statusKey,
                                    ZafEventType newCode, ZafEventType deleteCode) {
  AddPrompt(Label(nameKey).CStr(), kNameColumn);
  AddPrompt(Label(statusKey).CStr(), kStatusColumn);
  NewLine();
  // The buttons first, one under the other to the right of where the list goes.
  constexpr int32_t kListWidth = kNameColumn + kStatusColumn;
  MoveCursor(kListWidth + fieldGap, 0);
  AddButton(Label(u"New").CStr(), static_cast<int32_t>(newCode), kEntryButtonWidth);
  NewLine();
  MoveCursor(kListWidth + fieldGap, 0);
  AddButton(Label(u"Delete").CStr(), static_cast<int32_t>(deleteCode), kEntryButtonWidth);
  NewLine();
  MoveCursor(0, -2);
  AddSelector(kListWidth, kEntryRows, list);
}

void QvZOptionsDialog::BuildGeneralPage() {
  BeginPage(u"General");
  AddLabel(u"SingleEvent");
  singleEventGroup = AddChoices({u"SEOff", u"SEOn"}, QvZControl::SingleEventOn() ? 1 : 0);
  NewLine();
  AddLabel(u"EventDir");
  directoryField =
      AddBrowseDirectory(ReadText(nullptr, u"\\Event\\Directory").CStr(), kFolderWidth, kFolderLength);
  NewLine();
  AddLabel(u"Language");
  languageList = AddLanguageList();
  NewLine();
  AddLabel(u"Restart");
  NewLine();
  NewLine();
  AddLabel(u"AmountOfTime");
  NewLine();
  MoveCursor(1, 0);
  AddLabel(u"DownloadHelp");
  NewLine();
  MoveCursor(1, 0);
  AddLabel(u"StartTimeDL");
  startField = AddReal(QvBlockSensors::DownloadStart(), kSecondsWidth, 0.0, kLatestDownload);
  MoveCursor(2, 0);
  AddLabel(u"EndTimeDL");
  endField = AddReal(QvBlockSensors::DownloadEnd(), kSecondsWidth, 0.0, kLatestDownload);
  NewLine();
  EndPage();
}

void QvZOptionsDialog::BuildSerialPage() {
  BeginPage(u"Serial");
  serialList = new QvZSerialSelector(this, kNameColumn * CellPixels());
  AddEntryList(serialList, u"PortName", u"PortStatus", kNewPort, kDeletePort);
  AddLabel(u"Name");
  portNameField = AddString(u"", kEntryNameWidth, kEntryNameLength);
  NewLine();
  AddLabel(u"SerialPort");
  portPanel = std::make_unique<YZSerialPort>(this, kPortChoices, services.hardware);
  portPanel->Build();
  NewLine();
  EnableSerialFields(QvSerialPort::Count() > 0);
  EndPage();
}

void QvZOptionsDialog::BuildChartPage() {
  BeginPage(u"Chart");
  const ChartSettings chart = ChartSettings::Read();
  AddLabel(u"BrushWidth");
  widthList = AddNumberList(kBrushWidths, chart.brushWidth - 1);
  NewLine();
  AddLabel(u"\\Strings\\Options\\Chart\\BrushStyle\\Title");
  styleList = AddList({Setting(u"\\Strings\\Options\\Chart\\BrushStyle\\Solid"),
                       Setting(u"\\Strings\\Options\\Chart\\BrushStyle\\Dash"),
                       Setting(u"\\Strings\\Options\\Chart\\BrushStyle\\Dot")},
                      chart.brushStyle);
  NewLine();
  AddLabel(u"\\Strings\\Options\\Chart\\BrushColor");
  brushColorList = AddColorList(chart.brushColor);
  NewLine();
  AddLabel(u"\\Strings\\Options\\Chart\\BGColor");
  backgroundColorList = AddColorList(chart.backgroundColor);
  NewLine();
  AddLabel(u"\\Strings\\Options\\Chart\\BGFaceColor");
  faceColorList = AddColorList(chart.faceColor);
  NewLine();
  AddLabel(u"Scale");
  AddLabel(u"Minimum");
  minXField = AddReal(chart.minX, kSecondsWidth, kEarliestX, kLatestX);
  MoveCursor(1, 0);
  AddLabel(u"Maximum");
  maxXField = AddReal(chart.maxX, kSecondsWidth, kEarliestX, kLatestX);
  NewLine();
  showYBox =
      AddCheckBox(Label(u"ShowYAxis").CStr(), ReadBool(nullptr, u"\\Chart\\Axes\\ShowY", false), 0, -1);
  NewLine();
  scaleAcrossBox = AddCheckBox(Label(u"ScaleAcross").CStr(),
                               ReadBool(nullptr, u"\\Chart\\Scale\\AcrossTraces", true), 0, -1);
  NewLine();
  EndPage();
}

void QvZOptionsDialog::BuildScoreboardPage() {
  BeginPage(u"Scoreboard");
  boardList = new QvZScoreboardSelector(this, kNameColumn * CellPixels(), services.boards);
  AddEntryList(boardList, u"ListName", u"ListStatus", kNewBoard, kDeleteBoard);
  AddLabel(u"Script");
  scriptList = AddScriptList();
  NewLine();
  AddLabel(u"Name");
  boardNameField = AddString(u"", kEntryNameWidth, kEntryNameLength);
  NewLine();
  AddLabel(u"CharMode");
  boardCharModeGroup = AddCodeSetChoices(0);
  NewLine();
  AddLabel(u"SerialPort");
  boardPanel = std::make_unique<YZSerialPort>(this, kPortChoices, services.hardware);
  boardPanel->Build();
  NewLine();
  AddLabel(u"ResultsMode");
  resultsModeGroup = AddChoices({u"RMOff", u"RMAutomatic", u"RMManual"}, 0);
  NewLine();
  pageModeBox = AddCheckBox(Label(u"PageMode").CStr(), false, static_cast<int32_t>(kPageMode), -1);
  AddLabel(u"PMSize");
  pageSizeField = AddInteger(0, kPageSizeWidth, INT32_MIN, INT32_MAX);
  AddLabel(u"PMTime");
  pageTimeField = AddString(u"", kPageTimeWidth, kPageTimeLength);
  NewLine();
  includeFirstBox = AddCheckBox(Label(u"IncludeFirst").CStr(), false, 0, -1);
  MoveCursor(1, 0);
  affilAbbrBox = AddCheckBox(Label(u"AffilAbbr").CStr(), false, 0, -1);
  NewLine();
  EnableBoardFields(QvScoreboards::Count() > 0);
  EndPage();
}

void QvZOptionsDialog::BuildResultsPage() {
  BeginPage(u"Results");
  AddLabel(u"DefaultLanes");
  lanesList = AddNumberList(kMostLanes, DefaultLaneCount() - 1);
  NewLine();
  showAllRedBox = AddCheckBox(Label(u"ShowAllFSRed").CStr(),
                              ReadBool(nullptr, u"\\Event\\Results\\ShowAllFSInRed", false), 0, -1);
  NewLine();
  AddLabel(u"MissingLanes");
  NewLine();
  // The button first, so that the list can label it as soon as it has a current lane.
  MoveCursor(kLaneListWidth + fieldGap, 0);
  laneButton = AddButton(Label(u"LaneDisable").CStr(), static_cast<int32_t>(kLaneDisable), kEntryButtonWidth);
  NewLine();
  MoveCursor(0, -1);
  laneList = new QvZLaneMissingSelector(this);
  AddSelector(kLaneListWidth, kLaneRows, laneList);
  MoveCursor(kNoteIndent, 0);
  AddLabel(u"NewEventChanges");
  NewLine();
  EndPage();
}

void QvZOptionsDialog::BuildDatabasePage() {
  BeginPage(u"Database");
  AddLabel(u"DataSource");
  // A mode without a button of its own (the serial link) shows no choice and is kept unless one is made.
  dataSourceGroup = AddChoices({u"DSOff", u"DSFile"}, QvSchedule::Mode());
  NewLine();
  AddLabel(u"CharMode");
  charModeGroup = AddCodeSetChoices(QvSchedule::CodeSet(u"\\Database\\CharMode"));
  NewLine();
  AddLabel(u"DataInDir");
  dataInField = AddBrowseDirectory(ReadText(nullptr, u"\\Database\\File\\DataInDir").CStr(), kFolderWidth,
                                   kFolderLength);
  NewLine();
  AddLabel(u"DataOutDir");
  dataOutField = AddBrowseDirectory(ReadText(nullptr, u"\\Database\\File\\DataOutDir").CStr(), kFolderWidth,
                                    kFolderLength);
  NewLine();
  AddLabel(u"WriteVXF");
  writeVxfGroup =
      AddChoices({u"WVOff", u"WVOn"}, ReadBool(nullptr, u"\\Database\\File\\WriteVXF", true) ? 1 : 0);
  NewLine();
  AddLabel(u"CharModeVXF");
  charModeVxfGroup = AddCodeSetChoices(QvSchedule::CodeSet(u"\\Database\\File\\CharModeVXF"));
  NewLine();
  AddLabel(u"TallomericPort");
  photoFinishPanel = std::make_unique<YZSerialPort>(this, kPhotoFinishChoices, services.hardware);
  photoFinishPanel->Build();
  photoFinishPanel->Load(ReadText(nullptr, u"\\Database\\QXF\\SerialPort"));
  NewLine();
  ignoreErhBox = AddCheckBox(Label(u"IgnoreERHCheck").CStr(),
                             ReadBool(nullptr, u"\\Database\\QXF\\IgnoreERHCheck", true), 0, -1);
  NewLine();
  EndPage();
}

// ---- The list buttons ----

ZafEventType QvZOptionsDialog::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case kNewPort:
    case kNewBoard:
      NewEntry(event.type == kNewPort);
      return event.type;
    case kDeletePort:
    case kDeleteBoard:
      DeleteEntry(event.type == kDeletePort);
      return event.type;
    case kPageMode:
      EnablePageFields();
      return event.type;
    case kLaneDisable:
    case kLaneEnable:
      laneList->Toggle();
      return event.type;
    default:
      return KZDialog::Event(event);
  }
}

void QvZOptionsDialog::NewEntry(bool serial) {
  QvZEntrySelector* list = serial ? static_cast<QvZEntrySelector*>(serialList) : boardList;
  if (!(serial ? QvSerialPort::NewEntry() : QvScoreboards::NewEntry())) {
    return;
  }
  if (list->EntryCount() == 1) {
    serial ? EnableSerialFields(true) : EnableBoardFields(true);
  }
  list->Refresh();
  const KPoint last{1, list->EntryCount() - 1};
  list->MoveCurrentCell(last);
  list->MakeVisible(last, true, false);
}

void QvZOptionsDialog::DeleteEntry(bool serial) {
  QvZEntrySelector* list = serial ? static_cast<QvZEntrySelector*>(serialList) : boardList;
  if (KRGroup* entry = list->CurrentEntry()) {
    entry->SetDeleted(true);
  }
  list->Refresh();
}

void QvZOptionsDialog::EnableSerialFields(bool enable) {
  Enable(portNameField, enable);
  portPanel->EnableFields(enable);
}

void QvZOptionsDialog::EnableBoardFields(bool enable) {
  for (ZafWindowObject* field : std::initializer_list<ZafWindowObject*>{
           scriptList, boardNameField, boardCharModeGroup, resultsModeGroup, pageModeBox, includeFirstBox,
           affilAbbrBox}) {
    Enable(field, enable);
  }
  boardPanel->EnableFields(enable);
  EnablePageFields();
}

void QvZOptionsDialog::EnablePageFields() {
  const bool paging = pageModeBox->Selected() && !pageModeBox->Disabled();
  Enable(pageSizeField, paging);
  Enable(pageTimeField, paging);
}

void QvZOptionsDialog::SetLaneButton(ZafEventType code) {
  if (!laneButton || laneButton->Value() == code) {
    return;
  }
  laneButton->SetValue(static_cast<int32_t>(code));
  laneButton->SetText(Setting(code == kLaneDisable ? u"\\Strings\\Options\\Results\\LaneDisable"
                                                   : u"\\Strings\\Options\\Results\\LaneEnable")
                          .CStr());
}
